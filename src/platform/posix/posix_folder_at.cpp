#include "platform/posix/posix_folder_at.h"

#include <fcntl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace korvane {

namespace {

std::error_code Errno() {
    return {errno, std::generic_category()};
}

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path) {
        if (c == '/') {
            if (!part.empty()) parts.push_back(std::move(part));
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty()) parts.push_back(std::move(part));
    return parts;
}

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// Opens the folders one by one from "/". follow: links are followed (the
// system resolves each one relative to where it lies).
std::error_code OpenFolderPath(const std::vector<std::string>& parts, std::size_t count, bool follow,
                               FolderFd& out) {
    FolderFd current(::open("/", kFolderFlags));
    if (!current.valid()) return Errno();
    for (std::size_t i = 0; i < count; ++i) {
        if (parts[i] == "." || parts[i] == "..") {
            if (!follow) return std::make_error_code(std::errc::invalid_argument);
        }
        FolderFd next(::openat(current.get(), parts[i].c_str(), kFolderFlags | (follow ? 0 : O_NOFOLLOW)));
        if (!next.valid()) return Errno();
        current = std::move(next);
    }
    out = std::move(current);
    return {};
}

// The mount a descriptor lies on, from /proc when statx cannot tell.
std::uint64_t MountIdFromProc(int fd) {
    std::FILE* info = std::fopen(("/proc/self/fdinfo/" + std::to_string(fd)).c_str(), "r");
    if (info == nullptr) return 0;
    char line[256];
    unsigned long long id = 0;
    while (std::fgets(line, sizeof line, info) != nullptr) {
        if (std::sscanf(line, "mnt_id: %llu", &id) == 1) break;
    }
    std::fclose(info);
    return id;
}

}  // namespace

FolderFd& FolderFd::operator=(FolderFd&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

FolderFd::~FolderFd() {
    if (fd_ >= 0) ::close(fd_);
}

std::string FolderIdentity::Text() const {
    return std::to_string(static_cast<unsigned long long>(device)) + ":" +
           std::to_string(static_cast<unsigned long long>(inode));
}

std::error_code IdentityOf(int fd, FolderIdentity& identity) {
    identity = {};
    struct statx info {};
    if (::statx(fd, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_MNT_ID, &info) == 0) {
        identity.device = makedev(info.stx_dev_major, info.stx_dev_minor);
        identity.inode = static_cast<ino_t>(info.stx_ino);
        if ((info.stx_mask & STATX_MNT_ID) != 0) identity.mountId = info.stx_mnt_id;
        identity.mountRoot = (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
                             (info.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    } else {
        struct stat plain {};
        if (::fstat(fd, &plain) != 0) return Errno();
        identity.device = plain.st_dev;
        identity.inode = plain.st_ino;
    }
    if (identity.mountId == 0) identity.mountId = MountIdFromProc(fd);
    return {};
}

bool IsOtherMount(const FolderIdentity& folder, const FolderIdentity& top) {
    if (folder.device != top.device) return true;
    if (folder.mountRoot) return true;
    return folder.mountId != 0 && top.mountId != 0 && folder.mountId != top.mountId;
}

std::error_code ResolvedPath(const std::string& path, std::string& resolved) {
    const std::vector<std::string> parts = Components(path);
    if (parts.empty()) return std::make_error_code(std::errc::invalid_argument);
    std::string folder;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) folder += "/" + parts[i];
    if (folder.empty()) folder = "/";
    if (folder.size() >= PATH_MAX) return std::make_error_code(std::errc::filename_too_long);
    char buffer[PATH_MAX];
    if (::realpath(folder.c_str(), buffer) == nullptr) return Errno();
    const std::string real = buffer;
    resolved = (real == "/" ? std::string{} : real) + "/" + parts.back();
    return {};
}

std::error_code OpenParentOf(const std::string& path, bool resolveLinks, ParentAndName& out) {
    if (path.empty() || path[0] != '/') return std::make_error_code(std::errc::invalid_argument);
    std::vector<std::string> parts = Components(path);
    if (parts.empty()) return std::make_error_code(std::errc::invalid_argument);  // "/" has no parent
    bool follow = false;
    if (resolveLinks) {
        std::string resolved;
        const std::error_code failed = ResolvedPath(path, resolved);
        if (failed == std::errc::filename_too_long)
            follow = true;  // too long to resolve by name: resolved by the walk itself
        else if (failed)
            return failed;
        else
            parts = Components(resolved);
    }
    if (parts.back() == "." || parts.back() == "..") return std::make_error_code(std::errc::invalid_argument);
    if (const std::error_code failed = OpenFolderPath(parts, parts.size() - 1, follow, out.parent))
        return failed;
    out.name = parts.back();
    out.folder.clear();
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) out.folder += "/" + parts[i];
    if (out.folder.empty()) out.folder = "/";
    return {};
}

int LinkStatusAt(const std::string& path, struct stat& info) {
    if (path.empty()) {
        errno = ENOENT;
        return -1;
    }
    if (path.size() < PATH_MAX || path[0] != '/') return ::lstat(path.c_str(), &info);
    ParentAndName at;
    if (const std::error_code failed = OpenParentOf(path, true, at)) {
        errno = failed.value();
        return -1;
    }
    return ::fstatat(at.parent.get(), at.name.c_str(), &info, AT_SYMLINK_NOFOLLOW);
}

}  // namespace korvane
