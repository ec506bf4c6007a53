#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/log_block_reader.h"
#include "core/log_parser.h"
#include "core/log_read_warnings.h"
#include "core/log_report.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// The lines a reader delivers, each with the lines it may look back at.
struct Delivered {
    std::vector<std::string> lines;
    bool contextRight = true;  // the text before each block's new lines is its last two lines
};

Delivered ReadLines(LogBlockReader& reader) {
    Delivered delivered;
    std::string_view text;
    std::size_t from = 0;
    while (reader.Next(text, from)) {
        std::vector<std::string> context;
        ForEachLogLine(text.substr(0, from), [&](std::string_view line) { context.emplace_back(line); });
        if (from > 0) {
            context.pop_back();  // the empty rest after the context's last line end
            const std::size_t expected = std::min<std::size_t>(2, delivered.lines.size());
            delivered.contextRight =
                delivered.contextRight && context.size() == expected &&
                std::equal(context.begin(), context.end(), delivered.lines.end() - expected);
        }
        ForEachLogLine(text.substr(from), [&](std::string_view line) { delivered.lines.emplace_back(line); });
        // A block ends at a line end, so the split leaves an empty rest that is no line.
        if (!text.empty() && text.back() == '\n') delivered.lines.pop_back();
    }
    return delivered;
}

std::vector<std::string> LinesOf(std::string_view text) {
    std::vector<std::string> lines;
    ForEachLogLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    if (!text.empty() && text.back() == '\n') lines.pop_back();
    return lines;
}

TEST(LogBlockReader, DeliversEveryLineOnceWithItsTwoLinesBefore) {
    std::mt19937 random(3);
    const char* pieces[] = {"file ", "C:\\x", "\r\n", "\n", "\r", "infected ", "Offending", " ", "abc"};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int i = 0; i < 60; ++i) text += pieces[random() % std::size(pieces)];
        for (const std::size_t step : {1, 2, 3, 7, 64}) {
            TextByteSource source(text, step);
            LogBlockReader reader(source, step, text.size() + 1);
            const Delivered delivered = ReadLines(reader);
            ASSERT_EQ(delivered.lines, LinesOf(text)) << "step " << step << ": " << text;
            EXPECT_TRUE(delivered.contextRight) << "step " << step << ": " << text;
            EXPECT_EQ(reader.Outcome().bytesRead, text.size());
            EXPECT_FALSE(reader.Outcome().SizeChanged());
        }
    }
}

// A real file that the scanner rewrites while it is read: after the first
// read it is cut short or grows.
class ChangingFile : public ByteSource {
public:
    ChangingFile(const fs::path& path, std::function<void()> change)
        : path_(path), change_(std::move(change)) {
        EXPECT_FALSE(file_.Open(path.string()));
    }
    std::size_t Read(char* buffer, std::size_t size, std::error_code& error) override {
        const std::size_t got = file_.Read(buffer, size, error);
        if (change_) std::exchange(change_, nullptr)();
        return got;
    }
    std::optional<std::uint64_t> SizeAtOpen() const override { return file_.SizeAtOpen(); }

private:
    fs::path path_;
    FileByteSource file_;
    std::function<void()> change_;
};

class LogFileChanging : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("korvane-reader-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        path_ = dir_ / "mwav.log";
        for (int i = 0; i < 100; ++i)
            log_ += "Scanning file C:\\f" + std::to_string(i) + ".exe infected by \"V\"\r\n";
        std::ofstream(path_, std::ios::binary) << log_;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::vector<LogEntry> Entries(LogBlockReader& reader) {
        std::vector<LogEntry> entries;
        ObjectLineScanner objects;
        std::string_view text;
        std::size_t from = 0;
        while (reader.Next(text, from)) {
            objects.Scan(text, from, [&](const ObjectLine& object) { entries.push_back(EntryOf(object)); });
        }
        return entries;
    }

    fs::path dir_;
    fs::path path_;
    std::string log_;
};

TEST_F(LogFileChanging, CutShortEndsWithWhatWasReadAndAWarning) {
    ChangingFile file(path_, [this] { fs::resize_file(path_, 1000); });
    LogBlockReader reader(file, 512, 4096);
    const std::vector<LogEntry> entries = Entries(reader);
    // The first block came whole; the rest stops where the file now ends.
    EXPECT_EQ(reader.Outcome().bytesRead, 1000u);
    EXPECT_EQ(entries, ParseLog(std::string_view(log_).substr(0, 1000)));
    EXPECT_FALSE(entries.empty());
    ASSERT_TRUE(reader.Outcome().SizeChanged());
    EXPECT_FALSE(LogReadFailed(reader.Outcome()));
    const std::vector<std::string> warnings = LogReadWarnings(reader.Outcome(), UiLanguage::English);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "The file changed while it was read (1000 of " + std::to_string(log_.size()) +
                               " bytes read); what was read is evaluated.");
}

