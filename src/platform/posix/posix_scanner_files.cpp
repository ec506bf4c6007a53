// File operations of the scanner window.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/posix/posix_files_shell.h"

namespace korvane {

std::string PosixFilesShell::ShortPathName(const std::string& path) {
    // There are no short names here; an existing path is its own short form.
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return {};
    return path;
}

std::error_code PosixFilesShell::MakeSureDirectoryPathExists(const std::string& folderPath) {
    // Only the part up to the last separator names folders.
    const std::size_t end = folderPath.find_last_of('/');
    if (end == std::string::npos) return {};
    for (std::size_t at = 1; at <= end; ++at) {
        if (folderPath[at] != '/' && at != end) continue;
        const std::string folder = folderPath.substr(0, at);
        if (folder.empty()) continue;
        if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) return {errno, std::generic_category()};
    }
    struct stat info {};
    if (::stat(folderPath.substr(0, end).empty() ? "/" : folderPath.substr(0, end).c_str(), &info) != 0) {
        return {errno, std::generic_category()};
    }
    if (!S_ISDIR(info.st_mode)) return std::make_error_code(std::errc::not_a_directory);
    return {};
}

std::error_code PosixFilesShell::DeleteOneFile(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return {errno, std::generic_category()};
    if (S_ISDIR(info.st_mode)) return std::make_error_code(std::errc::is_a_directory);
    if (::unlink(path.c_str()) != 0) return {errno, std::generic_category()};
    return {};
}

}  // namespace korvane
