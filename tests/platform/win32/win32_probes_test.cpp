#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/win32_files_shell.h"
#include "platform/win32/win32_security_system.h"

namespace korvane {
namespace {

TEST(Win32Probes, LocaleNameHasNoTrailingNulAndFailureGivesEmpty) {
    Win32SecuritySystem system;
    const std::string name = system.GetLocaleString(kLocaleNativeLanguageName);
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.find('\0'), std::string::npos);
    EXPECT_EQ(system.GetLocaleString(0x7FFFFFFF), "");
}

TEST(Win32Probes, CurrentSystemIsTheLaterNtFamily) {
    Win32SecuritySystem system;
    EXPECT_EQ(system.GetOsVersion(), 9);
}

TEST(Win32Probes, FoldersAsTheSystemReportsThem) {
    Win32SecuritySystem system;
    Win32FilesShell files;
    const std::string temp = system.GetSystemFolder("temp");
    const std::string windows = system.GetSystemFolder("win");
    const std::string systemFolder = system.GetSystemFolder("system");
    ASSERT_FALSE(temp.empty());
    ASSERT_FALSE(windows.empty());
    ASSERT_FALSE(systemFolder.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_NE(windows.back(), '\\');
    EXPECT_NE(systemFolder.back(), '\\');
    EXPECT_EQ(systemFolder.find(' '), std::string::npos) << "no padding blanks: " << systemFolder;
    EXPECT_TRUE(files.FileExists(temp));
    EXPECT_TRUE(files.FileExists(windows));
    EXPECT_TRUE(files.FileExists(systemFolder));
    EXPECT_EQ(system.GetSystemFolder("Win"), "");
    EXPECT_EQ(system.GetSystemFolder("TEMP"), "");
    EXPECT_EQ(system.GetSystemFolder("program"), "");
}

TEST(Win32Probes, LongTemporaryFolderIsNotCutOff) {
    const std::string longTemp = "C:\\" + std::string(150, 'k') + "\\";
    CreateDirectoryA(longTemp.c_str(), nullptr);
    char saved[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", saved, MAX_PATH);
    SetEnvironmentVariableA("TMP", longTemp.c_str());
    const std::string reported = Win32SecuritySystem().GetSystemFolder("temp");
    SetEnvironmentVariableA("TMP", saved);
    RemoveDirectoryA(longTemp.c_str());
    EXPECT_EQ(reported, longTemp);
}

TEST(Win32Probes, SpecialFolderAndUnknownNumber) {
    Win32SecuritySystem system;
    EXPECT_FALSE(system.GetSpecialFolder(kSpecialFolderInternetCache).empty());
    EXPECT_EQ(system.GetSpecialFolder(0x7FFF), "");
}

TEST(Win32Probes, ProgramFolderAndDriveRoot) {
    Win32SecuritySystem system;
    const std::string folder = system.ProgramFolder();
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(system.DriveRoot(), folder.substr(0, 3));
    EXPECT_EQ(system.DriveRoot().substr(1), ":\\");
    EXPECT_EQ(system.PathSeparator(), '\\');
}

TEST(Win32Probes, FileExistsForFilesAndFolders) {
    Win32FilesShell files;
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    EXPECT_TRUE(files.FileExists(module));
    EXPECT_FALSE(files.FileExists(std::string(module) + ".missing"));
}

// Wine runs every program as an elevated administrator.
TEST(Win32Probes, ElevatedUserIsAdministrator) { EXPECT_TRUE(Win32SecuritySystem().IsUserAdmin()); }

TEST(GroupsMakeAdministrator, DenyOnlyCountsOnlyBeforeTheLaterFamily) {
    const TokenGroup users{false, true, false};
    const TokenGroup adminEnabled{true, true, false};
    const TokenGroup adminDenyOnly{true, false, true};
    struct Case {
        std::vector<TokenGroup> groups;
        std::int16_t os;
        bool admin;
    };
    const Case cases[] = {
        {{users, adminEnabled}, 7, true},  {{users, adminDenyOnly}, 5, true},
        {{users, adminDenyOnly}, 8, true}, {{users}, 7, false},
        {{}, 6, false},                    {{users, adminEnabled}, 9, true},
        {{users, adminDenyOnly}, 9, false}, {{adminDenyOnly, adminEnabled}, 9, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GroupsMakeAdministrator(c.groups, c.os), c.admin) << "os " << c.os << ", " << c.groups.size();
    }
}

}  // namespace
}  // namespace korvane
