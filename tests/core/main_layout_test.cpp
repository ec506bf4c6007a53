#include <gtest/gtest.h>

#include "core/main_layout.h"

namespace korvane {
namespace {

TEST(MainLayout, NineThousandTwipsWide) {
    MainLayoutInput in;
    in.outerWidth = 9000;
    in.outerHeight = 6000;
    const MainLayoutResult r = ComputeMainLayout(in);
    ASSERT_FALSE(r.snapBack);
    EXPECT_DOUBLE_EQ(r.list.width, 8877.75);
    EXPECT_DOUBLE_EQ(r.list.height, 6000 - 1450);
    EXPECT_DOUBLE_EQ(r.statusColumnWidth, 979);
    EXPECT_DOUBLE_EQ(r.fileColumnWidth, 5340);
    EXPECT_DOUBLE_EQ(r.alwaysShow.top, 4550 + 150);
    EXPECT_DOUBLE_EQ(r.fileBackup.top, r.alwaysShow.top);
    EXPECT_DOUBLE_EQ(r.fileBackup.left, 45 + 2625 + 300);
    EXPECT_DOUBLE_EQ(r.delAllOnReboot.top, 4700 + 215 + 100);
    EXPECT_DOUBLE_EQ(r.reboot.left, r.fileBackup.left);
    EXPECT_DOUBLE_EQ(r.delFiles.top, 4550 + 65);
    EXPECT_DOUBLE_EQ(r.delFiles.left, 9000 - 2535 - 140);
    EXPECT_DOUBLE_EQ(r.end.top, 4615 + 300 + 50);
    EXPECT_DOUBLE_EQ(r.end.left, r.delFiles.left);
}

TEST(MainLayout, HalfWayWidthsRoundToEven) {
    MainLayoutInput in;
    in.outerHeight = 4000;
    in.outerWidth = 9050;  // (9050 - 100) / 100 = 89.5 -> 90
    EXPECT_DOUBLE_EQ(ComputeMainLayout(in).statusColumnWidth, 90 * 11);
    in.outerWidth = 9150;  // 90.5 -> 90
    EXPECT_DOUBLE_EQ(ComputeMainLayout(in).statusColumnWidth, 90 * 11);
}

TEST(MainLayout, TooSmallSnapsBackAndLaysNothingOut) {
    MainLayoutInput in;
    in.outerWidth = 5000;
    in.outerHeight = 2000;
    const MainLayoutResult r = ComputeMainLayout(in);
    EXPECT_TRUE(r.snapBack);
    EXPECT_DOUBLE_EQ(r.snapWidth, 9000);
    EXPECT_DOUBLE_EQ(r.snapHeight, 3000);
    EXPECT_DOUBLE_EQ(r.list.width, in.list.width);

    in.outerWidth = 12000;
    const MainLayoutResult onlyHeight = ComputeMainLayout(in);
    EXPECT_TRUE(onlyHeight.snapBack);
    EXPECT_DOUBLE_EQ(onlyHeight.snapWidth, 12000);
    EXPECT_DOUBLE_EQ(onlyHeight.snapHeight, 3000);
}

}  // namespace
}  // namespace korvane
