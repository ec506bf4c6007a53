#include "delete/backup_store.h"
#include "delete/pending_carry_out.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/sha256.h"
#include "delete/backup_cleaning.h"
#include "delete/backup_restore.h"
#include "deletion_fixture.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::DeletionFixture;

class Backups : public DeletionFixture {
protected:
    void AddRow(const std::string& path, const std::string& detection) {
        rows.push_back({path, state.Text(kStatusAdded), true, detection});
    }
    DeleteRunResult RunWithBackup(bool allOnReboot = false) {
        DeleteOptions options;
        options.fileBackup = true;
        options.allOnReboot = allOnReboot;
        return Run(options);
    }
    BackupStore Store() {
        BackupStore store(files, Path("prog/KRBackup"), '/');
        EXPECT_FALSE(store.Open(false)) << store.Damage();
        return store;
    }
    static unsigned ModeOf(const std::string& path) {
        struct stat info {};
        ::lstat(path.c_str(), &info);
        return info.st_mode & 07777;
    }
    // Carries out the moves left for the restart, as "korvane apply-pending" does.
    ApplyPendingResult ApplyPending() {
        const DeletionContext context = Context();
        const ProtectedFolders guard = ProtectedFoldersOf(context);
        return ApplyPendingOperations(Path("pending"), [&](AppliedOperation& applied) {
            CarryOutPendingEntry(context, guard, applied);
        });
    }
};

// Four files of one name: two backed up at once, two left for the restart
// (with a file taking one reserved name meanwhile). None overwrites another,
// and each comes back with its own content.
TEST_F(Backups, SameNamedFilesNowAndAtTheRestartAreAllKeptAndRestorable) {
    if (::geteuid() != 0) GTEST_SKIP() << "moves at the restart need administrator rights (root)";
    for (const char* folder : {"a", "b", "c", "d"}) MakeFile(std::string(folder) + "/setup.exe", folder);
    AddRow(Path("a/setup.exe"), "Trojan.A");
    AddRow(Path("b/setup.exe"), "Trojan.B");
    RunWithBackup();
    EXPECT_EQ(Status(0), "deleted");
    EXPECT_EQ(Status(1), "deleted");
    EXPECT_EQ(ReadWholeFile(Path("prog/KRBackup/setup.exe.bkp")), "a");
    EXPECT_EQ(ReadWholeFile(Path("prog/KRBackup/setup.exe (2).bkp")), "b");

    rows.clear();
    AddRow(Path("c/setup.exe"), "Trojan.C");
    AddRow(Path("d/setup.exe"), "Trojan.D");
    RunWithBackup(/*allOnReboot=*/true);
    EXPECT_EQ(Status(0), "reboot");
    // The names are chosen now, not at the restart.
    EXPECT_EQ(Pending(), (std::vector<PendingOperation>{
                             {Path("c/setup.exe"), Path("prog/KRBackup/setup.exe (3).bkp")},
                             {Path("d/setup.exe"), Path("prog/KRBackup/setup.exe (4).bkp")},
                         }));
    MakeFile("prog/KRBackup/setup.exe (4).bkp", "someone else's");  // taken meanwhile

    const ApplyPendingResult applied = ApplyPending();
    ASSERT_FALSE(applied.fileError);
    for (const AppliedOperation& operation : applied.applied)
        EXPECT_FALSE(operation.error) << operation.error;
    EXPECT_EQ(ReadWholeFile(Path("prog/KRBackup/setup.exe (4).bkp")), "someone else's");
    EXPECT_EQ(ReadWholeFile(Path("prog/KRBackup/setup.exe (5).bkp")), "d");

    BackupStore store = Store();
    const std::vector<BackupRecord> listed = ListBackups(store);
    ASSERT_EQ(listed.size(), 4u);
    const char* expected[][2] = {{"a", "Trojan.A"}, {"b", "Trojan.B"}, {"c", "Trojan.C"}, {"d", "Trojan.D"}};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string content = expected[i][0];
        EXPECT_EQ(listed[i].original, Path(content + "/setup.exe"));
        EXPECT_EQ(listed[i].detection, expected[i][1]);
        EXPECT_EQ(listed[i].sha256, Sha256Hex(content));
        EXPECT_EQ(listed[i].size, 1u);
        EXPECT_EQ(listed[i].time.size(), 20u);
        EXPECT_FALSE(Exists(content + "/setup.exe"));
        const RestoreOutcome restored = RestoreBackup(store, listed[i].id, {});
        EXPECT_FALSE(restored.error) << restored.reason;
        EXPECT_EQ(ReadWholeFile(Path(content + "/setup.exe")), content);
    }
    EXPECT_TRUE(ListBackups(Store()).empty());
    EXPECT_TRUE(Exists("prog/KRBackup/setup.exe (4).bkp"));  // not ours: stays
}

