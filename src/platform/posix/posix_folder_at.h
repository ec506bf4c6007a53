#pragma once
// Working on a path through its parent folder's descriptor: the last
// component is looked at and removed relative to that descriptor, so a link
// there is never followed, and a link swapped into the folder part after it
// was opened changes nothing. Paths of any length work, since no call is
// handed more than one component.
#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <system_error>

namespace korvane {

// A descriptor that closes itself.
class FolderFd {
public:
    FolderFd() = default;
    explicit FolderFd(int fd) : fd_(fd) {}
    FolderFd(FolderFd&& other) noexcept : fd_(other.release()) {}
    FolderFd& operator=(FolderFd&& other) noexcept;
    FolderFd(const FolderFd&) = delete;
    FolderFd& operator=(const FolderFd&) = delete;
    ~FolderFd();
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_ = -1;
};

// Which folder a descriptor stands for, and on which mount it lies.
struct FolderIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    std::uint64_t mountId = 0;  // 0: unknown
    bool mountRoot = false;     // the system says it is the root of a mount

    // "device:inode", as the pending-operations list records a folder.
    std::string Text() const;
};

std::error_code IdentityOf(int fd, FolderIdentity& identity);

// True when folder lies on another file system than top, or is a bind mount
// of the same one: removal and collection never go below it.
bool IsOtherMount(const FolderIdentity& folder, const FolderIdentity& top);

struct ParentAndName {
    FolderFd parent;
    std::string folder;  // the folder part as opened ("/" for the root)
    std::string name;    // the last component, never empty, "." or ".."
};

// Opens the folder that holds path's last component (path absolute; it may
// end with no separator). With resolveLinks the folder part is resolved once
// (links in it followed) and the result opened component by component with
// O_NOFOLLOW; without it every component must be a real folder, as a
// boot-time operation must find the very folder that was recorded.
std::error_code OpenParentOf(const std::string& path, bool resolveLinks, ParentAndName& out);

// The folder part with its links resolved (realpath), plus "/" and the last
// component; filename_too_long for a folder part of PATH_MAX or more, which
// OpenParentOf then resolves by walking it.
std::error_code ResolvedPath(const std::string& path, std::string& resolved);

// lstat() for a path of any length.
int LinkStatusAt(const std::string& path, struct stat& info);

}  // namespace korvane
