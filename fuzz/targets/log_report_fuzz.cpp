// libs: korvane_core
// The report over an arbitrary log: it must equal the report built by
// looking at every line on its own, so the word-skipping search never drops
// or repeats a line, and so must the report written while the log is read in
// small blocks, so no block border drops, splits or repeats a line. Entries
// come from the log (with a hand-added one when the log asks for it by ending
// in a line feed), so empty names occur too.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/log_block_reader.h"
#include "core/log_parser.h"
#include "core/log_report.h"
#include "fuzz_bytes.h"

using korvane::fuzz::Require;

namespace {

constexpr std::string_view kHeader = "------------- FILES ADDED TO DELETE --------------";

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    }
    return lower;
}

bool Has(std::string_view line, std::string_view word) {
    return Lower(line).find(word) != std::string::npos;
}

void Section(std::string& report, std::string_view header, const std::vector<std::string_view>& lines,
             bool numbered = true) {
    const std::string separator(50, '-');
    report.append("\r\n").append(separator).append("\r\n").append(header).append("\r\n");
    report.append(separator).append("\r\n\r\n");
    std::size_t number = 0;
    for (std::string_view line : lines) {
        if (numbered) report.append(std::to_string(++number)).append(": ");
        report.append(line).append("\r\n");
    }
}

// Every line of the log looked at in turn, each test on its own.
std::string LineByLineReport(std::string_view log, const std::vector<korvane::LogEntry>& entries) {
    std::vector<std::string_view> lines;
    // A line ends at a line feed; one carriage return right before it is not part of the line.
    for (std::size_t start = 0;;) {
        const std::size_t end = log.find('\n', start);
        std::string_view line =
            log.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    std::vector<std::string_view> infected, tagged, errors, statistics;
    bool started = false;
    for (std::size_t p = 0; p < lines.size(); ++p) {
        const std::string_view line = lines[p];
        if (Has(line, "error!") || Has(line, "invalid object")) errors.push_back(line);
        if (Has(line, "infected") && !Has(line, "total disinfected files")) {
            if (p >= 2 && Has(lines[p - 1], "offending")) {
                infected.push_back(lines[p - 1]);
                if (Has(lines[p - 2], "offending")) infected.push_back(lines[p - 2]);
            }
            infected.push_back(line);
        }
        if (Has(line, "tagged")) tagged.push_back(line);
        if (Has(line, "total objects")) started = true;
        for (std::string_view word : {"total objects", "total virus(es)", "total errors", "time elapsed!",
                                      "virus database date", "virus database count"}) {
            if (Has(line, word)) {
                if (started) statistics.push_back(line);
                break;
            }
        }
    }
    const bool anyStatistics = [&] {
        for (std::string_view line : lines) {
            for (std::string_view word : {"total objects", "total virus(es)", "total errors", "time elapsed!",
                                          "virus database date", "virus database count"}) {
                if (Has(line, word)) return true;
            }
        }
        return false;
    }();

    std::string report;
    if (!infected.empty()) Section(report, "-------------------- INFECTED --------------------", infected);
    if (!tagged.empty()) Section(report, "--------------------- TAGGED ---------------------", tagged);
    if (!errors.empty()) Section(report, "--------------------- ERRORS ---------------------", errors);
    if (!entries.empty()) {
        std::vector<std::string> added;
        for (const korvane::LogEntry& entry : entries)
            added.push_back(entry.FilePath + " => " + entry.VirusName);
        Section(report, kHeader, std::vector<std::string_view>(added.begin(), added.end()));
    }
    if (anyStatistics)
        Section(report, "-------------------- Statistik -------------------", statistics, false);
    return report;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view log(reinterpret_cast<const char*>(data), size);
    std::vector<korvane::LogEntry> entries = korvane::ParseLog(log);
    if (!log.empty() && log.back() == '\n') entries.push_back({"C:\\added by hand.exe", ""});

    const std::string report = korvane::BuildReport(log, entries, kHeader);
    Require(report == LineByLineReport(log, entries), "report differs from the line-by-line report");

    // Blocks of a few bytes, and a line limit above every line of the input.
    const std::size_t step = 1 + (size == 0 ? 0 : data[0] % 13);
    korvane::TextByteSource source(log, step);
    korvane::LogBlockReader reader(source, step, size + 1);
    std::string streamed;
    korvane::ReportWriter writer([&streamed](std::string_view piece) { streamed.append(piece); });
    korvane::ObjectLineScanner objects;
    std::vector<korvane::LogEntry> streamedEntries;
    std::string_view text;
    std::size_t from = 0;
    while (reader.Next(text, from)) {
        // One pass for the report and the objects, as korvane report does it.
        writer.AddLines(text, from, [&](std::string_view line, std::string_view lowered) {
            objects.ScanLine(line, lowered, [&](const korvane::ObjectLine& object) {
                streamedEntries.push_back(korvane::EntryOf(object));
            });
        });
    }
    Require(streamedEntries == korvane::ParseLog(log), "entries read in blocks differ");
    if (!log.empty() && log.back() == '\n') streamedEntries.push_back({"C:\\added by hand.exe", ""});
    for (const korvane::LogEntry& entry : streamedEntries)
        writer.AddEntry(entry.FilePath, {}, entry.VirusName);
    writer.Finish(kHeader);
    Require(streamed == report, "report written while reading differs");
    return 0;
}