// Where the system carries out the moves at the restart itself (Windows),
// the file found under its reserved name is recorded as its backup.
TEST_F(Backups, MoveDoneByTheSystemAtTheRestartIsRecorded) {
    MakeFile("e/tool.exe", "infected");
    ::chmod(Path("e/tool.exe").c_str(), 0755);
    AddRow(Path("e/tool.exe"), "Trojan.E");
    RunWithBackup(/*allOnReboot=*/true);
    EXPECT_TRUE(ListBackups(Store()).empty());  // nothing to restore yet
    fs::rename(Path("e/tool.exe"), Path("prog/KRBackup/tool.exe.bkp"));

    const std::vector<BackupRecord> listed = ListBackups(Store());
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].original, Path("e/tool.exe"));
    EXPECT_EQ(listed[0].detection, "Trojan.E");
    EXPECT_EQ(listed[0].sha256, Sha256Hex("infected"));
    EXPECT_EQ(listed[0].mode, 0755u);
    EXPECT_EQ(ModeOf(Path("prog/KRBackup/tool.exe.bkp")), 0600u);
}

// A set-uid program is kept as a file nobody can run, and comes back as it was.
TEST_F(Backups, SetUidProgramIsKeptInertAndRestoredWithItsModeAndTime) {
    MakeFile("x/tool", "#!/bin/sh\necho run\n");
    ::chmod(Path("x/tool").c_str(), 04755);
    const struct timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 123456789}};
    ::utimensat(AT_FDCWD, Path("x/tool").c_str(), times, 0);
    AddRow(Path("x/tool"), "Backdoor.Linux.X");
    RunWithBackup();
    EXPECT_EQ(Status(0), "deleted");
    EXPECT_EQ(ModeOf(Path("prog/KRBackup/tool.bkp")), 0600u);
    EXPECT_EQ(ModeOf(Path("prog/KRBackup")), 0700u);

    BackupStore store = Store();
    const std::vector<BackupRecord> listed = ListBackups(store);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].mode, 04755u);
    ASSERT_TRUE(listed[0].modified);
    EXPECT_EQ(listed[0].modified->seconds, 1000000000);
    const RestoreOutcome restored = RestoreBackup(store, listed[0].id, {});
    ASSERT_FALSE(restored.error) << restored.reason;
    EXPECT_EQ(ModeOf(Path("x/tool")), 04755u);
    struct stat info {};
    ::stat(Path("x/tool").c_str(), &info);
    EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);
    EXPECT_EQ(info.st_mtim.tv_nsec, 123456789);
    EXPECT_FALSE(Exists("prog/KRBackup/tool.bkp"));
}

