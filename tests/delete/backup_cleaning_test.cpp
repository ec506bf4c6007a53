#include "delete/backup_cleaning.h"

#include <gtest/gtest.h>

#include "deletion_fixture.h"

namespace korvane {
namespace {

class BackupCleaning : public testing::DeletionFixture {};

TEST_F(BackupCleaning, DeletesPlainFilesOnly) {
    for (const char* name : {"a.exe.bkp", "b.dll.bkp", "c.com.bkp", ".hidden", "sub/inner.bkp"}) {
        MakeFile(std::string("prog/KRBackup/") + name);
    }
    MakeFile("elsewhere/target.txt");
    std::filesystem::create_symlink(Path("elsewhere/target.txt"), Path("prog/KRBackup/link.bkp"));
    std::filesystem::permissions(Path("prog/KRBackup/c.com.bkp"), std::filesystem::perms::owner_read);

    CleanBackupFolder(Context());
    for (const char* gone : {"a.exe.bkp", "b.dll.bkp", "c.com.bkp"}) {
        EXPECT_FALSE(Exists(std::string("prog/KRBackup/") + gone)) << gone;
    }
    EXPECT_TRUE(Exists("prog/KRBackup/.hidden"));
    EXPECT_TRUE(Exists("prog/KRBackup/sub/inner.bkp"));
    EXPECT_TRUE(Exists("elsewhere/target.txt"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BackupCleaning, NoBackupFolderNothingHappens) {
    CleanBackupFolder(Context());
    EXPECT_FALSE(Exists("prog/KRBackup"));
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace korvane
