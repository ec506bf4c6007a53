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
#include "platform/posix/posix_folder_at.h"

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
    return LinkStatusAt(path, info) == 0 && S_ISDIR(info.st_mode);
}

namespace {

// The names in an open folder, "." and ".." left out, in name order (as NTFS
// lists a folder, so every run sees the same order).
std::error_code ListNames(int folderFd, std::vector<std::string>& names) {
    names.clear();
    const int copy = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) return Errno();
    DIR* folder = ::fdopendir(copy);
    if (folder == nullptr) {
        const std::error_code failed = Errno();
        ::close(copy);
        return failed;
    }
    ::rewinddir(folder);
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(folder);
    std::sort(names.begin(), names.end());
    return {};
}

// The folder a path names, opened without following a link in its last
// component (nor, once resolved, in the folder part).
std::error_code OpenFolder(const std::string& path, FolderFd& folder) {
    if (path == "/") {
        folder = FolderFd(::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        return folder.valid() ? std::error_code{} : Errno();
    }
    ParentAndName at;
    if (const std::error_code failed = OpenParentOf(path, true, at)) return failed;
    folder =
        FolderFd(::openat(at.parent.get(), at.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    return folder.valid() ? std::error_code{} : Errno();
}

bool SameFolder(const FolderIdentity& a, const FolderIdentity& b) {
    return a.device == b.device && a.inode == b.inode;
}

// Empties the open folder top and everything below it that lies on its own
// mount, with one descriptor open at a time, so neither the depth of the tree
// nor a link inside it matters. A folder on another mount is left as it is.
std::error_code EmptyFolder(FolderFd top, bool& mountInside) {
    struct Level {
        std::string name;  // in the folder above
        FolderIdentity identity;
        std::vector<std::string> entries;
        std::size_t next = 0;
    };
    std::error_code first;
    const auto note = [&first](std::error_code failed) {
        if (!first) first = failed;
    };
    std::vector<Level> levels(1);
    if (const std::error_code failed = IdentityOf(top.get(), levels[0].identity)) return failed;
    const FolderIdentity topIdentity = levels[0].identity;
    if (const std::error_code failed = ListNames(top.get(), levels[0].entries)) return failed;
    FolderFd current = std::move(top);
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.entries.size()) {
            const std::string name = level.name;
            levels.pop_back();
            if (levels.empty()) break;
            // Back up through "..", which must be the folder we came from:
            // a tree moved meanwhile is not followed elsewhere.
            FolderFd up(::openat(current.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            FolderIdentity upIdentity;
            if (!up.valid() || IdentityOf(up.get(), upIdentity) ||
                !SameFolder(upIdentity, levels.back().identity))
                return first ? first : std::make_error_code(std::errc::resource_unavailable_try_again);
            current = std::move(up);
            if (::unlinkat(current.get(), name.c_str(), AT_REMOVEDIR) != 0) note(Errno());
            continue;
        }
        const std::string name = level.entries[level.next++];
        struct stat info {};
        if (::fstatat(current.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT) note(Errno());
            continue;
        }
        if (!S_ISDIR(info.st_mode)) {
            if (::unlinkat(current.get(), name.c_str(), 0) != 0 && errno != ENOENT) note(Errno());
            continue;
        }
        FolderFd child(
            ::openat(current.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        Level inner;
        inner.name = name;
        if (!child.valid() || IdentityOf(child.get(), inner.identity)) {
            note(Errno());
            continue;
        }
        if (IsOtherMount(inner.identity, topIdentity)) {
            mountInside = true;
            continue;
        }
        if (const std::error_code failed = ListNames(child.get(), inner.entries)) {
            note(failed);
            continue;
        }
        levels.push_back(std::move(inner));
        current = std::move(child);
    }
    return first;
}

}  // namespace

bool PosixFilesShell::IsFolderEmpty(const std::string& path) {
    FolderFd folder;
    std::vector<std::string> names;
    return !OpenFolder(path, folder) && !ListNames(folder.get(), names) && names.empty();
}

std::error_code PosixFilesShell::RemoveFile(const std::string& path) {
    ParentAndName at;
    if (const std::error_code failed = OpenParentOf(AbsolutePath(path), true, at)) return failed;
    struct stat info {};
    if (::fstatat(at.parent.get(), at.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return Errno();
    if (S_ISDIR(info.st_mode)) return std::make_error_code(std::errc::is_a_directory);
    if (::unlinkat(at.parent.get(), at.name.c_str(), 0) != 0) return Errno();
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
    ParentAndName at;
    if (const std::error_code failed = OpenParentOf(AbsolutePath(path), true, at)) return failed;
    struct stat info {};
    if (::fstatat(at.parent.get(), at.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return Errno();
    if (!S_ISDIR(info.st_mode)) return std::make_error_code(std::errc::not_a_directory);
    FolderFd folder(
        ::openat(at.parent.get(), at.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.valid()) return Errno();
    bool mountInside = false;
    const std::error_code emptied = EmptyFolder(std::move(folder), mountInside);
    if (mountInside) return MountPointInside();
    if (::unlinkat(at.parent.get(), at.name.c_str(), AT_REMOVEDIR) != 0) return emptied ? emptied : Errno();
    return {};
}

std::error_code PosixFilesShell::ListFolder(const std::string& path, std::vector<FolderEntry>& entries) {
    entries.clear();
    std::string absolute = AbsolutePath(path);
    while (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
    FolderFd folder;
    const std::size_t known = lastListed_.size();
    const bool inLast = lastListedFd_.valid() && absolute.size() > known + 1 &&
                        absolute.compare(0, known, lastListed_) == 0 && absolute[known] == '/' &&
                        absolute.find('/', known + 1) == std::string::npos;
    if (inLast) {
        folder = FolderFd(::openat(lastListedFd_.get(), absolute.c_str() + known + 1,
                                   O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!folder.valid()) return Errno();
    } else if (const std::error_code failed = OpenFolder(absolute, folder)) {
        return failed;
    }
    lastListed_ = absolute;
    lastListedFd_ = FolderFd(::fcntl(folder.get(), F_DUPFD_CLOEXEC, 0));
    FolderIdentity listed;
    if (const std::error_code failed = IdentityOf(folder.get(), listed)) return failed;
    std::vector<std::string> names;
    if (const std::error_code failed = ListNames(folder.get(), names)) return failed;
    for (std::string& name : names) {
        FolderEntry entry;
        struct stat info {};
        if (::fstatat(folder.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
            entry.isFolder = S_ISDIR(info.st_mode);
            entry.isLink = S_ISLNK(info.st_mode);
        }
        if (entry.isFolder) {
            FolderFd inner(
                ::openat(folder.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            FolderIdentity identity;
            if (inner.valid() && !IdentityOf(inner.get(), identity))
                entry.isMountPoint = IsOtherMount(identity, listed);
            else if (info.st_dev != listed.device)
                entry.isMountPoint = true;
        }
        entry.isHidden = name.front() == '.';
        entry.name = std::move(name);
        entries.push_back(std::move(entry));
    }
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
    std::vector<std::error_code> each;
    if (const std::error_code failed = ScheduleEachAtRestart(operations, each)) return failed;
    for (const std::error_code& failed : each) {
        if (failed) return failed;
    }
    return {};
}

std::error_code PosixFilesShell::ScheduleEachAtRestart(const std::vector<PendingOperation>& operations,
                                                       std::vector<std::error_code>& each) {
    // The list is carried out at boot from "/" and trusts no link: each path
    // is recorded resolved, with the identity of the folder that holds it.
    each.assign(operations.size(), {});
    std::vector<PendingOperation> recorded;
    std::vector<std::size_t> from;
    for (std::size_t i = 0; i < operations.size(); ++i) {
        const PendingOperation& operation = operations[i];
        ParentAndName at;
        FolderIdentity folder;
        if ((each[i] = OpenParentOf(AbsolutePath(operation.source), true, at))) continue;
        if ((each[i] = IdentityOf(at.parent.get(), folder))) continue;
        PendingOperation resolved{
            (at.folder == "/" ? std::string{} : at.folder) + "/" + at.name, {}, folder.Text()};
        if (!operation.target.empty()) {
            ParentAndName to;
            if ((each[i] = OpenParentOf(AbsolutePath(operation.target), true, to))) continue;
            resolved.target = (to.folder == "/" ? std::string{} : to.folder) + "/" + to.name;
        }
        recorded.push_back(std::move(resolved));
        from.push_back(i);
    }
    if (recorded.empty()) return {};
    const std::error_code failed = AppendPendingOperations(PendingOperationsFile(), recorded);
    if (failed) {
        for (const std::size_t i : from) each[i] = failed;
    }
    return failed;
}

namespace {

// Opens the source's folder and checks it is still the one recorded when the
// operation was scheduled; false, with applied filled in, when it must not go on.
bool OpenCheckedSource(AppliedOperation& applied, ParentAndName& at, struct stat& info) {
    const PendingOperation& operation = applied.operation;
    if (const std::error_code failed = OpenParentOf(operation.source, false, at)) {
        if (failed == std::errc::no_such_file_or_directory) {
            applied.alreadyGone = true;
        } else if (failed == std::errc::too_many_symbolic_link_levels ||
                   failed == std::errc::not_a_directory) {
            applied.refused = PendingRefusal::FolderChanged;  // a link where a folder was
        } else if (failed == std::errc::invalid_argument) {
            applied.refused = PendingRefusal::NotPlainPath;
        } else {
            applied.error = failed;
        }
        return false;
    }
    FolderIdentity folder;
    if ((applied.error = IdentityOf(at.parent.get(), folder))) return false;
    if (operation.sourceFolder.empty() || folder.Text() != operation.sourceFolder) {
        applied.refused = PendingRefusal::FolderChanged;
        return false;
    }
    if (::fstatat(at.parent.get(), at.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            applied.alreadyGone = true;
        else
            applied.error = Errno();
        return false;
    }
    return true;
}

}  // namespace

void PosixFilesShell::CheckPendingSource(AppliedOperation& applied) {
    ParentAndName at;
    struct stat info {};
    OpenCheckedSource(applied, at, info);
}

void PosixFilesShell::CarryOutPending(AppliedOperation& applied) {
    const PendingOperation& operation = applied.operation;
    ParentAndName at;
    struct stat info {};
    if (!OpenCheckedSource(applied, at, info)) return;
    // Backup moves are completed by the backup store, which records them and
    // never replaces a file; here only removals are carried out.
    if (!operation.target.empty()) {
        applied.error = std::make_error_code(std::errc::operation_not_supported);
        return;
    }
    // A folder goes only when empty; a link goes as the link.
    if (::unlinkat(at.parent.get(), at.name.c_str(), S_ISDIR(info.st_mode) ? AT_REMOVEDIR : 0) != 0)
        applied.error = Errno();
}

std::error_code PosixFilesShell::CheckPendingList(const std::string& file) {
    const auto trusted = [](const struct stat& info) {
        return (info.st_uid == 0 || info.st_uid == ::geteuid()) && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
    };
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0) return errno == ENOENT ? std::error_code{} : Errno();
    if (!S_ISREG(info.st_mode) || !trusted(info)) return std::make_error_code(std::errc::permission_denied);
    // Whoever may write the folder may put another list in its place.
    const auto slash = file.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
    struct stat above {};
    if (::stat(folder.c_str(), &above) != 0) return Errno();
    if (!trusted(above) && (above.st_mode & S_ISVTX) == 0)
        return std::make_error_code(std::errc::permission_denied);
    return {};
}

std::string PosixFilesShell::CanonicalPath(const std::string& path) {
    char resolved[PATH_MAX];
    if (!path.empty() && ::realpath(path.c_str(), resolved) != nullptr) return resolved;
    const std::string absolute = AbsolutePath(path);
    // Too long for realpath: the folder part resolved through descriptors.
    std::string through;
    if (absolute.size() >= PATH_MAX && !ResolvedPath(absolute, through)) return through;
    return absolute;
}

bool PosixFilesShell::IsFileSystemRoot(const std::string& path) {
    if (path.empty()) return false;
    FolderFd folder(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) return false;
    FolderFd parent(::openat(folder.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    FolderIdentity self, above;
    if (!parent.valid() || IdentityOf(folder.get(), self) || IdentityOf(parent.get(), above)) return false;
    // A mount point (a bind mount too) lies on another mount than its
    // parent; "/" is its own parent.
    return IsOtherMount(self, above) || (self.device == above.device && self.inode == above.inode);
}

}  // namespace korvane
