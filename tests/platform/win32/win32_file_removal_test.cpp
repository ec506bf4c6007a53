#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "core/whole_file.h"
#include "core/wininit_text.h"
#include "platform/win32/win32_files_shell.h"
#include "platform/win32/win32_folder_entry.h"
#include "platform/win32/win32_security_system.h"

namespace korvane {
namespace {

// A fresh folder under the temporary folder, removed with everything in it.
class TempTree : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        root_ = std::string(temp) + "korvane-removal-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount()) + "\\";
        ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    }
    void TearDown() override { files.RemoveFolderTree(root_); }

    std::string Path(const std::string& relative) const { return root_ + relative; }
    void MakeFile(const std::string& relative, const std::string& content = "data") {
        ASSERT_FALSE(WriteWholeFile(Path(relative), content)) << relative;
    }
    void MakeFolder(const std::string& relative) {
        ASSERT_TRUE(CreateDirectoryA(Path(relative).c_str(), nullptr));
    }
    bool Exists(const std::string& relative) const {
        return GetFileAttributesA(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // A directory link, or nothing where the system cannot make one (Wine
    // reports success and makes none).
    bool MakeFolderLink(const std::string& relative, const std::string& target) {
        CreateSymbolicLinkA(Path(relative).c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
        return IsReparsePoint(GetFileAttributesA(Path(relative).c_str()));
    }
    static bool IsReparsePoint(DWORD attributes) {
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    }

    std::string root_;
    Win32FilesShell files;
};

using Win32FileRemoval = TempTree;

TEST_F(Win32FileRemoval, DeleteAndMoveAsTheSystemDoes) {
    MakeFile("tool.exe", "infected");
    MakeFolder("backup");
    MakeFile("backup\\old.bkp", "old");
    MakeFile("other.exe", "second");

    EXPECT_FALSE(files.MoveFileNow(Path("tool.exe"), Path("backup\\tool.exe.bkp"), true));
    EXPECT_EQ(ReadWholeFile(Path("backup\\tool.exe.bkp")), "infected");
    EXPECT_FALSE(Exists("tool.exe"));
    // An existing target makes both kinds of move fail; nothing is replaced.
    EXPECT_TRUE(files.MoveFileNow(Path("other.exe"), Path("backup\\old.bkp"), true));
    EXPECT_TRUE(files.MoveFileNow(Path("other.exe"), Path("backup\\old.bkp"), false));
    EXPECT_EQ(ReadWholeFile(Path("backup\\old.bkp")), "old");
    EXPECT_FALSE(files.MoveFileNow(Path("other.exe"), Path("backup\\other.exe.bkp"), false));

    EXPECT_FALSE(files.RemoveFile(Path("backup\\old.bkp")));
    EXPECT_FALSE(Exists("backup\\old.bkp"));
    EXPECT_TRUE(files.RemoveFile(Path("missing.exe")));
}

TEST_F(Win32FileRemoval, FolderTestsAndListing) {
    MakeFolder("empty");
    MakeFolder("full");
    MakeFile("full\\a.txt");
    MakeFile("full\\hidden.bkp");
    SetFileAttributesA(Path("full\\hidden.bkp").c_str(), FILE_ATTRIBUTE_HIDDEN);
    MakeFolder("full\\sub");

    EXPECT_TRUE(files.IsDirectory(Path("full")));
    EXPECT_FALSE(files.IsDirectory(Path("full\\a.txt")));
    EXPECT_TRUE(files.IsFolderEmpty(Path("empty")));
    EXPECT_FALSE(files.IsFolderEmpty(Path("full")));

    std::vector<FilesShell::FolderEntry> entries;
    ASSERT_FALSE(files.ListFolder(Path("full"), entries));
    ASSERT_EQ(entries.size(), 3u);
    for (const auto& entry : entries) {
        EXPECT_EQ(entry.isFolder, entry.name == "sub") << entry.name;
        EXPECT_EQ(entry.isHidden, entry.name == "hidden.bkp") << entry.name;
        EXPECT_FALSE(entry.isLink);
    }
    ASSERT_FALSE(files.ListFolder(Path("empty\\"), entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_TRUE(files.ListFolder(Path("no-such-folder"), entries));
}

TEST_F(Win32FileRemoval, ShellRemovesAWholeFolderForGood) {
    MakeFolder("dir");
    MakeFile("dir\\a.txt");
    MakeFolder("dir\\s");
    MakeFile("dir\\s\\c.exe");
    EXPECT_FALSE(files.RemoveFolderTree(Path("dir")));
    EXPECT_FALSE(Exists("dir"));
}

TEST(Win32FolderEntry, ReparsePointsAreLinksNeverFolders) {
    const char name[MAX_PATH] = "junction\0garbage";
    const auto junction =
        FolderEntryFromSearch(name, MAX_PATH, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
    EXPECT_EQ(junction.name, "junction");
    EXPECT_TRUE(junction.isLink);
    EXPECT_FALSE(junction.isFolder);
    const auto folder =
        FolderEntryFromSearch("sub", MAX_PATH, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(folder.isFolder);
    EXPECT_FALSE(folder.isLink);
    EXPECT_TRUE(folder.isHidden);
    const auto file =
        FolderEntryFromSearch("tool.exe", MAX_PATH, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT);
    EXPECT_TRUE(file.isLink);
    EXPECT_TRUE(file.isSystem);
    EXPECT_FALSE(file.isFolder);
}

// The reparse test: a link inside a folder is listed as a link, never as a
// folder, and removing the folder leaves what the link points to.
TEST_F(Win32FileRemoval, LinksAreNeverFollowed) {
    MakeFolder("outside");
    MakeFile("outside\\precious.exe");
    MakeFolder("dir");
    MakeFile("dir\\b.exe");
    if (!MakeFolderLink("dir\\link", Path("outside"))) GTEST_SKIP() << "no directory links here";

    std::vector<FilesShell::FolderEntry> entries;
    ASSERT_FALSE(files.ListFolder(Path("dir"), entries));
    bool sawLink = false;
    for (const auto& entry : entries) {
        if (entry.name != "link") continue;
        sawLink = true;
        EXPECT_TRUE(entry.isLink);
        EXPECT_FALSE(entry.isFolder);
    }
    EXPECT_TRUE(sawLink) << [&] {
        std::string names;
        for (const auto& e : entries) names += e.name + (e.isFolder ? "/ " : " ");
        return names;
    }();
    EXPECT_FALSE(files.IsDirectory(Path("dir\\link")));

    EXPECT_FALSE(files.RemoveFolderTree(Path("dir")));
    EXPECT_FALSE(Exists("dir"));
    EXPECT_TRUE(Exists("outside\\precious.exe"));
}

TEST_F(Win32FileRemoval, FolderPathsShortNamesAndRoots) {
    EXPECT_FALSE(files.CreateFolderPath(Path("a\\b\\KRBackup\\")));
    EXPECT_TRUE(files.IsDirectory(Path("a\\b\\KRBackup")));
    MakeFile("a\\long file name.executable");
    const std::string shortPath = files.ShortPathOf(Path("a\\long file name.executable"));
    EXPECT_FALSE(shortPath.empty());
    EXPECT_LT(shortPath.size(), 255u);
    EXPECT_EQ(files.ShortPathOf(Path("a\\gone.exe")), "");

    EXPECT_TRUE(files.IsFileSystemRoot("C:\\"));
    EXPECT_TRUE(files.IsFileSystemRoot("c:"));
    EXPECT_FALSE(files.IsFileSystemRoot(Path("a")));
    EXPECT_TRUE(files.NamesIgnoreCase());
    const std::string canonical = files.CanonicalPath(Path("a\\b\\..\\b"));
    EXPECT_EQ(lstrcmpiA(canonical.c_str(), Path("a\\b").c_str()), 0) << canonical;
}

// Windows carries out delayed operations at its next start; here Wine's own
// start-up program plays that start.
void RestartWine() {
    char command[] = "wineboot.exe -r";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    WaitForSingleObject(process.hProcess, 120000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// A backup move whose name another file took before the restart keeps both:
// the older file is never replaced.
TEST_F(Win32FileRemoval, DelayedDeletionAndBackupHappenAtTheNextStart) {
    MakeFile("virus.exe", "bad");
    MakeFile("tool.exe", "infected");
    MakeFile("other.exe", "also infected");
    MakeFolder("KRBackup");
    MakeFolder("gone-folder");
    ASSERT_FALSE(files.ScheduleAtRestart({{Path("virus.exe"), ""},
                                          {Path("tool.exe"), Path("KRBackup\\tool.exe.bkp")},
                                          {Path("other.exe"), Path("KRBackup\\other.exe.bkp")},
                                          {Path("gone-folder"), ""},
                                          {Path("never-existed.exe"), ""}}));
    MakeFile("KRBackup\\other.exe.bkp", "took the name meanwhile");
    EXPECT_TRUE(Exists("virus.exe"));  // only recorded so far
    RestartWine();
    EXPECT_FALSE(Exists("virus.exe"));
    EXPECT_FALSE(Exists("tool.exe"));
    EXPECT_EQ(ReadWholeFile(Path("KRBackup\\tool.exe.bkp")), "infected");
    EXPECT_EQ(ReadWholeFile(Path("KRBackup\\other.exe.bkp")), "took the name meanwhile");
    EXPECT_EQ(ReadWholeFile(Path("other.exe")), "also infected");
    EXPECT_FALSE(Exists("gone-folder"));
}

// The older family's list: Wine works through Wininit.ini at its start as
// those systems did, so the text built for them is tested for real here.
TEST_F(Win32FileRemoval, WininitListIsCarriedOutAtTheNextStart) {
    MakeFile("old-virus.exe", "bad");
    MakeFolder("KRBackup");
    MakeFile("old-tool.exe", "infected");
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string wininit = std::string(windows) + "\\wininit.ini";
    DeleteFileA(wininit.c_str());

    WininitRequest plain;
    plain.entries = {"", Path("old-virus.exe")};
    WininitQueries queries;
    queries.exists = [this](const std::string& p) { return files.FileExists(p); };
    queries.isFolder = [this](const std::string& p) { return files.IsDirectory(p); };
    queries.shortPath = [this](const std::string& p) { return files.ShortPathOf(p); };
    const std::string first = BuildWininitText(plain, queries);
    WininitRequest backup;
    backup.fileExists = true;
    backup.existingText = first;
    backup.entries = {"", Path("old-tool.exe")};
    backup.backup = true;
    backup.shortBackupFolder = files.ShortPathOf(Path("KRBackup\\"));
    ASSERT_FALSE(WriteWholeFile(wininit, BuildWininitText(backup, queries)));

    RestartWine();
    EXPECT_FALSE(Exists("old-virus.exe"));
    EXPECT_FALSE(Exists("old-tool.exe"));
    EXPECT_EQ(ReadWholeFile(Path("KRBackup\\OLD-T_~1.BKP")), "infected");
    DeleteFileA(wininit.c_str());
}

TEST(Win32Restart, PrivilegeStepsAndARecordedRequest) {
    Win32SecuritySystem system;
    EXPECT_EQ(system.SetShutdownPrivilege(true), SecuritySystem::PrivilegeStep::Done);
    EXPECT_EQ(system.SetShutdownPrivilege(false), SecuritySystem::PrivilegeStep::Done);
    std::vector<std::uint32_t> requests;
    system.SetRestartCall([&requests](std::uint32_t mode) {
        requests.push_back(mode);
        return true;
    });
    EXPECT_TRUE(system.RequestRestart(6));
    EXPECT_EQ(requests, std::vector<std::uint32_t>{6});
    EXPECT_FALSE(system.UserHomeFolder().empty());
}

}  // namespace
}  // namespace korvane
