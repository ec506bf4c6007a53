#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "platform/posix/posix_security_system.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

TEST(PosixProgramFolder, WritableExecutableFolderIsKept) {
    const std::string temp = fs::temp_directory_path().string();
    EXPECT_EQ(ProgramFolderFor(temp, "/unused"), temp + "/");
}

TEST(PosixProgramFolder, OtherwiseTheDataFolderIsCreated) {
    const fs::path data =
        fs::temp_directory_path() / ("korvane-data-" + std::to_string(std::random_device{}())) / "k";
    EXPECT_EQ(ProgramFolderFor("/no/such/folder", data.string()), data.string() + "/");
    EXPECT_TRUE(fs::is_directory(data));
    fs::remove_all(data.parent_path());
}

}  // namespace
}  // namespace korvane
