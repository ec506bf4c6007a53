#pragma once
// Carrying out one entry of the program's own restart list at boot
// ("korvane apply-pending"), trusting nothing the list says.
#include "core/pending_operations.h"
#include "delete/deletion_context.h"
#include "delete/protected_paths.h"

namespace korvane {

// Why an entry must not be carried out: a protected target, a move onto
// anything but a backup name, a path that is not plain. None when it may.
PendingRefusal RefusalOfPending(const DeletionContext& context, const ProtectedFolders& guard,
                                const PendingOperation& operation);

// Checks the entry, then removes what it names or completes its backup move
// (recorded in the manifest, never replacing a file that took its name
// meanwhile, and only from the folder it was scheduled in). Fills in error,
// alreadyGone or refused.
void CarryOutPendingEntry(const DeletionContext& context, const ProtectedFolders& guard,
                          AppliedOperation& applied);

}  // namespace korvane
