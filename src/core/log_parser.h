#pragma once
// The scanner log's object lines: which object a line names as infected or
// tagged, and the entries a whole log yields. Pure functions over bytes; the
// log stays in the system code page and paths keep their case.
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/log_entry.h"

namespace korvane {

// Calls visit for every line of a log text. A line ends at "\n"; one "\r"
// right before it is not part of the line, so CR LF, LF-only and mixed texts
// (the clipboard turns CR LF into LF on Windows) give the same lines. A lone
// "\r" elsewhere stays inside its line. Empty lines are visited too.
void ForEachLogLine(std::string_view logText, const std::function<void(std::string_view line)>& visit);

// The object a single line reports, or nothing when the line is no object
// line (no "file ", no ":\", no verdict after the path, or an empty path).
// Infected: name between the quotes of `infected by "..."`, or empty.
// Tagged: "tagged:" followed by the name up to the next blank or the line's end.
std::optional<LogEntry> ParseObjectLine(std::string_view line);

// Entries for every object line of a log, in log order. A line naming a path
// that an earlier line, or one of `earlier`, already named is left out, so the
// first occurrence wins and keeps its name. Paths compare exactly: C:\A.EXE and
// c:\a.exe are two entries.
std::vector<LogEntry> ParseLog(std::string_view logText, std::span<const LogEntry> earlier = {});

}  // namespace korvane
