#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "platform/posix/posix_files_shell.h"
#include "platform/posix/posix_security_system.h"

namespace korvane {
namespace {

TEST(PosixProbes, NativeLanguageNameOfTheLanguageNotTheRegion) {
    const std::pair<const char*, const char*> cases[] = {
        {"de_DE.UTF-8", "Deutsch"}, {"de_AT.UTF-8", "Deutsch"}, {"de_CH", "Deutsch"},
        {"de_DE@euro", "Deutsch"},  {"C", ""},                  {"POSIX", ""},
        {"C.UTF-8", ""},            {"", ""},
    };
    for (const auto& [locale, expected] : cases) {
        EXPECT_EQ(NativeLanguageNameOfLocale(locale), expected) << locale;
    }
    EXPECT_NE(NativeLanguageNameOfLocale("en_US.UTF-8"), "");
    EXPECT_NE(NativeLanguageNameOfLocale("en_US.UTF-8"), "Deutsch");
}

TEST(PosixProbes, FoldersAndFamily) {
    PosixSecuritySystem system;
    EXPECT_EQ(system.GetOsVersion(), 9);
    const std::string temp = system.GetSystemFolder("temp");
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '/');
    EXPECT_EQ(system.GetSystemFolder("win"), "");
    EXPECT_EQ(system.GetSystemFolder("Win"), "");
    EXPECT_EQ(system.GetSystemFolder("system"), "");
    EXPECT_EQ(system.GetSpecialFolder(5), "");
    EXPECT_EQ(system.PathSeparator(), '/');
}

TEST(PosixProbes, MountPointWalksUpToTheFileSystemRoot) {
    EXPECT_EQ(MountPointOf("/"), "/");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string mount = MountPointOf(dir.path().toStdString());
    ASSERT_FALSE(mount.empty());
    EXPECT_EQ(mount.back(), '/');
    EXPECT_EQ(dir.path().toStdString().rfind(mount.substr(0, mount.size() - 1), 0), 0u);
}

TEST(PosixProbes, FileExistsForFilesAndFolders) {
    QTemporaryDir dir;
    PosixFilesShell files;
    EXPECT_TRUE(files.FileExists(dir.path().toStdString()));
    EXPECT_FALSE(files.FileExists(dir.path().toStdString() + "/missing"));
    EXPECT_FALSE(files.FileExists(""));
}

}  // namespace
}  // namespace korvane
