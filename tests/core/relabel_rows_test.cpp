#include <gtest/gtest.h>

#include "core/relabel_rows.h"

namespace korvane {
namespace {

TEST(RelabelRows, GermanToEnglishAndBack) {
    std::vector<ResultRow> rows = {
        {"Line1", "Hinzugefügt", "C:\\a.exe", "Trojan.X", false},
        {"Line2", "Gelöscht", "C:\\b.exe", "Vom User hinzugefügt", true},
        {"Line3", "Fehlgeschlagen", "C:\\c.exe", "tagged:Adware", false},
        {"Line4", "Neustart", "C:\\d.exe", "", false},
        {"Line5", "irgendwas", "C:\\e.exe", "Added from User", false},
    };
    const std::vector<ResultRow> german = rows;
    RelabelRows(rows, Texts(), UiLanguage::German, UiLanguage::English);
    EXPECT_EQ(rows[0].Status, "added");
    EXPECT_EQ(rows[1].Status, "deleted");
    EXPECT_EQ(rows[1].Name, "Added from User");
    EXPECT_EQ(rows[2].Status, "failed");
    EXPECT_EQ(rows[2].Name, "tagged:Adware");
    EXPECT_EQ(rows[3].Status, "reboot");
    EXPECT_EQ(rows[4].Status, "irgendwas");  // matches no status: stays
    EXPECT_TRUE(rows[1].Checked);

    RelabelRows(rows, Texts(), UiLanguage::English, UiLanguage::German);
    EXPECT_EQ(rows[0], german[0]);
    EXPECT_EQ(rows[1], german[1]);
    EXPECT_EQ(rows[3], german[3]);
    // Row 5's English name was not written by the relabelling, but is row 39's text.
    EXPECT_EQ(rows[4].Name, "Vom User hinzugefügt");
}

TEST(RelabelRows, SameLanguageChangesNothing) {
    std::vector<ResultRow> rows = {{"Line1", "added", "p", "n", false}};
    const auto before = rows;
    RelabelRows(rows, Texts(), UiLanguage::English, UiLanguage::English);
    EXPECT_EQ(rows, before);
}

}  // namespace
}  // namespace korvane
