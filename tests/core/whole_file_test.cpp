#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/whole_file.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class WholeFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("korvane-whole-file-" + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(WholeFile, RoundTripKeepsEveryByte) {
    const std::string bytes("a\r\nb\0c\xff\xfe\n", 10);
    ASSERT_FALSE(WriteWholeFile(Path("f.bin"), bytes));
    EXPECT_EQ(ReadWholeFile(Path("f.bin")), bytes);
}

TEST_F(WholeFile, ReplacesALongerFileCompletely) {
    ASSERT_FALSE(WriteWholeFile(Path("f.txt"), std::string(5000, 'x')));
    ASSERT_FALSE(WriteWholeFile(Path("f.txt"), "short"));
    EXPECT_EQ(ReadWholeFile(Path("f.txt")), "short");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1);
}

TEST_F(WholeFile, FailedWriteKeepsTheOldFile) {
    ASSERT_FALSE(WriteWholeFile(Path("keep.txt"), "old content"));
    // Renaming over a folder fails: the old file at the other name is untouched,
    // and no temporary file is left behind.
    fs::create_directory(dir_ / "folder");
    EXPECT_TRUE(WriteWholeFile(Path("folder"), "new"));
    EXPECT_TRUE(fs::is_directory(dir_ / "folder"));
    EXPECT_EQ(ReadWholeFile(Path("keep.txt")), "old content");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 2);
}

TEST_F(WholeFile, MissingFolderOrFileReportsAnError) {
    EXPECT_TRUE(WriteWholeFile(Path("no/such/folder.txt"), "x"));
    std::string contents = "stale";
    EXPECT_TRUE(ReadWholeFile(Path("missing.txt"), contents));
    EXPECT_EQ(contents, "");
    EXPECT_EQ(ReadWholeFile(dir_.string()), "");
    EXPECT_TRUE(ReadWholeFile(dir_.string(), contents));
}

}  // namespace
}  // namespace korvane
