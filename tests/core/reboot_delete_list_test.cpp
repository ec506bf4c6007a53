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

}  // namespace
}  // namespace korvane
