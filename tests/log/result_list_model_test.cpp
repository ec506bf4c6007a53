#include <gtest/gtest.h>

#include <vector>

#include "log/result_list_model.h"
#include "log/result_list_sorter.h"

namespace korvane {
namespace {

TEST(ResultListModel, CheckBoxLivesInTheStatusColumn) {
    ResultListModel model;
    model.AppendRow({"Line1", "added", "C:\\a.exe", "Trojan", false});
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(model.data(model.index(0, 1), Qt::CheckStateRole).isValid());
    EXPECT_TRUE(model.setData(model.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(model.Row(0).Checked);
    EXPECT_FALSE(model.setData(model.index(0, 1), QStringLiteral("x"), Qt::EditRole));
    EXPECT_EQ(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("C:\\a.exe"));
}

// Sorted by the rows' bytes, ASCII case ignored, equal texts in log order
// whichever the direction;
// the model's own rows never move.
TEST(ResultListSorter, OrdersByTheRowBytesIgnoringCase) {
    ResultListModel model;
    model.AppendRow({"Line1", "added", "c:\\b.exe", "Worm", false});
    model.AppendRow({"Line2", "added", "C:\\A.exe", "trojan", false});
    model.AppendRow({"Line3", "added", "C:\\\xe4.exe", "Trojan", false});  // a Windows-1252 byte
    model.AppendRow({"Line4", "added", "C:\\a.exe", "worm", false});
    ResultListSorter sorter;
    sorter.setSourceModel(&model);
    const auto order = [&sorter](int column, Qt::SortOrder direction) {
        sorter.sort(column, direction);
        std::vector<int> rows;
        for (int r = 0; r < sorter.rowCount(); ++r) rows.push_back(sorter.mapToSource(sorter.index(r, 0)).row());
        return rows;
    };
    EXPECT_EQ(order(1, Qt::AscendingOrder), (std::vector<int>{1, 3, 0, 2}));
    EXPECT_EQ(order(2, Qt::AscendingOrder), (std::vector<int>{1, 2, 0, 3}));
    EXPECT_EQ(order(1, Qt::DescendingOrder), (std::vector<int>{2, 0, 1, 3}));
    EXPECT_EQ(model.Row(0).Path, "c:\\b.exe");
    EXPECT_EQ(order(-1, Qt::AscendingOrder), (std::vector<int>{0, 1, 2, 3}));
}

// What the model does reaches the list: a row added while sorted lands at
// its sorted place, a changed status shows on the row that holds it, a reset
// empties the list, and the captions stay while it is empty.
TEST(ResultListSorter, FollowsTheModel) {
    ResultListModel model;
    model.SetHeaders({QStringLiteral("Status"), QStringLiteral("File"), QStringLiteral("Virus")});
    model.AppendRow({"Line1", "added", "C:\\b.exe", "B", false});
    model.AppendRow({"Line2", "added", "C:\\a.exe", "A", false});
    ResultListSorter sorter;
    sorter.setSourceModel(&model);
    sorter.sort(1, Qt::AscendingOrder);
    model.AppendRows({{"Line3", "added", "C:\\0.exe", "Z", false}});
    ASSERT_EQ(sorter.rowCount(), 3);
    EXPECT_EQ(sorter.data(sorter.index(0, 1)).toString(), QStringLiteral("C:\\0.exe"));
    EXPECT_EQ(sorter.data(sorter.index(2, 1)).toString(), QStringLiteral("C:\\b.exe"));
    const QPersistentModelIndex kept = sorter.index(2, 1);
    sorter.sort(1, Qt::DescendingOrder);
    EXPECT_EQ(kept.row(), 0);

    model.SetStatus(0, "deleted");  // C:\b.exe
    EXPECT_EQ(sorter.data(sorter.index(0, 0)).toString(), QStringLiteral("deleted"));
    EXPECT_TRUE(sorter.setData(sorter.index(2, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(model.Row(2).Checked);

    model.Clear();
    EXPECT_EQ(sorter.rowCount(), 0);
    EXPECT_EQ(sorter.headerData(1, Qt::Horizontal).toString(), QStringLiteral("File"));
}

}  // namespace
}  // namespace korvane
