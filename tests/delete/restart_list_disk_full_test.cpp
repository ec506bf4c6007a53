// The disk fills up while the restart list is recorded: Wininit.ini and the
// pending-operations file keep their older content, and the run says that
// the deletions could not be scheduled.
#include <gtest/gtest.h>

#include <filesystem>

#include "delete/deletion_fixture.h"
#include "support/disk_full.h"

namespace korvane {
namespace {

class RestartListDiskFull : public testing::DeletionFixture {
protected:
    std::size_t FilesIn(const std::string& relative) const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(Path(relative)),
                                                      std::filesystem::directory_iterator{}));
    }
    DeleteRunResult RunWithDiskFullAfter(std::size_t bytes) {
        testing::DiskFullAfter full(bytes);
        EXPECT_TRUE(full.Active());
        return Run();
    }
};

TEST_F(RestartListDiskFull, WininitKeepsItsOlderLines) {
    state.OsVersion = 2;
    state.UserIsAdmin = false;
    const std::string older = "[rename]\r\nNUL=C:\\OLD.EXE\r\n";
    MakeFile("windows/Wininit.ini", older);
    MakeFile("x/tool.exe");
    files.locked.insert(Path("x/tool.exe"));
    AddRows({Path("x/tool.exe")});
    const DeleteRunResult result = RunWithDiskFullAfter(older.size() + 8);
    EXPECT_TRUE(result.scheduleError);
    EXPECT_EQ(result.message, DeleteEndMessage::SchedulingFailed);
    EXPECT_EQ(ReadWholeFile(Path("windows/Wininit.ini")), older);
    EXPECT_EQ(FilesIn("windows"), 1u);
}

TEST_F(RestartListDiskFull, PendingOperationsKeepTheOlderList) {
    ASSERT_FALSE(WriteWholeFile(Path("pending"), EncodePendingOperations({{Path("older.exe"), ""}})));
    const std::string older = ReadWholeFile(Path("pending"));
    MakeFile("x/tool.exe");
    files.locked.insert(Path("x/tool.exe"));
    AddRows({Path("x/tool.exe")});
    const DeleteRunResult result = RunWithDiskFullAfter(older.size() + 8);
    EXPECT_TRUE(result.scheduleError);
    EXPECT_EQ(result.message, DeleteEndMessage::SchedulingFailed);
    EXPECT_EQ(ReadWholeFile(Path("pending")), older);
    EXPECT_EQ(Status(0), "failed");  // nothing was recorded for it
    // Only the list and the files of the run lie in the folder: no temporary file.
    EXPECT_EQ(FilesIn(""), 5u);  // prog, windows, home, x and the list
}

}  // namespace
}  // namespace korvane
