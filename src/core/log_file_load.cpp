#include "core/log_file_load.h"

#include "core/log_parser.h"
#include "core/log_report.h"

namespace korvane {

LoadedLog LoadLogFile(const std::string& path, std::span<const LogEntry> kept,
                      const std::string& filesAddedHeader,
                      const std::function<void(std::uint64_t bytesRead)>& bytesRead) {
    LoadedLog loaded;
    FileByteSource source;
    loaded.openError = source.Open(path);
    if (loaded.openError) return loaded;
    LogBlockReader reader(source);
    ObjectLineScanner objects(kept);
    std::string_view text;
    std::size_t from = 0;
    while (reader.Next(text, from)) {
        objects.Scan(text, from, [&](const ObjectLine& object) { loaded.found.push_back(EntryOf(object)); });
        loaded.text.append(text.substr(from));
        if (bytesRead) bytesRead(reader.Outcome().bytesRead);
    }
    loaded.outcome = reader.Outcome();
    std::vector<LogEntry> entries(kept.begin(), kept.end());
    entries.insert(entries.end(), loaded.found.begin(), loaded.found.end());
    loaded.report = BuildReport(loaded.text, entries, filesAddedHeader);
    return loaded;
}

}  // namespace korvane
