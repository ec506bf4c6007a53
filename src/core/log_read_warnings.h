#pragma once
// What the user is told about a log that could not be read as it stood: it
// changed while it was read, lines over the limit were left out, a read
// failed, or it has no line ends at all.
#include <string>
#include <vector>

#include "core/log_block_reader.h"
#include "core/ui_text.h"

namespace korvane {

// One text per problem, in the language; empty when the log was read whole.
std::vector<std::string> LogReadWarnings(const LogReadOutcome& outcome, UiLanguage language);

// The log could not be evaluated at all (no line end), or only up to a failed
// read: the caller must not act on it as if it were whole.
inline bool LogReadFailed(const LogReadOutcome& outcome) {
    return outcome.noLineEnd || static_cast<bool>(outcome.error);
}

}  // namespace korvane
