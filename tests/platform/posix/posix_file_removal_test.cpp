#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "core/pending_operations.h"
#include "core/whole_file.h"
#include "platform/posix/posix_files_shell.h"
#include "platform/posix/posix_security_system.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class PosixFileRemoval : public ::testing::Test {
protected:
    std::string Path(const std::string& relative) const {
        return temp_.path().toLocal8Bit().toStdString() + "/" + relative;
    }
    void MakeFile(const std::string& relative, const std::string& content = "data") {
        fs::create_directories(fs::path(Path(relative)).parent_path());
        ASSERT_FALSE(WriteWholeFile(Path(relative), content));
    }
    bool Exists(const std::string& relative) const { return fs::exists(fs::symlink_status(Path(relative))); }

    QTemporaryDir temp_;
    PosixFilesShell files;
};

TEST_F(PosixFileRemoval, MovesNeverReplaceAnExistingTarget) {
    MakeFile("tool.exe", "infected");
    MakeFile("backup/tool.exe.bkp", "older");
    EXPECT_TRUE(files.MoveFileNow(Path("tool.exe"), Path("backup/tool.exe.bkp"), true));
    EXPECT_EQ(ReadWholeFile(Path("backup/tool.exe.bkp")), "older");
    EXPECT_TRUE(Exists("tool.exe"));
    EXPECT_FALSE(files.MoveFileNow(Path("tool.exe"), Path("backup/new.bkp"), false));
    EXPECT_EQ(ReadWholeFile(Path("backup/new.bkp")), "infected");
    EXPECT_FALSE(Exists("tool.exe"));
}

TEST_F(PosixFileRemoval, LinksAreNeitherFoldersNorFollowed) {
    MakeFile("outside/precious.exe");
    MakeFile("dir/.hidden");
    MakeFile("dir/sub/inner.exe");
    fs::create_symlink(Path("outside"), Path("dir/link"));

    std::vector<FilesShell::FolderEntry> entries;
    ASSERT_FALSE(files.ListFolder(Path("dir"), entries));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, ".hidden");
    EXPECT_TRUE(entries[0].isHidden);
    EXPECT_EQ(entries[1].name, "link");
    EXPECT_TRUE(entries[1].isLink);
    EXPECT_FALSE(entries[1].isFolder);
    EXPECT_EQ(entries[2].name, "sub");
    EXPECT_TRUE(entries[2].isFolder);
    EXPECT_FALSE(files.IsDirectory(Path("dir/link")));
    EXPECT_TRUE(files.IsDirectory(Path("dir/sub")));
    EXPECT_TRUE(files.ListFolder(Path("missing"), entries));

    EXPECT_FALSE(files.RemoveFile(Path("dir/link")));
    EXPECT_TRUE(Exists("outside/precious.exe"));
    fs::create_symlink(Path("outside"), Path("dir/link"));
    EXPECT_FALSE(files.RemoveFolderTree(Path("dir")));
    EXPECT_FALSE(Exists("dir"));
    EXPECT_TRUE(Exists("outside/precious.exe"));
}

TEST_F(PosixFileRemoval, FolderPathsEmptinessShortNamesAndRoots) {
    EXPECT_FALSE(files.CreateFolderPath(Path("a/b/KRBackup/")));
    EXPECT_TRUE(files.IsFolderEmpty(Path("a/b/KRBackup")));
    EXPECT_FALSE(files.IsFolderEmpty(Path("a")));
    EXPECT_EQ(files.ShortPathOf(Path("a/b")), Path("a/b"));
    EXPECT_EQ(files.ShortPathOf(Path("a/gone")), "");
    EXPECT_TRUE(files.IsFileSystemRoot("/"));
    EXPECT_FALSE(files.IsFileSystemRoot(Path("a")));
    EXPECT_FALSE(files.NamesIgnoreCase());
    fs::create_symlink("/", Path("root-link"));
    EXPECT_EQ(files.CanonicalPath(Path("root-link")), "/");
    EXPECT_EQ(files.CanonicalPath(Path("a/b/../b")), fs::canonical(Path("a/b")).string());
}

TEST_F(PosixFileRemoval, ScheduledOperationsGoToThePendingFileWithAbsolutePaths) {
    ::setenv(kPendingOperationsFileVariable, Path("state/pending").c_str(), 1);
    const std::string cwd = fs::current_path().string();
    fs::create_directories(Path("b"));
    EXPECT_FALSE(files.ScheduleAtRestart({{Path("x.exe"), Path("b/x.exe.bkp")}, {"relative.exe", ""}}));
    ::unsetenv(kPendingOperationsFileVariable);
    const auto listed = DecodePendingOperations(ReadWholeFile(Path("state/pending")));
    ASSERT_TRUE(listed);
    EXPECT_EQ(*listed, (std::vector<PendingOperation>{{Path("x.exe"), Path("b/x.exe.bkp")},
                                                      {cwd + "/relative.exe", ""}}));
    // Each source's folder is recorded by device and inode.
    struct stat folder {};
    ASSERT_EQ(::stat(temp_.path().toLocal8Bit().constData(), &folder), 0);
    EXPECT_EQ((*listed)[0].sourceFolder, std::to_string(folder.st_dev) + ":" + std::to_string(folder.st_ino));
    // The list is its owner's alone, in a folder that is its owner's alone.
    EXPECT_EQ(fs::status(Path("state/pending")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(Path("state")).permissions(), fs::perms::owner_all);
}

// The guard's homes: $HOME, every home in the user database, and under sudo
// the home of the person behind it.
TEST(PosixHomes, EveryHomeOfTheUserDatabaseAndOfSudoUser) {
    const char* home = std::getenv("HOME");
    const std::string oldHome = home != nullptr ? home : "";
    ::setenv("HOME", "/tmp/korvane-home-for-test", 1);
    ::setenv("SUDO_USER", "root", 1);
    PosixSecuritySystem system;
    const std::vector<std::string> homes = system.HomeFolders();
    ::unsetenv("SUDO_USER");
    if (home != nullptr)
        ::setenv("HOME", oldHome.c_str(), 1);
    else
        ::unsetenv("HOME");
    const passwd* root = ::getpwnam("root");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(homes.front(), "/tmp/korvane-home-for-test");
    EXPECT_NE(std::find(homes.begin(), homes.end(), std::string(root->pw_dir)), homes.end());
    EXPECT_GT(homes.size(), 2u);  // the user database has more than root
}

TEST(PosixRestart, RequestGoesThroughTheLauncherOnly) {
    PosixSecuritySystem system;
    std::vector<std::string> started;
    system.SetProcessLauncher(
        [&started](const std::string& program, const std::vector<std::string>& arguments) {
            started.push_back(program);
            for (const std::string& argument : arguments) started.push_back(argument);
            return true;
        });
    EXPECT_TRUE(system.RequestRestart(6));
    EXPECT_EQ(started, (std::vector<std::string>{"systemctl", "reboot"}));
    const auto expected = ::geteuid() == 0 ? SecuritySystem::PrivilegeStep::Done
                                           : SecuritySystem::PrivilegeStep::OpenTokenFailed;
    EXPECT_EQ(system.SetShutdownPrivilege(true), expected);
    EXPECT_FALSE(system.UserHomeFolder().empty());
}

}  // namespace
}  // namespace korvane
