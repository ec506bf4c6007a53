// Rows of a log the scanner wrote under Wine name drive paths; the delete run
// acts on the files the Wine prefix maps them to, and the rows keep the log's
// text.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "delete/deletion_fixture.h"
#include "delete/row_target.h"

namespace korvane {
namespace {

class WineDriveRows : public testing::DeletionFixture {
protected:
    WineDriveRows() {
        MakeFolder("wine/dosdevices");
        MakeFolder("wine/drive_c/windows/system32");
        std::filesystem::create_symlink("../drive_c", Path("wine/dosdevices/c:"));
        std::filesystem::create_symlink("/", Path("wine/dosdevices/z:"));
        std::filesystem::create_symlink(Path("gone"), Path("wine/dosdevices/y:"));
        ::setenv("WINEPREFIX", Path("wine").c_str(), 1);
    }
    ~WineDriveRows() override { ::unsetenv("WINEPREFIX"); }

    // Z:\ and the folder's path with backslashes, as Wine writes it.
    std::string OnDriveZ(const std::string& relative) const {
        std::string path = "Z:" + Path(relative);
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }
};

TEST_F(WineDriveRows, PrefixLinksGiveTheDrives) {
    const WinePrefix prefix = ReadWinePrefix();
    EXPECT_EQ(prefix.dosdevices, Path("wine/dosdevices"));
    std::vector<std::pair<char, std::string>> drives;
    for (const WineDrive& drive : prefix.drives) drives.emplace_back(drive.letter, drive.folder);
    std::sort(drives.begin(), drives.end());
    const std::string driveC = std::filesystem::canonical(Path("wine/drive_c")).string();
    EXPECT_EQ(drives, (std::vector<std::pair<char, std::string>>{{'c', driveC}, {'z', "/"}}));
}

TEST_F(WineDriveRows, DeletesTheMappedFilesAndKeepsTheLogText) {
    MakeFile("x/tool.exe");
    MakeFile("wine/drive_c/windows/system32/evil.dll");
    const std::string toolRow = OnDriveZ("x/tool.exe");
    AddRows({toolRow, R"(C:\WINDOWS\System32\EVIL.DLL)"});
    const DeleteRunResult result = Run();
    EXPECT_FALSE(Exists("x/tool.exe"));
    EXPECT_FALSE(Exists("wine/drive_c/windows/system32/evil.dll"));
    EXPECT_EQ(Status(0), "deleted");
    EXPECT_EQ(Status(1), "deleted");
    EXPECT_EQ(rows[0].path, toolRow);
    EXPECT_TRUE(result.notDone.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(WineDriveRows, BacksUpAndQueuesTheMappedFile) {
    MakeFile("x/tool.exe", "tool");
    AddRows({OnDriveZ("x/tool.exe"), OnDriveZ("x/gone.exe")});
    DeleteOptions options;
    options.fileBackup = true;
    Run(options);
    EXPECT_FALSE(Exists("x/tool.exe"));
    EXPECT_EQ(ReadWholeFile(Path("prog/KRBackup/tool.exe.bkp")), "tool");
    EXPECT_EQ(Status(1), "reboot");
    EXPECT_EQ(Queued(), std::vector<std::string>{Path("x/gone.exe")});
}

// A drive the prefix does not have (or whose link leads nowhere), or a path
// that climbs out with "..", names nothing: the row fails with the reason and
// nothing is queued for the restart.
TEST_F(WineDriveRows, PathThatMapsNowhereFailsWithTheReason) {
    MakeFile("x/tool.exe");
    AddRows({R"(Q:\x\tool.exe)", R"(Y:\tool.exe)", OnDriveZ("x/sub/../tool.exe")});
    const DeleteRunResult result = Run();
    for (int row = 0; row < 3; ++row) EXPECT_EQ(Status(row), "failed") << row;
    EXPECT_TRUE(Exists("x/tool.exe"));
    EXPECT_TRUE(Queued().empty());
    EXPECT_FALSE(Exists("pending"));
    EXPECT_EQ(result.message, DeleteEndMessage::None);
    EXPECT_FALSE(result.restartNeeded);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "These objects were not deleted:\r\nQ:\\x\\tool.exe (No Wine drive for this path in " +
                  Path("wine/dosdevices") + ")\r\nY:\\tool.exe (No Wine drive for this path in " +
                  Path("wine/dosdevices") + ")\r\n" + OnDriveZ("x/sub/../tool.exe") +
                  " (A path with \".\" or \"..\" is not mapped.)");
}

TEST_F(WineDriveRows, DriveRootIsRefusedLikeTheRoot) {
    AddRows({"Z:\\"});
    DeleteOptions options;
    options.dryRun = true;
    const DeleteRunResult result = Run(options);
    ASSERT_EQ(result.plans.size(), 1u);
    EXPECT_EQ(result.plans[0].action, PlannedAction::Refuse);
    EXPECT_EQ(result.plans[0].path, "/");
}

TEST(RowTargetsOnWindows, DrivePathsAreRealAlready) {
    const RowTargets targets(WinePrefix{}, false);
    EXPECT_EQ(targets.Of(R"(Q:\x.exe)", UiLanguage::English).path, R"(Q:\x.exe)");
}

}  // namespace
}  // namespace korvane
