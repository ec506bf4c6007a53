#pragma once
// A log file read and evaluated in one go, off the window's thread: the text
// for LogText, the entries it adds and its report, and how the reading went.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "core/log_block_reader.h"
#include "core/log_entry.h"

namespace korvane {

struct LoadedLog {
    std::error_code openError;
    std::string text;  // the lines read, over-long ones left out
    std::vector<LogEntry> found;
    std::string report;  // of text with kept followed by found
    LogReadOutcome outcome;
};

// kept: the entries that stay in front (their paths count as listed).
// filesAddedHeader: text row 96 in the report's code page.
// bytesRead is told after every block.
LoadedLog LoadLogFile(const std::string& path, std::span<const LogEntry> kept,
                      const std::string& filesAddedHeader,
                      const std::function<void(std::uint64_t bytesRead)>& bytesRead);

}  // namespace korvane
