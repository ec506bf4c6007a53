#include "core/deletion_guard.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(DeletionGuard, NormalizesLexically) {
    EXPECT_EQ(NormalizedPath("/tmp//a/./b/../c/", '/'), "/tmp/a/c");
    EXPECT_EQ(NormalizedPath("/..", '/'), "/");
    EXPECT_EQ(NormalizedPath("C:/Windows\\\\System32\\", '\\'), "C:\\Windows\\System32");
    EXPECT_EQ(NormalizedPath("c:", '\\'), "c:\\");
    EXPECT_EQ(NormalizedPath("C:\\Windows\\..", '\\'), "C:\\");
}

TEST(DeletionGuard, RootsAreProtected) {
    const ProtectedFolders posix{{}, '/', false};
    for (const char* path : {"/", "//", "/tmp/..", "/."}) EXPECT_TRUE(IsProtectedPath(path, posix)) << path;
    const ProtectedFolders windows{{}, '\\', true};
    for (const char* path :
         {"C:\\", "c:", "D:/", "C:\\temp\\..", "\\\\server\\share", "\\\\server\\share\\"}) {
        EXPECT_TRUE(IsProtectedPath(path, windows)) << path;
    }
    EXPECT_FALSE(IsProtectedPath("C:\\temp", windows));
    EXPECT_FALSE(IsProtectedPath("\\\\server\\share\\virus.exe", windows));
    EXPECT_FALSE(IsProtectedPath("/tmp/x", posix));
}

TEST(DeletionGuard, ProtectedFoldersAndEveryFolderAboveThem) {
    const ProtectedFolders windows{
        {"C:\\WINDOWS", "C:\\WINDOWS\\system32", "C:\\Documents and Settings\\Anna", "C:\\Tools\\Korvane\\"},
        '\\',
        true};
    for (const char* path :
         {"c:\\windows", "C:\\Windows\\", "c:\\windows\\SYSTEM32", "C:\\Documents and Settings",
          "c:\\documents and settings\\anna\\", "C:\\Tools", "C:\\tools\\korvane"}) {
        EXPECT_TRUE(IsProtectedPath(path, windows)) << path;
    }
    for (const char* path : {"C:\\Windows\\Temp\\virus.exe", "C:\\Documents and Settings\\Anna\\virus.exe",
                             "C:\\Tools\\Korvane\\KRBackup", "C:\\Tool", "C:\\Tools\\Korvane2"}) {
        EXPECT_FALSE(IsProtectedPath(path, windows)) << path;
    }
    const ProtectedFolders posix{{"/home/anna", "/opt/korvane/"}, '/', false};
    EXPECT_TRUE(IsProtectedPath("/home/anna/", posix));
    EXPECT_TRUE(IsProtectedPath("/home", posix));
    EXPECT_TRUE(IsProtectedPath("/opt/korvane/../korvane", posix));
    EXPECT_FALSE(IsProtectedPath("/home/Anna", posix));  // another folder where case counts
    EXPECT_FALSE(IsProtectedPath("/home/anna/Downloads", posix));
}

}  // namespace
}  // namespace korvane
