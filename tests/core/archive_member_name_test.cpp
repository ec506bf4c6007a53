#include "core/archive_member_name.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(FlatMemberName, KeepsOnlyTheLastComponent) {
    const std::pair<const char*, const char*> cases[] = {
        {"mwavscan.com", "mwavscan.com"},
        {"bin/KAVUpd.exe", "KAVUpd.exe"},
        {"/etc/passwd", "passwd"},
        {"C:\\WINDOWS\\system32\\evil.dll", "evil.dll"},
        {"\\\\server\\share\\x.exe", "x.exe"},
        {"../../up.txt", "up.txt"},
        {"..\\..\\up.txt", "up.txt"},
        {"a/..", ""},
        {"..", ""},
        {".", ""},
        {"", ""},
        {"folder/", ""},
        {"C:", "C:"},  // no separator: a name Windows refuses, see below
    };
    for (const auto& [stored, flat] : cases) EXPECT_EQ(FlatMemberName(stored), flat) << stored;
}

TEST(IsUsableWindowsFileName, RefusesDevicesStreamsAndForbiddenCharacters) {
    for (const char* name :
         {"CON",       "con",  "Nul",  "NUL.txt", "nul .txt",  "aux.tar.gz", "PRN",        "COM1",
          "com9.log",  "LPT1", "lpt0", "CONIN$",  "conout$.x", "C:",         "C:evil.exe", "file.exe:stream",
          "a<b",       "a>b",  "a\"b", "a|b",     "a?b",       "a*b",        "a\x01",      "trailing.",
          "trailing ", ""}) {
        EXPECT_FALSE(IsUsableWindowsFileName(name)) << name;
    }
    for (const char* name : {"mwavscan.com", "CONSOLE.exe", "nullify.dll", "COM10", "LPT", "com", "auxiliary",
                             "a.con", ".hidden",
                             "Gr\xc3\xb6\xc3\x9f"
                             "e.txt",
                             "x y.txt"}) {
        EXPECT_TRUE(IsUsableWindowsFileName(name)) << name;
    }
}

}  // namespace
}  // namespace korvane
