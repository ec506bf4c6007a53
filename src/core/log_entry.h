#pragma once
#include <string>

namespace korvane {

// One object from the log or added by hand. Paths are bytes in the system
// code page, exactly as they stood in the log.
struct LogEntry {
    std::string FilePath;
    std::string VirusName;

    bool operator==(const LogEntry&) const = default;
};

}  // namespace korvane
