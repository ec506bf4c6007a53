// The folder the program keeps its own files in.
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <array>
#include <filesystem>
#include <string_view>

#include "platform/posix/posix_security_system.h"

#ifndef KORVANE_INSTALL_BINDIR
#define KORVANE_INSTALL_BINDIR "/usr/local/bin"
#endif

namespace korvane {

namespace {

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string WithoutSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Creates the folder (and its parents) so only its owner can enter it: it
// holds backups of malware and the user's reports.
void CreatePrivateFolder(const std::string& folder) {
    const std::filesystem::path path = WithoutSlash(folder);
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    ::mkdir(path.c_str(), 0700);
}

}  // namespace

bool RunsFromInstalledLocation(const ProgramFolderFacts& facts) {
    // cmake puts the program at the top of its build folder, beside the cache.
    if (facts.besideBuildCache || facts.executableFolder.empty()) return false;
    const std::string folder = WithoutSlash(facts.executableFolder);
    if (!facts.installBinFolder.empty() && folder == WithoutSlash(facts.installBinFolder)) return true;
    static constexpr std::array<std::string_view, 8> kSystemBinFolders = {
        "/usr/bin",        "/usr/local/bin", "/bin",       "/usr/sbin",
        "/usr/local/sbin", "/sbin",          "/usr/games", "/usr/local/games"};
    for (std::string_view systemFolder : kSystemBinFolders) {
        if (folder == systemFolder) return true;
    }
    // The user's own bin folder is as much an installation as /usr/local/bin.
    constexpr std::string_view kUserBinFolder = "/.local/bin";
    if (folder.size() > kUserBinFolder.size() &&
        folder.compare(folder.size() - kUserBinFolder.size(), kUserBinFolder.size(), kUserBinFolder) == 0)
        return true;
    return StartsWith(folder, "/opt/");
}

std::string ChooseProgramFolder(const ProgramFolderFacts& facts) {
    if (RunsFromInstalledLocation(facts)) return WithSlash(facts.dataFolder);
    // A copy elsewhere keeps its files beside itself, as on Windows, unless it
    // may not write there.
    if (!facts.executableFolder.empty() && facts.executableFolderWritable)
        return WithSlash(facts.executableFolder);
    return WithSlash(facts.dataFolder);
}

std::string DataFolderFor(bool isRoot, const std::string& appDataLocation) {
    // Root's home is no place for a system tool's backups; the package
    // creates this folder.
    if (isRoot) return "/var/lib/korvane/";
    return WithSlash(appDataLocation);
}

std::string UserDataFolder() {
    return DataFolderFor(
        ::geteuid() == 0,
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toLocal8Bit().toStdString());
}

std::string ProgramFolderFor(const std::string& executableFolder, const std::string& dataFolder) {
    ProgramFolderFacts facts;
    facts.executableFolder = executableFolder;
    facts.installBinFolder = KORVANE_INSTALL_BINDIR;
    std::error_code ignored;
    facts.besideBuildCache =
        !executableFolder.empty() &&
        std::filesystem::exists(std::filesystem::path(executableFolder) / "CMakeCache.txt", ignored);
    facts.executableFolderWritable =
        !executableFolder.empty() && ::access(executableFolder.c_str(), W_OK) == 0;
    facts.dataFolder = dataFolder;
    const std::string folder = ChooseProgramFolder(facts);
    if (folder == WithSlash(dataFolder)) CreatePrivateFolder(folder);
    return folder;
}

std::string PosixSecuritySystem::ProgramFolder() {
    return ProgramFolderFor(QCoreApplication::applicationDirPath().toLocal8Bit().toStdString(),
                            UserDataFolder());
}

}  // namespace korvane
