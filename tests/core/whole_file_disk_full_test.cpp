// A whole-file write that runs out of disk part-way keeps the old file.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/whole_file.h"
#include "support/disk_full.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class DiskFull : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("korvane-disk-full-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}));
    }
    fs::path dir_;
};

class WholeFileDiskFull : public DiskFull, public ::testing::WithParamInterface<std::size_t> {};

// Sizes just past the limit (the failure shows when the buffer is flushed)
// and far past it (the failure shows in the write itself).
TEST_P(WholeFileDiskFull, KeepsTheOldFileAndLeavesNoTemporaryFile) {
    const std::string old = "old content that must survive\r\n";
    ASSERT_FALSE(WriteWholeFile(Path("keep.txt"), old));
    std::error_code error;
    {
        testing::DiskFullAfter full(4096);
        ASSERT_TRUE(full.Active());
        error = WriteWholeFile(Path("keep.txt"), std::string(GetParam(), 'n'));
    }
    EXPECT_TRUE(error);
    EXPECT_EQ(ReadWholeFile(Path("keep.txt")), old);
    EXPECT_EQ(FilesInFolder(), 1u);
    // With room again the same write succeeds.
    EXPECT_FALSE(WriteWholeFile(Path("keep.txt"), std::string(GetParam(), 'n')));
    EXPECT_EQ(fs::file_size(Path("keep.txt")), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Sizes, WholeFileDiskFull, ::testing::Values(4097u, 5000u, 1u << 20));

TEST_F(DiskFull, NewFileThatDoesNotFitIsNotCreated) {
    testing::DiskFullAfter full(100);
    ASSERT_TRUE(full.Active());
    EXPECT_TRUE(WriteWholeFile(Path("new.txt"), std::string(1000, 'n')));
    EXPECT_EQ(FilesInFolder(), 0u);
}

}  // namespace
}  // namespace korvane
#endif
