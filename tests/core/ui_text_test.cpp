#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/ui_text.h"

namespace korvane {
namespace {

struct FixtureRow {
    int row;
    std::string german, english;
};

std::vector<FixtureRow> ReadFixture() {
    std::ifstream in(std::string(KORVANE_FIXTURES_DIR) + "/ui-text.tsv", std::ios::binary);
    EXPECT_TRUE(in) << "fixture ui-text.tsv missing";
    std::vector<FixtureRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto tab1 = line.find('\t');
        const auto tab2 = line.find('\t', tab1 + 1);
        rows.push_back({std::stoi(line.substr(0, tab1)), line.substr(tab1 + 1, tab2 - tab1 - 1),
                        line.substr(tab2 + 1)});
    }
    return rows;
}

TEST(UiText, EveryTextMatchesTheTableByteForByte) {
    UiText table;
    table.FillTextTable();
    const auto rows = ReadFixture();
    ASSERT_EQ(rows.size(), 97u);
    for (int i = 0; i < 97; ++i) {
        ASSERT_EQ(rows[static_cast<std::size_t>(i)].row, i);
        EXPECT_EQ(table.Get(i, UiLanguage::German), rows[static_cast<std::size_t>(i)].german) << "row " << i;
        EXPECT_EQ(table.Get(i, UiLanguage::English), rows[static_cast<std::size_t>(i)].english) << "row " << i;
    }
}

TEST(UiText, ColumnIndexIsTheLanguageValue) {
    const UiText& t = Texts();
    EXPECT_EQ(t.Get(21, std::uint8_t{0}), "Hinzugefügt");
    EXPECT_EQ(t.Get(21, std::uint8_t{1}), "added");
    EXPECT_EQ(t.Get(24, UiLanguage::German), "Alle Dateien ");
    EXPECT_EQ(t.Get(24, UiLanguage::English), "all files");
}

}  // namespace
}  // namespace korvane
