#pragma once
// The plain-text report of the last log and of the current entries: infected,
// tagged and failed objects from the raw log, every entry, and the scan
// statistics. Lines end in "\r\n"; the log's bytes pass through unchanged.
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/log_entry.h"
#include "core/text_chunks.h"

namespace korvane {

inline constexpr const char* kReportFileName = "escan_Result.txt";

// entries: the entries in index order (LogEntries without its blank element 0).
// filesAddedHeader: text row 96 in the current language.
std::string BuildReport(std::string_view logText, std::span<const LogEntry> entries,
                        std::string_view filesAddedHeader);

// The report is kept in escan_Result.txt only when it has numbered content:
// not empty and holding the digit "1" somewhere.
bool ReportBelongsInFile(std::string_view report);

// Builds the same report from a log that arrives in pieces of whole lines
// (see LogBlockReader), handing the text to a sink as it goes: the INFECTED
// section, which comes first, as its lines are found; the later sections,
// which are much smaller than the log, when Finish is called.
class ReportWriter {
public:
    using Sink = std::function<void(std::string_view)>;
    using LineVisitor = std::function<void(std::string_view line, std::string_view lowered)>;
    explicit ReportWriter(Sink sink);

    // The log's lines text[from, end), in order; up to two lines before from
    // are only looked back at. visit, when given, sees every line that holds
    // one of the report's words (every object line does), with its
    // lower-cased copy, so a parser can share the one pass over the text.
    void AddLines(std::string_view text, std::size_t from, const LineVisitor& visit = {});
    // The next entry of the files-to-delete section (index order).
    void AddEntry(std::string_view path, std::string_view namePrefix, std::string_view name);
    // While held, nothing reaches the sink (the caller may still decide that
    // there is no report); Release hands over what was held.
    void Hold() { holding_ = true; }
    void Release();
    // Appends the sections after INFECTED and hands everything to the sink.
    void Finish(std::string_view filesAddedHeader);

private:
    void Flush();

    Sink sink_;
    bool holding_ = false;
    std::string out_;  // the INFECTED section not yet handed over
    TextChunks tagged_, errors_, entries_, statistics_;
    std::size_t infectedCount_ = 0, taggedCount_ = 0, errorCount_ = 0, entryCount_ = 0;
    bool anyStatistics_ = false;
    bool statisticsStarted_ = false;
    std::string lowered_, loweredBefore_;
};

}  // namespace korvane
