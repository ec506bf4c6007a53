#pragma once
// The plain-text report of the last log and of the current entries: infected,
// tagged and failed objects from the raw log, every entry, and the scan
// statistics. Lines end in "\r\n"; the log's bytes pass through unchanged.
#include <span>
#include <string>
#include <string_view>

#include "core/log_entry.h"

namespace korvane {

inline constexpr const char* kReportFileName = "escan_Result.txt";

// entries: the entries in index order (LogEntries without its blank element 0).
// filesAddedHeader: text row 96 in the current language.
std::string BuildReport(std::string_view logText, std::span<const LogEntry> entries,
                        std::string_view filesAddedHeader);

// The report is kept in escan_Result.txt only when it has numbered content:
// not empty and holding the digit "1" somewhere.
bool ReportBelongsInFile(std::string_view report);

}  // namespace korvane
