#pragma once
// Operations left for the next start of the system: delete a file or an empty
// folder, or move a file to its backup name. Where the system keeps no such
// list itself, they are kept in a file of NUL-terminated fields, three per
// operation (source, target, the source folder's identity), so every byte of
// a path survives, newlines included. A last pair, which names no path, holds
// the number of operations and a checksum of the bytes before it: a list that
// was cut short or damaged is refused as a whole instead of being carried
// out in part or with altered paths.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace korvane {

struct PendingOperation {
    PendingOperation() = default;
    PendingOperation(std::string sourcePath, std::string targetPath, std::string folder = {})
        : source(std::move(sourcePath)), target(std::move(targetPath)), sourceFolder(std::move(folder)) {}

    std::string source;
    std::string target;  // empty: delete the source
    // The folder holding the source when it was scheduled ("device:inode");
    // at the restart the operation is carried out only in that very folder.
    std::string sourceFolder;

    // The same operation: same source, same target.
    bool operator==(const PendingOperation& other) const {
        return source == other.source && target == other.target;
    }
};

inline constexpr char kDefaultPendingOperationsFile[] = "/var/lib/korvane/pending-operations";
inline constexpr char kPendingOperationsFileVariable[] = "KORVANE_PENDING_FILE";

// The file KORVANE_PENDING_FILE names, else the default.
std::string PendingOperationsFile();

std::string EncodePendingOperations(const std::vector<PendingOperation>& operations);
// Nothing when the text is not a whole number of NUL-terminated triples
// ending in a check pair that matches them.
std::optional<std::vector<PendingOperation>> DecodePendingOperations(std::string_view text);

// Adds the operations not listed yet at the end of the list in file (created
// with its folder when missing, the folder for its owner alone, the file
// readable and writable by its owner alone), written atomically.
std::error_code AppendPendingOperations(const std::string& file,
                                        const std::vector<PendingOperation>& operations);

// Why an operation was not even tried.
enum class PendingRefusal {
    None,
    ProtectedTarget,  // the guard protects what it would delete or replace
    FolderChanged,    // the source's folder is not the one recorded (a link swapped in?)
    NotPlainPath      // not absolute, or ".", ".." or empty components
};

struct AppliedOperation {
    PendingOperation operation;
    std::error_code error;     // empty: done (unless refused)
    bool alreadyGone = false;  // the source did not exist any more
    PendingRefusal refused = PendingRefusal::None;

    bool Done() const { return !error && refused == PendingRefusal::None; }
};

struct ApplyPendingResult {
    std::error_code fileError;  // the list could not be read or written back
    std::vector<AppliedOperation> applied;
};

// Carries out one operation: fills in error, alreadyGone or refused.
using PendingCarryOut = std::function<void(AppliedOperation&)>;

// Carries out every listed operation in order, then the failed ones again as
// long as a pass gets something done (a folder goes once what was in it has
// gone), and writes back only the ones that failed or were refused (and any
// appended meanwhile), so they are tried again next time and nothing else is
// lost. A missing file is an empty list.
ApplyPendingResult ApplyPendingOperations(const std::string& file, const PendingCarryOut& carryOut);
ApplyPendingResult ApplyPendingOperations(const std::string& file);  // with CarryOutPendingOperation

// One operation on disk: remove a file, link or empty folder (never following
// a link), or move the source over the target, replacing it.
std::error_code CarryOutPendingOperation(const PendingOperation& operation, bool& alreadyGone);

}  // namespace korvane
