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
#include "core/path_set.h"

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

// An object line's path and name as views into the line; a tagged object's
// entry name is "tagged:" followed by name.
struct ObjectLine {
    std::string_view path;
    std::string_view name;
    bool tagged = false;
};

LogEntry EntryOf(const ObjectLine& object);

// Finds the objects of a log that arrives in pieces of whole lines (see
// LogBlockReader) and leaves out repeated paths, so a large log is parsed
// without holding it whole. The views handed out live as long as the piece.
class ObjectLineScanner {
public:
    // earlier: entries whose paths count as already listed.
    explicit ObjectLineScanner(std::span<const LogEntry> earlier = {});
    // Calls found for every new object among the lines text[from, end), in order.
    void Scan(std::string_view text, std::size_t from, const std::function<void(const ObjectLine&)>& found);
    // The same for one line whose lower-cased copy the caller has at hand.
    void ScanLine(std::string_view line, std::string_view lowered,
                  const std::function<void(const ObjectLine&)>& found);

private:
    PathSet seen_;
    std::string lowered_;
};

// Entries for every object line of a log, in log order. A line naming a path
// that an earlier line, or one of `earlier`, already named is left out, so the
// first occurrence wins and keeps its name. Paths compare exactly: C:\A.EXE and
// c:\a.exe are two entries.
std::vector<LogEntry> ParseLog(std::string_view logText, std::span<const LogEntry> earlier = {});

}  // namespace korvane
