#include "core/log_evaluation.h"

#include "core/log_parser.h"
#include "core/status_rows.h"

namespace korvane {

std::span<const LogEntry> EntriesOf(const AppState& state) {
    if (state.LogEntries.size() <= 1) return {};
    return std::span<const LogEntry>(state.LogEntries).subspan(1);
}

std::span<const LogEntry> EntriesKeptByEvaluation(const AppState& state) {
    return state.EntryCount() > 0 && state.LogEvaluated ? std::span<const LogEntry>() : EntriesOf(state);
}

LogEvaluation TakeEvaluatedEntries(AppState& state, std::vector<LogEntry> found) {
    LogEvaluation result;
    if (state.LogEntries.empty()) state.LogEntries.assign(1, LogEntry{});
    if (state.EntryCount() > 0 && state.LogEvaluated) {
        state.LogEntries.resize(1);
        result.entriesReplaced = true;
    }
    result.firstNewIndex = state.EntryCount() + 1;
    state.LogEntries.reserve(state.LogEntries.size() + found.size());
    for (LogEntry& entry : found) state.LogEntries.push_back(std::move(entry));
    state.LogEvaluated = true;
    return result;
}

LogEvaluation EvaluateLogIntoEntries(AppState& state, std::string_view logText) {
    return TakeEvaluatedEntries(state, ParseLog(logText, EntriesKeptByEvaluation(state)));
}

std::size_t AppendEntryByHand(AppState& state, const std::string& path) {
    if (state.LogEntries.empty()) state.LogEntries.assign(1, LogEntry{});
    state.LogEntries.push_back(LogEntry{path, state.Text(kAddedByUserName)});
    return state.EntryCount();
}

ResultRow RowForEntry(const AppState& state, std::size_t index) {
    const LogEntry& entry = state.LogEntries[index];
    return ResultRow{"Line" + std::to_string(index), state.Text(kStatusAdded), entry.FilePath,
                     entry.VirusName, false};
}

}  // namespace korvane
