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

// A row's path is used as written, less trailing separators; one whose
// components could lead elsewhere than the list shows is not used at all.
TEST(DeletionGuard, PlainRowPaths) {
    const std::pair<const char*, const char*> posix[] = {
        {"/tmp/link/", "/tmp/link"},          {"/tmp/a//", "/tmp/a"},          {"/", "/"}, {"//", "/"},
        {"/tmp/a b/c.exe", "/tmp/a b/c.exe"}, {"C:\\x\\y.exe", "C:\\x\\y.exe"}};
    for (const auto& [path, plain] : posix) EXPECT_EQ(PlainRowPath(path, '/'), std::string(plain)) << path;
    for (const char* path : {"", "/tmp/./a", "/tmp/../etc", "/tmp//a", "/tmp/a/..", "./a", "/tmp/a/./"})
        EXPECT_FALSE(PlainRowPath(path, '/')) << path;
    EXPECT_FALSE(PlainRowPath(std::string("/tmp/a\0b", 8), '/'));
    const std::pair<const char*, const char*> windows[] = {
        {"C:\\Temp\\x\\", "C:\\Temp\\x"},
        {"C:\\", "C:\\"},
        {"C:/Temp/", "C:/Temp"},
        {"\\\\server\\share\\x.exe", "\\\\server\\share\\x.exe"}};
    for (const auto& [path, plain] : windows) EXPECT_EQ(PlainRowPath(path, '\\'), std::string(plain)) << path;
    for (const char* path : {"C:\\Temp\\..\\Windows", "C:\\.\\x", "C:\\a\\\\b", "C:\\a/../b"})
        EXPECT_FALSE(PlainRowPath(path, '\\')) << path;
}

TEST(DeletionGuard, SystemLayoutOfAPosixSystem) {
    for (const char* path : {"/", "/etc", "/usr/bin", "/var/lib", "/home/anna", "/etc/ssl", "/tmp",
                             "/var/tmp", "/dev/shm", "/lib64"}) {
        EXPECT_TRUE(IsSystemLayoutFolder(path)) << path;
    }
    for (const char* path :
         {"/tmp/dropped", "/var/tmp/x", "/dev/shm/x", "/usr/local/bin", "/home/anna/Downloads"})
        EXPECT_FALSE(IsSystemLayoutFolder(path)) << path;
    ProtectedFolders posix{{}, '/', false};
    posix.systemLayout = true;
    EXPECT_TRUE(IsProtectedPath("/usr/bin/", posix));
    EXPECT_FALSE(IsProtectedPath("/usr/local/bin", posix));
    const ProtectedFolders windows{{}, '\\', true, true};
    EXPECT_FALSE(IsProtectedPath("C:\\Temp", windows));  // the layout rule is the POSIX one
}

TEST(DeletionGuard, SameOrInside) {
    EXPECT_TRUE(IsSameOrInside("/x/a", "/x/a", '/', false));
    EXPECT_TRUE(IsSameOrInside("/x/a/b", "/x/a", '/', false));
    EXPECT_FALSE(IsSameOrInside("/x/ab", "/x/a", '/', false));
    EXPECT_FALSE(IsSameOrInside("/X/a/b", "/x/a", '/', false));
    EXPECT_TRUE(IsSameOrInside("C:\\X\\A\\b", "c:\\x\\a", '\\', true));
}

}  // namespace
}  // namespace korvane
