#include "core/log_report.h"

#include <array>
#include <vector>

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

constexpr std::array<std::string_view, 6> kStatisticsWords = {"total objects",       "total virus(es)",
                                                              "total errors",        "time elapsed!",
                                                              "virus database date", "virus database count"};

// Searches run on a lower-cased copy of each line, so one copy serves every test.
class LoweredLine {
public:
    std::string_view Of(std::string_view line) {
        buffer_.resize(line.size());
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            buffer_[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
        }
        return buffer_;
    }

private:
    std::string buffer_;
};

bool Has(std::string_view lowered, std::string_view word) {
    return lowered.find(word) != npos;
}

void AppendHeaderBlock(std::string& report, std::string_view header) {
    report.append(kLineEnd).append(kSeparator).append(kLineEnd);
    report.append(header).append(kLineEnd);
    report.append(kSeparator).append(kLineEnd).append(kLineEnd);
}

void AppendNumberedSection(std::string& report, std::string_view header,
                           const std::vector<std::string_view>& lines) {
    if (lines.empty()) return;
    AppendHeaderBlock(report, header);
    std::size_t number = 0;
    for (std::string_view line : lines) {
        report.append(std::to_string(++number)).append(": ").append(line).append(kLineEnd);
    }
}

}  // namespace

std::string BuildReport(std::string_view logText, std::span<const LogEntry> entries,
                        std::string_view filesAddedHeader) {
    std::vector<std::string_view> infected, tagged, errors, statistics;
    LoweredLine lowered;
    LoweredLine loweredBefore;
    // Lines holding none of these words land in no section; they are skipped
    // without being looked at one by one.
    static const WordSetSearcher kWords(
        {"error!", "invalid object", "infected", "tagged", "total ", "time elapsed!", "virus database "});
    LinesContaining lines(logText, kWords);
    std::size_t start = 0;
    std::size_t end = 0;
    while (lines.Next(start, end)) {
        const std::string_view line = logText.substr(start, end - start);
        const std::string_view lower = lowered.Of(line);
        if (Has(lower, "error!") || Has(lower, "invalid object")) errors.push_back(line);
        if (Has(lower, "infected") && !Has(lower, "total disinfected files")) {
            // The look-back belongs to this one line and needs two lines before
            // it: the line two before is listed only when the line right before
            // is an "Offending" line too.
            std::size_t oneStart = 0, oneEnd = 0, twoStart = 0, twoEnd = 0;
            if (LineBefore(logText, start, oneStart, oneEnd) &&
                LineBefore(logText, oneStart, twoStart, twoEnd)) {
                const std::string_view oneBefore = logText.substr(oneStart, oneEnd - oneStart);
                const std::string_view twoBefore = logText.substr(twoStart, twoEnd - twoStart);
                if (Has(loweredBefore.Of(oneBefore), "offending")) {
                    infected.push_back(oneBefore);
                    if (Has(loweredBefore.Of(twoBefore), "offending")) infected.push_back(twoBefore);
                }
            }
            infected.push_back(line);
        }
        if (Has(lower, "tagged")) tagged.push_back(line);
        for (std::string_view word : kStatisticsWords) {
            if (Has(lower, word)) {
                statistics.push_back(line);
                break;
            }
        }
    }

    std::string report;
    AppendNumberedSection(report, kInfectedHeader, infected);
    AppendNumberedSection(report, kTaggedHeader, tagged);
    AppendNumberedSection(report, kErrorsHeader, errors);
    if (!entries.empty()) {
        AppendHeaderBlock(report, filesAddedHeader);
        std::size_t index = 0;
        for (const LogEntry& entry : entries) {
            report.append(std::to_string(++index)).append(": ").append(entry.FilePath);
            report.append(" => ").append(entry.VirusName).append(kLineEnd);
        }
    }
    if (!statistics.empty()) {
        AppendHeaderBlock(report, kStatisticsHeader);
        // Statistics count from the "Total Objects" line on; earlier ones are left out.
        bool started = false;
        for (std::string_view line : statistics) {
            if (!started && Has(lowered.Of(line), "total objects")) started = true;
            if (started) report.append(line).append(kLineEnd);
        }
    }
    return report;
}

bool ReportBelongsInFile(std::string_view report) {
    return !report.empty() && report.find('1') != npos;
}

}  // namespace korvane
