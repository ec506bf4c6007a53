#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "core/sha256.h"
#include "core/whole_file.h"
#include "platform/backup_files.h"
#include "platform/win32/win32_files_shell.h"

namespace korvane {
namespace {

class Win32BackupFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        root_ = std::string(temp) + "korvane-backup-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount()) + "\\";
        ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    }
    void TearDown() override { files.RemoveFolderTree(root_); }
    std::string Path(const std::string& relative) const { return root_ + relative; }

    std::string root_;
    Win32FilesShell files;
};

// A checked copy never replaces a file, a move never replaces one either, and
// the recorded modification time comes back.
TEST_F(Win32BackupFiles, CheckedCopyMoveAndTimes) {
    ASSERT_FALSE(WriteWholeFile(Path("tool.exe"), "infected"));
    ASSERT_FALSE(WriteWholeFile(Path("taken.bkp"), "older"));
    std::string sha256;
    EXPECT_EQ(CopyFileChecked(Path("tool.exe"), Path("taken.bkp"), sha256), std::errc::file_exists);
    EXPECT_EQ(ReadWholeFile(Path("taken.bkp")), "older");
    ASSERT_FALSE(CopyFileChecked(Path("tool.exe"), Path("copy.partial"), sha256));
    EXPECT_EQ(sha256, Sha256Hex("infected"));
    EXPECT_EQ(RenameNoReplace(Path("copy.partial"), Path("taken.bkp")), std::errc::file_exists);
    ASSERT_FALSE(RenameNoReplace(Path("copy.partial"), Path("tool.exe.bkp")));
    EXPECT_EQ(ReadWholeFile(Path("tool.exe.bkp")), "infected");

    FileFacts facts;
    facts.modified = FileTimestamp{1000000000, 123456700};
    ASSERT_FALSE(ApplyFileFacts(Path("tool.exe.bkp"), facts));
    FileFacts read;
    ASSERT_FALSE(ReadFileFacts(Path("tool.exe.bkp"), read));
    EXPECT_TRUE(read.regular);
    EXPECT_EQ(read.size, 8u);
    EXPECT_EQ(read.modified, facts.modified);
    EXPECT_FALSE(read.mode);

    ASSERT_FALSE(WriteFileDurably(Path("manifest"), "one"));
    ASSERT_FALSE(WriteFileDurably(Path("manifest"), "two"));
    EXPECT_EQ(ReadWholeFile(Path("manifest")), "two");
    EXPECT_FALSE(MakeBackupFolderPrivate(root_));
    EXPECT_EQ(MakeBackupFolderPrivate(Path("manifest")), std::errc::not_a_directory);
}

}  // namespace
}  // namespace korvane
