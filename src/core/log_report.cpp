#include "core/log_report.h"

#include <array>
#include <charconv>

#include "core/case_insensitive_search.h"

namespace korvane {

namespace {

constexpr std::string_view kSeparator = "--------------------------------------------------";
constexpr std::string_view kInfectedHeader = "-------------------- INFECTED --------------------";
constexpr std::string_view kTaggedHeader = "--------------------- TAGGED ---------------------";
constexpr std::string_view kErrorsHeader = "--------------------- ERRORS ---------------------";
constexpr std::string_view kStatisticsHeader = "-------------------- Statistik -------------------";
constexpr std::string_view kLineEnd = "\r\n";
constexpr auto npos = std::string_view::npos;
// The sink gets the text in pieces of about this size.
constexpr std::size_t kFlushSize = std::size_t{1} << 18;

constexpr std::array<std::string_view, 6> kStatisticsWords = {"total objects",       "total virus(es)",
                                                              "total errors",        "time elapsed!",
                                                              "virus database date", "virus database count"};

// Searches run on a lower-cased copy of each line, so one copy serves every test.
std::string_view Lowered(std::string_view line, std::string& buffer) {
    buffer.resize(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        buffer[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
    }
    return buffer;
}

bool Has(std::string_view lowered, std::string_view word) {
    return lowered.find(word) != npos;
}

template <typename Text>
void AppendHeaderBlock(Text& report, std::string_view header) {
    report.append(kLineEnd).append(kSeparator).append(kLineEnd);
    report.append(header).append(kLineEnd);
    report.append(kSeparator).append(kLineEnd).append(kLineEnd);
}

// "n: " in front of a numbered line, without a string per number.
template <typename Text>
void AppendNumber(Text& report, std::size_t number) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    report.append(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits))).append(": ");
}

// Appends a numbered line; the section's header block comes before its first line.
template <typename Text>
void AppendNumbered(Text& section, std::size_t& count, std::string_view header, std::string_view line) {
    if (count == 0) AppendHeaderBlock(section, header);
    AppendNumber(section, ++count);
    section.append(line).append(kLineEnd);
}

}  // namespace

ReportWriter::ReportWriter(Sink sink) : sink_(std::move(sink)) {}

void ReportWriter::AddLines(std::string_view text, std::size_t from, const LineVisitor& visit) {
    // Lines holding none of these words land in no section; they are skipped
    // without being looked at one by one.
    static const WordSetSearcher kWords(
        {"error!", "invalid object", "infected", "tagged", "total ", "time elapsed!", "virus database "});
    LinesContaining lines(text, kWords, from);
    std::size_t start = 0;
    std::size_t end = 0;
    while (lines.Next(start, end)) {
        const std::string_view line = text.substr(start, end - start);
        const std::string_view lower = Lowered(line, lowered_);
        if (visit) visit(line, lower);
        if (Has(lower, "error!") || Has(lower, "invalid object"))
            AppendNumbered(errors_, errorCount_, kErrorsHeader, line);
        if (Has(lower, "infected") && !Has(lower, "total disinfected files")) {
            // The look-back belongs to this one line and needs two lines before
            // it: the line two before is listed only when the line right before
            // is an "Offending" line too.
            std::size_t oneStart = 0, oneEnd = 0, twoStart = 0, twoEnd = 0;
            if (LineBefore(text, start, oneStart, oneEnd) && LineBefore(text, oneStart, twoStart, twoEnd)) {
                const std::string_view oneBefore = text.substr(oneStart, oneEnd - oneStart);
                const std::string_view twoBefore = text.substr(twoStart, twoEnd - twoStart);
                if (Has(Lowered(oneBefore, loweredBefore_), "offending")) {
                    AppendNumbered(out_, infectedCount_, kInfectedHeader, oneBefore);
                    if (Has(Lowered(twoBefore, loweredBefore_), "offending"))
                        AppendNumbered(out_, infectedCount_, kInfectedHeader, twoBefore);
                }
            }
            AppendNumbered(out_, infectedCount_, kInfectedHeader, line);
        }
        if (Has(lower, "tagged")) AppendNumbered(tagged_, taggedCount_, kTaggedHeader, line);
        for (std::string_view word : kStatisticsWords) {
            if (Has(lower, word)) {
                // Statistics count from the "Total Objects" line on; earlier ones are left out.
                anyStatistics_ = true;
                if (!statisticsStarted_ && Has(lower, "total objects")) statisticsStarted_ = true;
                if (statisticsStarted_) statistics_.append(line).append(kLineEnd);
                break;
            }
        }
    }
    if (out_.size() >= kFlushSize) Flush();
}

void ReportWriter::AddEntry(std::string_view path, std::string_view namePrefix, std::string_view name) {
    AppendNumber(entries_, ++entryCount_);
    entries_.append(path).append(" => ").append(namePrefix).append(name).append(kLineEnd);
}

void ReportWriter::Flush() {
    if (holding_ || out_.empty()) return;
    sink_(out_);
    out_.clear();
}

void ReportWriter::Release() {
    holding_ = false;
    Flush();
}

void ReportWriter::Finish(std::string_view filesAddedHeader) {
    Flush();
    const auto hand = [this](std::string_view piece) {
        if (holding_) {
            out_.append(piece);
        } else {
            sink_(piece);
        }
    };
    const auto handSection = [&](TextChunks& section) {
        section.ForEachPiece(hand);
        section.clear();
    };
    handSection(tagged_);
    handSection(errors_);
    if (entryCount_ > 0) {
        std::string header;
        AppendHeaderBlock(header, filesAddedHeader);
        hand(header);
        handSection(entries_);
    }
    if (anyStatistics_) {
        std::string header;
        AppendHeaderBlock(header, kStatisticsHeader);
        hand(header);
        handSection(statistics_);
    }
}

std::string BuildReport(std::string_view logText, std::span<const LogEntry> entries,
                        std::string_view filesAddedHeader) {
    std::string report;
    ReportWriter writer([&report](std::string_view piece) { report.append(piece); });
    writer.AddLines(logText, 0);
    for (const LogEntry& entry : entries) writer.AddEntry(entry.FilePath, {}, entry.VirusName);
    writer.Finish(filesAddedHeader);
    return report;
}

bool ReportBelongsInFile(std::string_view report) {
    return !report.empty() && report.find('1') != npos;
}

}  // namespace korvane