// A name without a folder is backed up as the file in the current folder;
// a folder has each of its files backed up with its own path.
TEST_F(Backups, RelativeNameAndFolderContentsAreBackedUp) {
    MakeFile("cwd/bare.exe", "bare");
    MakeFile("x/dir/a.txt", "A");
    MakeFile("x/dir/sub/b.exe", "B");
    fs::create_symlink(Path("x/dir/a.txt"), Path("x/dir/link"));
    const fs::path before = fs::current_path();
    fs::current_path(Path("cwd"));
    AddRow("bare.exe", "Worm.Bare");
    AddRow(Path("x/dir"), "Trojan.Dir");
    RunWithBackup();
    fs::current_path(before);

    EXPECT_EQ(Status(0), "deleted");
    EXPECT_EQ(Status(1), "deleted");
    EXPECT_FALSE(Exists("cwd/bare.exe"));
    EXPECT_FALSE(Exists("x/dir"));
    const std::vector<BackupRecord> listed = ListBackups(Store());
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].original, fs::canonical(Path("cwd")).string() + "/bare.exe");
    EXPECT_EQ(listed[1].original, Path("x/dir/a.txt"));
    EXPECT_EQ(listed[1].detection, "Trojan.Dir");
    EXPECT_EQ(listed[2].original, Path("x/dir/sub/b.exe"));
    EXPECT_EQ(ReadWholeFile(Path("prog/KRBackup/") + listed[2].file), "B");
}

// Where no backup can be made, nothing is deleted and the reason is told.
TEST_F(Backups, NoBackupPossibleMeansNothingIsDeleted) {
    MakeFile("prog/KRBackup", "a file where the folder should be");
    MakeFile("x/tool.exe");
    MakeFile("x/dir/inner.exe");
    AddRow(Path("x/tool.exe"), "");
    AddRow(Path("x/dir"), "");
    const DeleteRunResult result = RunWithBackup();
    EXPECT_EQ(Status(0), "failed");
    EXPECT_EQ(Status(1), "failed");
    EXPECT_TRUE(Exists("x/tool.exe"));
    EXPECT_TRUE(Exists("x/dir/inner.exe"));
    EXPECT_EQ(result.backupFailures.size(), 2u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("No backup could be made"), std::string::npos);
    EXPECT_NE(ui.messages[0].text.find("Not a directory"), std::string::npos);
    EXPECT_TRUE(Queued().empty());
}

// A damaged manifest is reported; nothing is backed up over it nor restored from it.
TEST_F(Backups, DamagedManifestIsReportedAndNothingIsDoneWithIt) {
    MakeFile("x/tool.exe", "infected");
    AddRow(Path("x/tool.exe"), "");
    RunWithBackup();
    const std::string manifest = Path("prog/KRBackup/") + kBackupManifestName;
    std::string text = ReadWholeFile(manifest);
    text.replace(text.find("x/tool.exe"), 10, "x/evil.exe");
    ASSERT_FALSE(WriteWholeFile(manifest, text));

    BackupStore store(files, Path("prog/KRBackup"), '/');
    EXPECT_EQ(store.Open(false), std::errc::illegal_byte_sequence);
    EXPECT_NE(store.Damage().find("damaged"), std::string::npos);
    EXPECT_TRUE(ListBackups(store).empty());
    EXPECT_TRUE(RestoreBackup(store, 1, {}).error);
    EXPECT_FALSE(Exists("x/evil.exe"));
    EXPECT_FALSE(Exists("x/tool.exe"));

    MakeFile("x/second.exe");
    rows.clear();
    AddRow(Path("x/second.exe"), "");
    RunWithBackup();
    EXPECT_EQ(Status(0), "failed");
    EXPECT_TRUE(Exists("x/second.exe"));
    EXPECT_EQ(ReadWholeFile(manifest), text);  // left for the user to look at
}

