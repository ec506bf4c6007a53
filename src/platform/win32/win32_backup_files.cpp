// Backup copies and file facts on Windows. A backup's ".bkp" name keeps it
// from being run; Windows has no mode bits to record.
#include <windows.h>

#include "core/sha256.h"
#include "platform/backup_files.h"

namespace korvane {

namespace {

// 100-nanosecond ticks between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kUnixEpochTicks = 116444736000000000LL;

std::error_code LastError() {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
        return std::make_error_code(std::errc::file_exists);
    if (error == ERROR_NOT_SAME_DEVICE) return std::make_error_code(std::errc::cross_device_link);
    if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
        return std::make_error_code(std::errc::no_space_on_device);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        return std::make_error_code(std::errc::no_such_file_or_directory);
    return {static_cast<int>(error), std::system_category()};
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        const bool closed = !ok() || CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

std::error_code HashHandle(HANDLE file, std::string& sha256, std::uint64_t& size, HANDLE copyTo = nullptr) {
    Sha256 hash;
    size = 0;
    char buffer[1 << 16];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) return LastError();
        if (got == 0) break;
        if (copyTo != nullptr) {
            DWORD put = 0;
            if (!WriteFile(copyTo, buffer, got, &put, nullptr)) return LastError();
            if (put != got) return std::make_error_code(std::errc::no_space_on_device);
        }
        hash.Update(std::string_view(buffer, got));
        size += got;
    }
    sha256 = hash.FinishHex();
    return {};
}

}  // namespace

std::error_code ReadFileFacts(const std::string& path, FileFacts& facts) {
    facts = {};
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return LastError();
    facts.regular = (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
    facts.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const std::int64_t ticks =
        static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                  data.ftLastWriteTime.dwLowDateTime) -
        kUnixEpochTicks;
    std::int64_t seconds = ticks / 10000000;
    std::int64_t rest = ticks % 10000000;
    if (rest < 0) {
        rest += 10000000;
        --seconds;
    }
    facts.modified = FileTimestamp{seconds, static_cast<std::uint32_t>(rest * 100)};
    return {};
}

std::error_code CopyFileChecked(const std::string& from, const std::string& to, std::string& sha256) {
    sha256.clear();
    Handle in(CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in.ok()) return LastError();
    Handle out(CreateFileA(to.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.ok()) return LastError();
    std::string written, reread;
    std::uint64_t copied = 0, rereadSize = 0;
    std::error_code result = HashHandle(in.get(), written, copied, out.get());
    if (!result && !FlushFileBuffers(out.get())) result = LastError();
    if (!result && SetFilePointer(out.get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        result = LastError();
    if (!result) result = HashHandle(out.get(), reread, rereadSize);
    if (!result && (reread != written || rereadSize != copied))
        result = std::make_error_code(std::errc::io_error);
    if (!out.Close() && !result) result = LastError();
    if (result) {
        DeleteFileA(to.c_str());
        return result;
    }
    sha256 = written;
    return {};
}

std::error_code RenameNoReplace(const std::string& from, const std::string& to) {
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return LastError();
    return {};
}

std::error_code SyncFolder(const std::string&) {
    // NTFS journals its folder entries; MOVEFILE_WRITE_THROUGH has flushed the moves.
    return {};
}

std::error_code WriteFileDurably(const std::string& path, const std::string& bytes) {
    const std::string temporary =
        path + ".tmp-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
    std::error_code result;
    {
        Handle out(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out.ok()) return LastError();
        DWORD put = 0;
        if (!bytes.empty() &&
            (!WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) ||
             put != bytes.size()))
            result = LastError();
        if (!result && !FlushFileBuffers(out.get())) result = LastError();
        if (!out.Close() && !result) result = LastError();
    }
    if (!result &&
        !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        result = LastError();
    if (result) DeleteFileA(temporary.c_str());
    return result;
}

std::error_code MakeBackupInert(const std::string&) {
    return {};
}

std::error_code MakeBackupFolderPrivate(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return std::make_error_code(std::errc::not_a_directory);
    return {};
}

std::error_code ApplyFileFacts(const std::string& path, const FileFacts& facts) {
    if (!facts.modified) return {};
    Handle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) return LastError();
    const std::uint64_t ticks = static_cast<std::uint64_t>(
        facts.modified->seconds * 10000000 + facts.modified->nanoseconds / 100 + kUnixEpochTicks);
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    if (!SetFileTime(file.get(), nullptr, nullptr, &time)) return LastError();
    return {};
}

}  // namespace korvane
