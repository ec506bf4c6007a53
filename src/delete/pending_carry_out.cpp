#include "delete/pending_carry_out.h"

#include "delete/backup_store.h"

namespace korvane {

PendingRefusal RefusalOfPending(const DeletionContext& context, const ProtectedFolders& guard,
                                const PendingOperation& operation) {
    // A move is only ever onto a backup name: anything else would replace a
    // file nobody asked to touch.
    if (!operation.target.empty() && !operation.target.ends_with(".bkp"))
        return PendingRefusal::ProtectedTarget;
    for (const std::string* path : {&operation.source, &operation.target}) {
        if (path->empty() && path == &operation.target) continue;
        if (!RowPathToAct(context, *path)) return PendingRefusal::NotPlainPath;
        const Refusal refusal = GuardRefusal(context, guard, *path);
        if (refusal == Refusal::NotPlainPath) return PendingRefusal::NotPlainPath;
        if (refusal != Refusal::None) return PendingRefusal::ProtectedTarget;
    }
    return PendingRefusal::None;
}

void CarryOutPendingEntry(const DeletionContext& context, const ProtectedFolders& guard,
                          AppliedOperation& applied) {
    FilesShell& files = context.platform.files;
    applied.refused = RefusalOfPending(context, guard, applied.operation);
    if (applied.refused != PendingRefusal::None) return;
    if (applied.operation.target.empty()) {
        files.CarryOutPending(applied);
        return;
    }
    files.CheckPendingSource(applied);
    if (applied.refused != PendingRefusal::None || applied.error) return;
    // Also when the source is gone: its reserved record is dropped then.
    applied.error =
        CompletePendingBackup(files, context.state.PathSeparator, applied.operation, applied.alreadyGone);
}

}  // namespace korvane