TEST_F(Backups, RestoreNeverOverwritesAndChecksTheDigest) {
    MakeFile("x/tool.exe", "infected");
    MakeFile("x/other.exe", "other");
    AddRow(Path("x/tool.exe"), "");
    AddRow(Path("x/other.exe"), "");
    RunWithBackup();
    MakeFile("x/tool.exe", "a new file of that name");
    BackupStore store = Store();
    RestoreOutcome refused = RestoreBackup(store, 1, {});
    EXPECT_EQ(refused.error, std::errc::file_exists);
    EXPECT_EQ(ReadWholeFile(Path("x/tool.exe")), "a new file of that name");
    EXPECT_TRUE(Exists("prog/KRBackup/tool.exe.bkp"));

    // Into another folder instead.
    const RestoreOutcome moved = RestoreBackup(store, 1, Path("elsewhere/"));
    EXPECT_FALSE(moved.error) << moved.reason;
    EXPECT_EQ(ReadWholeFile(Path("elsewhere/tool.exe")), "infected");

    // A backup changed on the disk is not put back.
    ASSERT_FALSE(WriteWholeFile(Path("prog/KRBackup/other.exe.bkp"), "tampered"));
    EXPECT_EQ(RestoreBackup(store, 2, {}).error, std::errc::illegal_byte_sequence);
    EXPECT_FALSE(Exists("x/other.exe"));
    EXPECT_TRUE(Exists("prog/KRBackup/other.exe.bkp"));
}

// Cleaning the folder keeps the manifest, and the records only of the
// backups that are still there.
TEST_F(Backups, CleaningKeepsTheManifestTrue) {
    MakeFile("x/a.exe", "a");
    MakeFile("x/b.exe", "b");
    AddRow(Path("x/a.exe"), "");
    AddRow(Path("x/b.exe"), "");
    RunWithBackup();
    files.locked.insert(Path("prog/KRBackup/b.exe.bkp"));  // in use: stays
    CleanBackupFolder(Context());
    EXPECT_FALSE(Exists("prog/KRBackup/a.exe.bkp"));
    EXPECT_TRUE(Exists(std::string("prog/KRBackup/") + kBackupManifestName));
    const std::vector<BackupRecord> listed = ListBackups(Store());
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].file, "b.exe.bkp");
    EXPECT_TRUE(ui.messages.empty());
}

// A small file system of its own for KRBackup (root only).
class TmpfsBackupFolder : public Backups {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
        MakeFolder("prog/KRBackup");
        if (::mount("tmpfs", Path("prog/KRBackup").c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount tmpfs here";
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) ::umount2(Path("prog/KRBackup").c_str(), MNT_DETACH);
    }
    bool mounted_ = false;
};

// Across file systems on a full disk: the older backup stays as it was, no
// partial copy is left, and the original stays.
TEST_F(TmpfsBackupFolder, FullDiskAcrossFileSystemsLosesNothing) {
    MakeFile("prog/KRBackup/tool.exe.bkp", "older backup");
    const std::string big(200 * 1024, 'x');
    MakeFile("x/tool.exe", big);
    MakeFile("x/small.exe", "small");
    AddRow(Path("x/tool.exe"), "");
    AddRow(Path("x/small.exe"), "");
    const DeleteRunResult result = RunWithBackup();
    EXPECT_EQ(Status(0), "failed");
    EXPECT_EQ(ReadWholeFile(Path("x/tool.exe")), big);
    EXPECT_EQ(ReadWholeFile(Path("prog/KRBackup/tool.exe.bkp")), "older backup");
    ASSERT_EQ(result.backupFailures.size(), 1u);
    EXPECT_NE(result.backupFailures[0].find("No space left"), std::string::npos) << result.backupFailures[0];

    // The small one fits: copied, checked, and only then the original removed.
    EXPECT_EQ(Status(1), "deleted");
    EXPECT_FALSE(Exists("x/small.exe"));
    EXPECT_EQ(ReadWholeFile(Path("prog/KRBackup/small.exe.bkp")), "small");
    EXPECT_EQ(ModeOf(Path("prog/KRBackup/small.exe.bkp")), 0600u);
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(Path("prog/KRBackup")))
        names.insert(entry.path().filename());
    EXPECT_EQ(names, (std::set<std::string>{"tool.exe.bkp", "small.exe.bkp", kBackupManifestName}));
    EXPECT_EQ(ListBackups(Store()).size(), 1u);
}

}  // namespace
}  // namespace korvane
