#include <gtest/gtest.h>

#include "log/result_list_model.h"

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

}  // namespace
}  // namespace korvane
