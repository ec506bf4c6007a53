#pragma once
// Operations left for the next start of the system: delete a file or an empty
// folder, or move a file to its backup name. Where the system keeps no such
// list itself, they are kept in a file of NUL-separated source/target pairs
// (the layout of the Windows registry value), so every byte of a path
// survives, newlines included. A last pair, which names no path, holds the
// number of operations and a checksum of the bytes before it: a list that
// was cut short or damaged is refused as a whole instead of being carried
// out in part or with altered paths.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace korvane {

struct PendingOperation {
    std::string source;
    std::string target;  // empty: delete the source

    bool operator==(const PendingOperation&) const = default;
};

inline constexpr char kDefaultPendingOperationsFile[] = "/var/lib/korvane/pending-operations";
inline constexpr char kPendingOperationsFileVariable[] = "KORVANE_PENDING_FILE";

// The file KORVANE_PENDING_FILE names, else the default.
std::string PendingOperationsFile();

std::string EncodePendingOperations(const std::vector<PendingOperation>& operations);
// Nothing when the text is not a whole number of NUL-terminated pairs ending
// in a check pair that matches them.
std::optional<std::vector<PendingOperation>> DecodePendingOperations(std::string_view text);

// Adds the operations not listed yet at the end of the list in file (created
// with its folder when missing), written atomically.
std::error_code AppendPendingOperations(const std::string& file,
                                        const std::vector<PendingOperation>& operations);

struct AppliedOperation {
    PendingOperation operation;
    std::error_code error;     // empty: done
    bool alreadyGone = false;  // the source did not exist any more
};

struct ApplyPendingResult {
    std::error_code fileError;  // the list could not be read or written back
    std::vector<AppliedOperation> applied;
};

// Carries out every listed operation in order and writes back only the ones
// that failed (and any appended meanwhile), so a failure is tried again next
// time and nothing else is lost. A missing file is an empty list.
// moveToBackup, when given, carries out the operations that have a target.
using PendingBackupMove = std::function<std::error_code(const PendingOperation&, bool& alreadyGone)>;
ApplyPendingResult ApplyPendingOperations(const std::string& file, const PendingBackupMove& moveToBackup = {});

// One operation on disk: remove a file, link or empty folder (never following
// a link), or move the source over the target, replacing it.
std::error_code CarryOutPendingOperation(const PendingOperation& operation, bool& alreadyGone);

}  // namespace korvane
