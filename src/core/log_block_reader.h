#pragma once
// A log read in blocks of whole lines with ordinary reads, so memory stays at
// one block plus one line however large the log is, and a file that is cut
// short or grows while it is read (the scanner rewriting it) ends the read
// with what was read instead of a crash.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace korvane {

// Where the bytes come from: a file, or in tests a scripted source.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills up to size bytes; 0 at the end of the input. A failure is put in error.
    virtual std::size_t Read(char* buffer, std::size_t size, std::error_code& error) = 0;
    // The size the input had when it was opened; nothing for pipes and devices.
    virtual std::optional<std::uint64_t> SizeAtOpen() const = 0;
};

// A file opened for reading.
class FileByteSource : public ByteSource {
public:
    FileByteSource() = default;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;
    ~FileByteSource() override;

    // Opens the file; a folder or a missing file gives the error.
    std::error_code Open(const std::string& path);
    std::size_t Read(char* buffer, std::size_t size, std::error_code& error) override;
    std::optional<std::uint64_t> SizeAtOpen() const override { return size_; }

private:
    std::FILE* file_ = nullptr;
    std::optional<std::uint64_t> size_;
};

// Text already in memory, handed out in pieces of at most step bytes (tests
// use small steps to put block borders everywhere).
class TextByteSource : public ByteSource {
public:
    explicit TextByteSource(std::string_view text, std::size_t step = SIZE_MAX) : rest_(text), step_(step) {}
    std::size_t Read(char* buffer, std::size_t size, std::error_code& error) override;
    std::optional<std::uint64_t> SizeAtOpen() const override { return std::nullopt; }

private:
    std::string_view rest_;
    std::size_t step_;
};

struct LogReadOutcome {
    std::uint64_t bytesRead = 0;
    // The size at open, when the input had one.
    std::optional<std::uint64_t> expectedBytes;
    // Lines longer than the limit, left out (each counts as an empty line).
    std::uint64_t skippedLines = 0;
    // A read failed; what came before it was delivered.
    std::error_code error;
    // No line end came for so long that the input cannot be a log (/dev/zero,
    // a disk image); what came before that line was delivered.
    bool noLineEnd = false;

    // The input was cut short or grew while it was read.
    bool SizeChanged() const { return expectedBytes && *expectedBytes != bytesRead; }
};

class LogBlockReader {
public:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;
    static constexpr std::size_t kLineLimit = std::size_t{1} << 20;
    // So much without a line end and the input is not a log.
    static constexpr std::uint64_t kGiveUpWithoutLineEnd = std::uint64_t{64} << 20;

    explicit LogBlockReader(ByteSource& source, std::size_t blockSize = kBlockSize,
                            std::size_t lineLimit = kLineLimit);

    // The next whole lines: text[from, end) holds them (the last line of the
    // input may lack its line end); text before from holds the up to two lines
    // that precede them, for a look back. False when the input is done.
    bool Next(std::string_view& text, std::size_t& from);
    const LogReadOutcome& Outcome() const { return outcome_; }

private:
    // Reads one chunk behind the buffer's end; false at the end or on a failure.
    bool ReadChunk();
    // Drops the rest of an over-long line; false when the input ended first.
    bool SkipRestOfLine();
    void KeepContextBefore(std::size_t pending);

    ByteSource& source_;
    std::size_t blockSize_;
    std::size_t lineLimit_;
    std::string buffer_;
    std::size_t pending_ = 0;  // start of the lines not delivered yet
    bool done_ = false;
    LogReadOutcome outcome_;
};

}  // namespace korvane
