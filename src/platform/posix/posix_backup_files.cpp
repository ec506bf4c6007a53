// Backup copies, modes and file facts on a POSIX system.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "core/sha256.h"
#include "platform/backup_files.h"

namespace korvane {

namespace {

std::error_code Errno() {
    return {errno, std::generic_category()};
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    std::error_code Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? std::error_code{} : Errno();
    }

private:
    int fd_;
};

std::error_code WriteAll(int fd, const char* data, std::size_t size) {
    for (std::size_t written = 0; written < size;) {
        const ssize_t put = ::write(fd, data + written, size - written);
        if (put < 0) {
            if (errno == EINTR) continue;
            return Errno();
        }
        written += static_cast<std::size_t>(put);
    }
    return {};
}

// Reads in to its end through the hash, writing what it reads to out (unless
// out is -1); size gets the number of bytes.
std::error_code CopyInto(int in, int out, std::string& sha256, std::uint64_t& size) {
    Sha256 hash;
    size = 0;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return Errno();
        }
        if (out >= 0) {
            if (const std::error_code failed = WriteAll(out, buffer, static_cast<std::size_t>(got)))
                return failed;
        }
        hash.Update(std::string_view(buffer, static_cast<std::size_t>(got)));
        size += static_cast<std::uint64_t>(got);
    }
    sha256 = hash.FinishHex();
    return {};
}

}  // namespace

std::error_code ReadFileFacts(const std::string& path, FileFacts& facts) {
    facts = {};
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return Errno();
    facts.regular = S_ISREG(info.st_mode);
    facts.size = static_cast<std::uint64_t>(info.st_size);
    facts.mode = static_cast<std::uint32_t>(info.st_mode & 07777);
    facts.owner = FileOwner{static_cast<std::uint32_t>(info.st_uid), static_cast<std::uint32_t>(info.st_gid)};
    facts.modified = FileTimestamp{static_cast<std::int64_t>(info.st_mtim.tv_sec),
                                   static_cast<std::uint32_t>(info.st_mtim.tv_nsec)};
    return {};
}

std::error_code CopyFileChecked(const std::string& from, const std::string& to, std::string& sha256) {
    sha256.clear();
    Descriptor in(::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!in.ok()) return Errno();
    struct stat info {};
    if (::fstat(in.get(), &info) != 0) return Errno();
    if (!S_ISREG(info.st_mode)) return std::make_error_code(std::errc::invalid_argument);
    Descriptor out(::open(to.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!out.ok()) return Errno();
    std::error_code result;
    std::uint64_t copied = 0;
    std::string written;
    result = CopyInto(in.get(), out.get(), written, copied);
    if (!result && ::fsync(out.get()) != 0) result = Errno();
    // Read the copy back: what is on the disk must be what was read.
    std::string reread;
    std::uint64_t rereadSize = 0;
    if (!result && ::lseek(out.get(), 0, SEEK_SET) != 0) result = Errno();
    if (!result) result = CopyInto(out.get(), -1, reread, rereadSize);
    if (!result && (reread != written || rereadSize != copied))
        result = std::make_error_code(std::errc::io_error);
    if (const std::error_code closed = out.Close(); closed && !result) result = closed;
    if (!result) result = SyncFolder(FolderOf(to));
    if (result) {
        ::unlink(to.c_str());
        return result;
    }
    sha256 = written;
    return {};
}

std::error_code RenameNoReplace(const std::string& from, const std::string& to) {
#ifdef SYS_renameat2
    const long done =
        ::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 1 /* NOREPLACE */);
    if (done == 0) return {};
    if (errno != ENOSYS && errno != EINVAL) return Errno();
#endif
    // Without renameat2: a hard link fails on an existing target.
    if (::link(from.c_str(), to.c_str()) != 0) return Errno();
    if (::unlink(from.c_str()) != 0) return Errno();
    return {};
}

std::error_code SyncFolder(const std::string& folder) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.ok()) return Errno();
    if (::fsync(fd.get()) != 0 && errno != EINVAL) return Errno();
    return {};
}

std::error_code WriteFileDurably(const std::string& path, const std::string& bytes) {
    static std::atomic<unsigned> counter{0};
    const std::string temporary =
        path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    std::error_code result;
    {
        Descriptor out(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!out.ok()) return Errno();
        result = WriteAll(out.get(), bytes.data(), bytes.size());
        if (!result && ::fsync(out.get()) != 0) result = Errno();
        if (const std::error_code closed = out.Close(); closed && !result) result = closed;
    }
    if (!result && ::rename(temporary.c_str(), path.c_str()) != 0) result = Errno();
    if (result) {
        ::unlink(temporary.c_str());
        return result;
    }
    return SyncFolder(FolderOf(path));
}

std::error_code MakeBackupInert(const std::string& path) {
    if (::fchmodat(AT_FDCWD, path.c_str(), 0600, 0) != 0) return Errno();
    return {};
}

std::error_code MakeBackupFolderPrivate(const std::string& folder) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0) return Errno();
    if (!S_ISDIR(info.st_mode)) return std::make_error_code(std::errc::not_a_directory);
    if ((info.st_mode & 07777) != 0700 && ::chmod(folder.c_str(), 0700) != 0) return Errno();
    return {};
}

std::error_code ApplyFileFacts(const std::string& path, const FileFacts& facts) {
    if (facts.owner) {
        // Only root may give a file away; anyone else keeps it as their own.
        if (::lchown(path.c_str(), facts.owner->user, facts.owner->group) != 0 && errno != EPERM)
            return Errno();
    }
    // After the owner: a change of owner clears the set-uid bit.
    if (facts.mode && ::chmod(path.c_str(), *facts.mode) != 0) return Errno();
    if (facts.modified) {
        struct timespec times[2];
        times[0].tv_sec = 0;
        times[0].tv_nsec = UTIME_OMIT;
        times[1].tv_sec = static_cast<time_t>(facts.modified->seconds);
        times[1].tv_nsec = static_cast<long>(facts.modified->nanoseconds);
        if (::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) return Errno();
    }
    return {};
}

}  // namespace korvane
