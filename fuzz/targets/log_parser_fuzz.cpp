// libs: korvane_core
// The log parser and the report over arbitrary bytes: no crash, and the
// word-skipping parser agrees with parsing every line on its own.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/log_parser.h"
#include "core/log_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<korvane::LogEntry> entries = korvane::ParseLog(text);

    std::vector<korvane::LogEntry> lineByLine;
    std::unordered_set<std::string> seen;
    korvane::ForEachLogLine(text, [&](std::string_view line) {
        if (auto entry = korvane::ParseObjectLine(line); entry && seen.insert(entry->FilePath).second) {
            lineByLine.push_back(*entry);
        }
    });
    if (entries != lineByLine) std::abort();
    for (const korvane::LogEntry& entry : entries) {
        if (entry.FilePath.empty()) std::abort();
    }
    (void)korvane::BuildReport(text, entries, "header");
    return 0;
}
