#include "core/scanner_boxes.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

struct Boxes {
    AppState state;
    ScannerBoxes boxes;
    void Set(ScannerControl c, bool v, bool panelOpen = false) { SetBox(boxes, state, c, v, panelOpen); }
};

TEST(ScannerBoxes, FolderBoxEnablesSubFoldersAndPickerAndLocksOutDrives) {
    Boxes b;
    b.Set(OptionBox(6), true);
    EXPECT_TRUE(b.boxes.enabled[OptionBox(7)]);
    EXPECT_TRUE(b.boxes.enabled[kCommand3]);
    EXPECT_FALSE(b.boxes.enabled[OptionBox(8)]);
    ChooseScanFolder(b.boxes, b.state, "/data");
    b.Set(OptionBox(7), true);
    b.Set(OptionBox(6), false);
    EXPECT_FALSE(b.boxes.Option(7));
    EXPECT_FALSE(b.boxes.enabled[OptionBox(7)]);
    EXPECT_TRUE(b.boxes.enabled[OptionBox(8)]);
    EXPECT_TRUE(b.state.ScanFolder.empty());
    EXPECT_TRUE(b.boxes.command3ToolTip.empty());
}

TEST(ScannerBoxes, DrivesBoxClearsTheFolderChoice) {
    Boxes b;
    b.Set(OptionBox(6), true);
    ChooseScanFolder(b.boxes, b.state, "/data");
    b.Set(OptionBox(8), true);
    EXPECT_FALSE(b.boxes.Option(6));
    EXPECT_FALSE(b.boxes.enabled[OptionBox(6)]);
    EXPECT_FALSE(b.boxes.enabled[kCommand3]);
    EXPECT_TRUE(b.state.ScanFolder.empty());
    b.Set(OptionBox(8), false);
    EXPECT_TRUE(b.boxes.enabled[OptionBox(6)]);
}

TEST(ScannerBoxes, UntickingStartClearsOptionsButNotWaitToExit) {
    Boxes b;
    b.Set(kCheckStart, true);
    EXPECT_TRUE(b.boxes.enabled[kCommand4]);
    for (int i : {1, 2, 6, 7, 9}) b.Set(OptionBox(i), true);
    b.Set(kCheckStart, false, /*panelOpen=*/true);
    for (int i = 1; i <= 8; ++i) EXPECT_FALSE(b.boxes.Option(i)) << i;
    EXPECT_TRUE(b.boxes.Option(9));
    EXPECT_FALSE(b.boxes.enabled[kCommand4]);
    EXPECT_FALSE(b.boxes.enabled[OptionBox(7)]);
    EXPECT_FALSE(b.boxes.enabled[kCommand3]);
    EXPECT_TRUE(b.boxes.enabled[OptionBox(8)]);  // the folder box's rule ran
    EXPECT_TRUE(b.boxes.closePanelRequested);
}

TEST(ScannerBoxes, FolderToolTips) {
    Boxes b;
    b.state.Language = UiLanguage::English;
    ChooseScanFolder(b.boxes, b.state, "/data");
    EXPECT_EQ(b.boxes.command3ToolTip, " Choosen Folder: /data ");
    ChooseScanFolder(b.boxes, b.state, "");
    EXPECT_EQ(b.boxes.command3ToolTip, " Without choosing a folder, all local Drives will be scanned.");
}

TEST(ScannerBoxes, AfterARunEverythingIsEnabledAndCommand4FollowsStart) {
    Boxes b;
    SetControlsEnabled(b.boxes, false);
    EnableAfterRun(b.boxes);
    EXPECT_TRUE(b.boxes.enabled[OptionBox(7)]);
    EXPECT_TRUE(b.boxes.enabled[kCommand3]);
    EXPECT_FALSE(b.boxes.enabled[kCommand4]);
}

}  // namespace
}  // namespace korvane
