#pragma once
// How an evaluated log and the objects added by hand change LogEntries, and
// the result-list row that belongs to an entry.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "core/result_row.h"

namespace korvane {

struct LogEvaluation {
    // Entries of an earlier evaluation (and any added by hand since) were
    // dropped, so the list starts empty with sorting off.
    bool entriesReplaced = false;
    // Indices of the entries this log added: firstNewIndex .. EntryCount().
    std::size_t firstNewIndex = 1;
};

// Evaluates a log into state.LogEntries and sets LogEvaluated. Before the
// first evaluation, entries added by hand stay in front and their paths count
// as already listed; from then on every evaluation starts from an empty list.
LogEvaluation EvaluateLogIntoEntries(AppState& state, std::string_view logText);

// The two halves of EvaluateLogIntoEntries, for a log parsed elsewhere (in
// pieces, or on another thread): the entries whose paths count as already
// listed, and taking the entries found (parsed with those) into the state.
std::span<const LogEntry> EntriesKeptByEvaluation(const AppState& state);
LogEvaluation TakeEvaluatedEntries(AppState& state, std::vector<LogEntry> found);

// Appends an entry added by hand (path unchanged, name text row 39) and
// returns its index. No duplicate or existence test.
std::size_t AppendEntryByHand(AppState& state, const std::string& path);

// The entries in index order, without the blank element 0.
std::span<const LogEntry> EntriesOf(const AppState& state);

// Key "Line" + index, status row 21, path and name, box clear.
ResultRow RowForEntry(const AppState& state, std::size_t index);

}  // namespace korvane
