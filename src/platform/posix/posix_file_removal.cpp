// Removal, moves, listings and the pending-operations list on a POSIX system.
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "core/pending_operations.h"
#include "platform/posix/posix_files_shell.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

std::error_code Errno() {
    return {errno, std::generic_category()};
}

bool LinkStatus(const std::string& path, struct stat& info) {
    return !path.empty() && ::lstat(path.c_str(), &info) == 0;
}

// rename() that refuses to replace an existing target.
int RenameNoReplace(const std::string& from, const std::string& to) {
#ifdef SYS_renameat2
    const long done =
        ::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
    if (done == 0 || (errno != ENOSYS && errno != EINVAL)) return static_cast<int>(done);
#endif
    // Without renameat2: a hard link fails on an existing target.
    if (::link(from.c_str(), to.c_str()) != 0) return -1;
    return ::unlink(from.c_str());
}

// Copies a regular file to a target that must not exist yet.
std::error_code CopyNewFile(const std::string& from, const std::string& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return Errno();
    struct stat info {};
    ::fstat(in, &info);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 07777);
    if (out < 0) {
        const std::error_code failed = Errno();
        ::close(in);
        return failed;
    }
    std::error_code result;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            result = Errno();
            break;
        }
        for (ssize_t written = 0; written < got;) {
            const ssize_t put = ::write(out, buffer + written, static_cast<std::size_t>(got - written));
            if (put < 0) {
                if (errno == EINTR) continue;
                result = Errno();
                break;
            }
            written += put;
        }
        if (result) break;
    }
    if (::close(out) != 0 && !result) result = Errno();
    ::close(in);
    if (result) ::unlink(to.c_str());
    return result;
}

std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::path(path), ec);
    return ec ? path : absolute.string();
}

}  // namespace

bool PosixFilesShell::IsDirectory(const std::string& path) {
    struct stat info {};
    return LinkStatus(path, info) && S_ISDIR(info.st_mode);
}

bool PosixFilesShell::IsFolderEmpty(const std::string& path) {
    if (!IsDirectory(path)) return false;
    DIR* folder = ::opendir(path.c_str());
    if (folder == nullptr) return false;
    bool empty = true;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            empty = false;
            break;
        }
    }
    ::closedir(folder);
    return empty;
}

std::error_code PosixFilesShell::RemoveFile(const std::string& path) {
    if (IsDirectory(path)) return std::make_error_code(std::errc::is_a_directory);
    if (::unlink(path.c_str()) != 0) return Errno();
    return {};
}

std::error_code PosixFilesShell::MoveFileNow(const std::string& from, const std::string& to,
                                             bool copyAllowed) {
    if (RenameNoReplace(from, to) == 0) return {};
    std::error_code failed = Errno();
    if (failed != std::errc::cross_device_link || !copyAllowed) return failed;
    struct stat info {};
    if (!LinkStatus(from, info) || !S_ISREG(info.st_mode)) return failed;
    if (const std::error_code copy = CopyNewFile(from, to)) return copy;
    if (::unlink(from.c_str()) != 0) {
        failed = Errno();
        ::unlink(to.c_str());
        return failed;
    }
    return {};
}

std::error_code PosixFilesShell::RemoveFolderTree(const std::string& path) {
    if (!IsDirectory(path)) return std::make_error_code(std::errc::not_a_directory);
    // remove_all removes a link inside the tree and never descends into it.
    std::error_code ec;
    fs::remove_all(fs::path(path), ec);
    return ec;
}

std::error_code PosixFilesShell::ListFolder(const std::string& path, std::vector<FolderEntry>& entries) {
    entries.clear();
    DIR* folder = ::opendir(path.c_str());
    if (folder == nullptr) return Errno();
    const std::string prefix = !path.empty() && path.back() == '/' ? path : path + "/";
    while (const dirent* entry = ::readdir(folder)) {
        FolderEntry listed;
        listed.name = entry->d_name;
        if (listed.name == "." || listed.name == "..") continue;
        struct stat info {};
        if (LinkStatus(prefix + listed.name, info)) {
            listed.isFolder = S_ISDIR(info.st_mode);
            listed.isLink = S_ISLNK(info.st_mode);
        }
        listed.isHidden = listed.name.front() == '.';
        entries.push_back(std::move(listed));
    }
    ::closedir(folder);
    // In name order, as NTFS lists a folder, so every run sees the same order.
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return {};
}

std::error_code PosixFilesShell::CreateFolderPath(const std::string& path) {
    std::error_code ec;
    fs::create_directories(fs::path(path), ec);
    return ec;
}

std::string PosixFilesShell::ShortPathOf(const std::string& path) {
    // There are no 8.3 names here; an existing path is its own short form.
    return FileExists(path) ? path : std::string{};
}

std::error_code PosixFilesShell::ScheduleAtRestart(const std::vector<PendingOperation>& operations) {
    // The list is carried out at boot from "/", so relative paths would
    // name other files there.
    std::vector<PendingOperation> absolute;
    for (const PendingOperation& operation : operations) {
        absolute.push_back({AbsolutePath(operation.source),
                            operation.target.empty() ? std::string{} : AbsolutePath(operation.target)});
    }
    return AppendPendingOperations(PendingOperationsFile(), absolute);
}

std::string PosixFilesShell::CanonicalPath(const std::string& path) {
    char resolved[PATH_MAX];
    if (!path.empty() && ::realpath(path.c_str(), resolved) != nullptr) return resolved;
    return AbsolutePath(path);
}

bool PosixFilesShell::IsFileSystemRoot(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    struct stat parent {};
    const std::string up = (path.back() == '/' ? path : path + "/") + "..";
    if (::stat(up.c_str(), &parent) != 0) return false;
    // A mount point lies on another device than its parent; "/" is its own parent.
    return info.st_dev != parent.st_dev || info.st_ino == parent.st_ino;
}

}  // namespace korvane