TEST_F(LogFileChanging, GrownIsReadToItsNewEndWithAWarning) {
    const std::string more = "Scanning file C:\\late.exe infected by \"Late\"\r\n";
    ChangingFile file(path_, [&] { std::ofstream(path_, std::ios::binary | std::ios::app) << more; });
    LogBlockReader reader(file, 512, 4096);
    const std::vector<LogEntry> entries = Entries(reader);
    EXPECT_EQ(entries, ParseLog(log_ + more));
    EXPECT_EQ(reader.Outcome().bytesRead, log_.size() + more.size());
    EXPECT_TRUE(reader.Outcome().SizeChanged());
    EXPECT_EQ(LogReadWarnings(reader.Outcome(), UiLanguage::German).size(), 1u);
}

TEST(LogBlockReader, LineOverTheLimitIsLeftOutAsAnEmptyLine) {
    // The look-back sees the left-out line as an empty line: the "Offending"
    // line before it is not listed.
    const std::string log = "head\r\nOffending a.exe\r\n" + std::string(300, 'x') +
                            " infected\r\nC:\\b infected\r\nfile C:\\c.exe infected by \"C\"\r\n";
    for (const std::size_t step : {1, 8, 64}) {
        TextByteSource source(log, step);
        LogBlockReader reader(source, 64, 100);
        std::string report;
        ReportWriter writer([&](std::string_view piece) { report.append(piece); });
        std::string_view text;
        std::size_t from = 0;
        while (reader.Next(text, from)) writer.AddLines(text, from);
        writer.Finish("header");
        EXPECT_EQ(reader.Outcome().skippedLines, 1u) << step;
        EXPECT_EQ(report,
                  BuildReport(
                      "head\r\nOffending a.exe\r\n\r\nC:\\b infected\r\nfile C:\\c.exe infected by \"C\"\r\n",
                      {}, "header"))
            << step;
        EXPECT_EQ(LogReadWarnings(reader.Outcome(), UiLanguage::English),
                  std::vector<std::string>{"Lines over 1 MiB skipped: 1"});
    }
}

// Endless bytes without a line end, as /dev/zero gives.
class EndlessSource : public ByteSource {
public:
    std::size_t Read(char* buffer, std::size_t size, std::error_code&) override {
        std::fill(buffer, buffer + size, '\0');
        return size;
    }
    std::optional<std::uint64_t> SizeAtOpen() const override { return std::nullopt; }
};

TEST(LogBlockReader, EndlessLineEndsWithAnError) {
    EndlessSource source;
    LogBlockReader reader(source);
    const std::vector<std::string> lines = ReadLines(reader).lines;
    EXPECT_TRUE(lines.empty() || (lines.size() == 1 && lines[0].empty()));
    EXPECT_TRUE(reader.Outcome().noLineEnd);
    EXPECT_TRUE(LogReadFailed(reader.Outcome()));
    EXPECT_LE(reader.Outcome().bytesRead,
              LogBlockReader::kGiveUpWithoutLineEnd + 2 * LogBlockReader::kBlockSize);
    EXPECT_EQ(LogReadWarnings(reader.Outcome(), UiLanguage::English),
              std::vector<std::string>{"No line end within 64 MiB: this is not a scanner log."});
}

// A disk that fails in the middle of the log.
class FailingSource : public ByteSource {
public:
    explicit FailingSource(std::string text) : text_(std::move(text)) {}
    std::size_t Read(char* buffer, std::size_t size, std::error_code& error) override {
        if (done_) {
            error = std::make_error_code(std::errc::io_error);
            return 0;
        }
        done_ = true;
        const std::size_t count = std::min(size, text_.size());
        text_.copy(buffer, count);
        return count;
    }
    std::optional<std::uint64_t> SizeAtOpen() const override { return 1000; }

private:
    std::string text_;
    bool done_ = false;
};

TEST(LogBlockReader, FailedReadKeepsWhatCameBefore) {
    FailingSource source("a\r\nb\r\nc");
    LogBlockReader reader(source);
    EXPECT_EQ(ReadLines(reader).lines, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(LogReadFailed(reader.Outcome()));
    const std::vector<std::string> warnings = LogReadWarnings(reader.Outcome(), UiLanguage::English);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rfind("Read error after 7 bytes; what was read is evaluated: ", 0), 0u)
        << warnings[0];
}

}  // namespace
}  // namespace korvane
