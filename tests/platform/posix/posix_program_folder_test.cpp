#include <gtest/gtest.h>
#include <sys/stat.h>

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
    // It will hold backups of malware: nobody else may look in.
    struct stat info {};
    ASSERT_EQ(::stat(data.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    fs::remove_all(data.parent_path());
}

struct FolderCase {
    const char* executableFolder;
    const char* installBinFolder;
    bool besideBuildCache;
    bool writable;
    bool installed;
    const char* chosen;
};

// The data folder is "/data/" throughout.
const FolderCase kFolderCases[] = {
    // Installed: the prefix's bin folder, the system's bin folders, /opt.
    {"/usr/local/bin", "/usr/local/bin", false, true, true, "/data/"},
    {"/usr/local/bin/", "/usr/local/bin", false, true, true, "/data/"},
    {"/usr/bin", "/usr/local/bin", false, true, true, "/data/"},
    {"/usr/bin", "/usr/bin/", false, false, true, "/data/"},
    {"/bin", "/usr", false, true, true, "/data/"},
    {"/usr/sbin", "", false, true, true, "/data/"},
    {"/opt/korvane/bin", "/usr/local/bin", false, true, true, "/data/"},
    {"/opt/korvane", "/usr/local/bin", false, true, true, "/data/"},
    {"/home/anna/prefix/bin", "/home/anna/prefix/bin", false, true, true, "/data/"},
    {"/home/anna/.local/bin", "/usr/local/bin", false, true, true, "/data/"},
    // A build folder keeps its own folder, even one under /opt or a prefix.
    {"/home/anna/korvane/build/release", "/usr/local/bin", true, true, false,
     "/home/anna/korvane/build/release/"},
    {"/opt/src/korvane/build", "/usr/local/bin", true, true, false, "/opt/src/korvane/build/"},
    {"/usr/local/bin", "/usr/local/bin", true, true, false, "/usr/local/bin/"},
    // Not installed: a copy elsewhere keeps its folder when it may write there.
    {"/home/anna/tools", "/usr/local/bin", false, true, false, "/home/anna/tools/"},
    {"/home/anna/tools", "/usr/local/bin", false, false, false, "/data/"},
    {"/usr/local/bin/korvane-1", "/usr/local/bin", false, true, false, "/usr/local/bin/korvane-1/"},
    {"/usr/binaries", "/usr/local/bin", false, true, false, "/usr/binaries/"},
    {"/optional", "/usr/local/bin", false, true, false, "/optional/"},
    {"/opt", "/usr/local/bin", false, true, false, "/opt/"},
    {"/home/anna/.local/binaries", "/usr/local/bin", false, true, false, "/home/anna/.local/binaries/"},
    {"", "/usr/local/bin", false, true, false, "/data/"},
};

TEST(PosixProgramFolder, InstalledProgramsKeepTheirFilesInTheDataFolder) {
    for (const FolderCase& c : kFolderCases) {
        SCOPED_TRACE(std::string(c.executableFolder) + " (prefix bin " + c.installBinFolder + ")");
        ProgramFolderFacts facts;
        facts.executableFolder = c.executableFolder;
        facts.installBinFolder = c.installBinFolder;
        facts.besideBuildCache = c.besideBuildCache;
        facts.executableFolderWritable = c.writable;
        facts.dataFolder = "/data";
        EXPECT_EQ(RunsFromInstalledLocation(facts), c.installed);
        EXPECT_EQ(ChooseProgramFolder(facts), c.chosen);
    }
}

TEST(PosixProgramFolder, RootsDataFolderIsVarLib) {
    EXPECT_EQ(DataFolderFor(true, "/root/.local/share/korvane"), "/var/lib/korvane/");
    EXPECT_EQ(DataFolderFor(false, "/home/anna/.local/share/korvane"), "/home/anna/.local/share/korvane/");
}

}  // namespace
}  // namespace korvane
