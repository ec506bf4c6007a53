#include "core/whole_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>

namespace korvane {

namespace fs = std::filesystem;

namespace {

std::error_code LastErrno(int fallback = EIO) { return {errno != 0 ? errno : fallback, std::generic_category()}; }

// A name in the target's folder that no other write of this process uses.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return path + ".tmp-" + std::to_string(stamp) + "-" + std::to_string(counter++);
}

}  // namespace

std::error_code ReadWholeFile(const std::string& path, std::string& contents) {
    contents.clear();
    std::error_code ec;
    if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
    if (fs::is_directory(fs::path(path), ec)) return std::make_error_code(std::errc::is_a_directory);
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return LastErrno(ENOENT);
    // Read straight into a string of the file's size, so a large log is
    // neither copied nor held twice while it grows; a file that grows while
    // it is read is read to its end.
    std::error_code sizeError;
    const auto size = fs::file_size(fs::path(path), sizeError);
    std::size_t filled = 0;
    if (!sizeError && size > 0) {
        contents.resize(static_cast<std::size_t>(size));
        filled = std::fread(contents.data(), 1, contents.size(), file);
        contents.resize(filled);
    }
    if (sizeError || filled == static_cast<std::size_t>(size)) {
        char buffer[1 << 16];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        contents.clear();
        return std::make_error_code(std::errc::io_error);
    }
    return {};
}

std::string ReadWholeFile(const std::string& path) {
    std::string contents;
    ReadWholeFile(path, contents);
    return contents;
}

std::error_code WriteWholeFile(const std::string& path, std::string_view contents) {
    if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
    const std::string temporary = TemporaryNameFor(path);
    errno = 0;
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return LastErrno();
    std::error_code result;
    if (!contents.empty() && std::fwrite(contents.data(), 1, contents.size(), file) != contents.size()) {
        result = LastErrno(ENOSPC);
    }
    if (std::fflush(file) != 0 && !result) result = LastErrno(ENOSPC);
    if (std::fclose(file) != 0 && !result) result = LastErrno(ENOSPC);
    if (!result) fs::rename(fs::path(temporary), fs::path(path), result);
    if (result) {
        std::error_code ignored;
        fs::remove(fs::path(temporary), ignored);
    }
    return result;
}

}  // namespace korvane
