#include "core/log_block_reader.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "core/case_insensitive_search.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {
constexpr auto npos = std::string_view::npos;
}

FileByteSource::~FileByteSource() {
    if (file_ != nullptr) std::fclose(file_);
}

std::error_code FileByteSource::Open(const std::string& path) {
    if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
    std::error_code ec;
    if (fs::is_directory(fs::path(path), ec)) return std::make_error_code(std::errc::is_a_directory);
    errno = 0;
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) return {errno != 0 ? errno : ENOENT, std::generic_category()};
    // Reads are a block at a time already; the stream's own buffer would only copy.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    if (fs::is_regular_file(fs::path(path), ec)) {
        const std::uintmax_t size = fs::file_size(fs::path(path), ec);
        if (!ec) size_ = size;
    }
    return {};
}

std::size_t FileByteSource::Read(char* buffer, std::size_t size, std::error_code& error) {
    errno = 0;
    const std::size_t got = std::fread(buffer, 1, size, file_);
    if (got == 0 && std::ferror(file_) != 0) error = {errno != 0 ? errno : EIO, std::generic_category()};
    return got;
}

std::size_t TextByteSource::Read(char* buffer, std::size_t size, std::error_code&) {
    const std::size_t count = std::min({size, step_, rest_.size()});
    rest_.copy(buffer, count);
    rest_.remove_prefix(count);
    return count;
}

LogBlockReader::LogBlockReader(ByteSource& source, std::size_t blockSize, std::size_t lineLimit)
    : source_(source), blockSize_(blockSize < lineLimit ? blockSize : lineLimit), lineLimit_(lineLimit) {
    outcome_.expectedBytes = source_.SizeAtOpen();
}

bool LogBlockReader::ReadChunk() {
    const std::size_t old = buffer_.size();
    buffer_.resize(old + blockSize_);
    std::error_code error;
    const std::size_t got = source_.Read(buffer_.data() + old, blockSize_, error);
    buffer_.resize(old + got);
    outcome_.bytesRead += got;
    if (error) outcome_.error = error;
    return got > 0 && !error;
}

bool LogBlockReader::SkipRestOfLine() {
    std::uint64_t dropped = buffer_.size() - pending_;
    ++outcome_.skippedLines;
    while (true) {
        buffer_.resize(pending_);
        if (!ReadChunk()) return false;
        const std::size_t lineEnd = buffer_.find('\n', pending_);
        if (lineEnd != npos) {
            // The line stays as an empty line, so the lines after it keep their positions.
            buffer_.erase(pending_, lineEnd - pending_);
            return true;
        }
        dropped += buffer_.size() - pending_;
        if (dropped >= kGiveUpWithoutLineEnd) {
            outcome_.noLineEnd = true;
            buffer_.resize(pending_);
            return false;
        }
    }
}

void LogBlockReader::KeepContextBefore(std::size_t pending) {
    std::size_t keep = pending;
    std::size_t start = 0;
    std::size_t end = 0;
    for (int i = 0; i < 2 && LineBefore(buffer_, keep, start, end); ++i) keep = start;
    buffer_.erase(0, keep);
    pending_ = pending - keep;
}

bool LogBlockReader::Next(std::string_view& text, std::size_t& from) {
    if (done_) return false;
    KeepContextBefore(pending_);
    while (true) {
        const std::size_t lastLineEnd = std::string_view(buffer_).substr(pending_).rfind('\n');
        if (lastLineEnd != npos) {
            // A block is no longer than the limit, so only the line that began
            // before it can be over the limit.
            const std::size_t firstLineEnd = buffer_.find('\n', pending_);
            if (firstLineEnd - pending_ > lineLimit_) {
                ++outcome_.skippedLines;
                buffer_.erase(pending_, firstLineEnd - pending_);
                continue;
            }
            text = std::string_view(buffer_).substr(0, pending_ + lastLineEnd + 1);
            from = pending_;
            pending_ += lastLineEnd + 1;
            return true;
        }
        const bool more = buffer_.size() - pending_ > lineLimit_ ? SkipRestOfLine() : ReadChunk();
        if (!more) {
            // The input is done: what is left is its last line, without a line end.
            done_ = true;
            text = buffer_;
            from = pending_;
            return true;
        }
    }
}

}  // namespace korvane
