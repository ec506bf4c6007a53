#include "core/reboot_delete_list.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(RebootDeleteList, WindowsNamesAreStoredLowerCasedAndComparedTrimmed) {
    std::vector<std::string> list{""};
    EXPECT_EQ(AddRebootDelete(list, "c:\\temp\\a.exe", true), RebootDeleteAdd::Added);
    EXPECT_EQ(AddRebootDelete(list, "C:\\Temp\\A.exe", true), RebootDeleteAdd::Ignored);
    EXPECT_EQ(AddRebootDelete(list, "  C:\\TEMP\\a.exe ", true), RebootDeleteAdd::Ignored);
    EXPECT_EQ(AddRebootDelete(list, " C:\\Other.EXE", true), RebootDeleteAdd::Added);
    EXPECT_EQ(list, (std::vector<std::string>{"", "c:\\temp\\a.exe", " c:\\other.exe"}));
}

TEST(RebootDeleteList, ShortPathsAreNeverQueued) {
    std::vector<std::string> list{""};
    EXPECT_EQ(AddRebootDelete(list, "C:\\a", true), RebootDeleteAdd::Ignored);
    EXPECT_EQ(AddRebootDelete(list, "", true), RebootDeleteAdd::Ignored);
    EXPECT_EQ(AddRebootDelete(list, "C:\\ab", true), RebootDeleteAdd::Added);
    EXPECT_EQ(list.size(), 2u);
}

// Lower-casing /tmp/Tool.EXE would name another file where names keep their case.
TEST(RebootDeleteList, CaseSensitiveNamesKeepTheirCase) {
    std::vector<std::string> list{""};
    EXPECT_EQ(AddRebootDelete(list, "/tmp/Tool.EXE", false), RebootDeleteAdd::Added);
    EXPECT_EQ(AddRebootDelete(list, "/tmp/tool.exe", false), RebootDeleteAdd::Added);
    EXPECT_EQ(AddRebootDelete(list, "/tmp/Tool.EXE  ", false), RebootDeleteAdd::Ignored);
    EXPECT_EQ(list, (std::vector<std::string>{"", "/tmp/Tool.EXE", "/tmp/tool.exe"}));
}

TEST(RebootDeleteList, EndsAtItsCapacity) {
    std::vector<std::string> list{""};
    for (std::size_t i = 0; i < kRebootDeleteListCapacity; ++i) list.push_back("/entry" + std::to_string(i));
    EXPECT_EQ(AddRebootDelete(list, "/one/more", false), RebootDeleteAdd::ListFull);
    EXPECT_EQ(list.size(), kRebootDeleteListCapacity + 1);
}

// Adding many at once gives the list that adding them one by one gives, and
// counts what did not fit.
TEST(RebootDeleteList, AddingManyAtOnceMatchesAddingOneByOne) {
    const std::vector<std::string> paths = {"C:\\A.EXE",  "c:\\a.exe ", "C:\\",      "C:\\b.exe",
                                            " c:\\B.EXE", "C:\\c.exe",  "C:\\d.exe", "C:\\e.exe"};
    for (const bool ignoreCase : {true, false}) {
        std::vector<std::string> oneByOne{"", "c:\\old.exe"};
        std::vector<std::string> atOnce = oneByOne;
        std::size_t full = 0;
        std::vector<std::string> almostFull{""};
        for (std::size_t i = 0; i + 3 < kRebootDeleteListCapacity; ++i)
            almostFull.push_back("/entry" + std::to_string(i));
        std::vector<std::string> almostFullAtOnce = almostFull;
        for (const std::string& path : paths) {
            AddRebootDelete(oneByOne, path, ignoreCase);
            if (AddRebootDelete(almostFull, path, ignoreCase) == RebootDeleteAdd::ListFull) ++full;
        }
        EXPECT_EQ(AddRebootDeletes(atOnce, paths, ignoreCase), 0u);
        EXPECT_EQ(atOnce, oneByOne);
        EXPECT_EQ(AddRebootDeletes(almostFullAtOnce, paths, ignoreCase), full);
        EXPECT_GT(full, 0u);
        EXPECT_EQ(almostFullAtOnce, almostFull);
    }
}

// One restart must do: every file, then the folders deepest first, so each
// folder is empty when its turn comes; the same on Windows.
TEST(RebootDeleteList, RestartOrderIsFilesThenFoldersDeepestFirst) {
    EXPECT_EQ(
        RestartOrder({"/d/a.txt", "/d/s/t/u/b.exe"}, {"/d/s", "/d/s/t", "/d/s/t/u", "/d/v"}, "/d", '/'),
        (std::vector<std::string>{"/d/a.txt", "/d/s/t/u/b.exe", "/d/s/t/u", "/d/s/t", "/d/s", "/d/v", "/d"}));
    EXPECT_EQ(RestartOrder({"c:\\d\\s\\x.exe"}, {"c:\\d\\s", "c:\\d\\s\\t", "c:\\d\\w"}, "c:\\d", '\\'),
              (std::vector<std::string>{"c:\\d\\s\\x.exe", "c:\\d\\s\\t", "c:\\d\\s", "c:\\d\\w", "c:\\d"}));
}

}  // namespace
}  // namespace korvane
