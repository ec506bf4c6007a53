#include "core/folder_mask.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(FolderMask, DerivedFromTheMaskField) {
    const std::pair<const char*, const char*> cases[] = {
        {"*.*", "*"}, {"*.exe", "EXE"},         {"*exe", "*EXE"},      {"  *.Com  ", "COM"},
        {"", ""},     {"tool.exe", "TOOL.EXE"}, {"*.tar.gz", "TAR.GZ"}};
    for (const auto& [text, mask] : cases) EXPECT_EQ(FolderMaskFromText(text), mask) << text;
}

TEST(FolderMask, ComparesTheEndOfTheNameIgnoringCase) {
    EXPECT_TRUE(FolderMaskAccepts("*", "anything.txt"));
    EXPECT_TRUE(FolderMaskAccepts("EXE", "tool.exe"));
    EXPECT_TRUE(FolderMaskAccepts("EXE", "TOOLEXE"));  // no dot needed
    EXPECT_FALSE(FolderMaskAccepts("EXE", "tool.txt"));
    EXPECT_FALSE(FolderMaskAccepts("EXE", "ex"));
    EXPECT_TRUE(FolderMaskAccepts("", "any"));  // an empty field accepts every file
    EXPECT_FALSE(FolderMaskAccepts("*EXE", "tool.exe"));
}

}  // namespace
}  // namespace korvane
