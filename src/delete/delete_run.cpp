#include "delete/delete_run.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "core/deletion_guard.h"
#include "core/more_text.h"
#include "core/status_rows.h"
#include "core/text_util.h"
#include "delete/backup_store.h"
#include "delete/cls_shutdown.h"
#include "delete/file_removal.h"
#include "delete/folder_removal.h"
#include "delete/protected_paths.h"
#include "delete/row_target.h"

namespace korvane {

std::string EndMessageText(const AppState& state, DeleteEndMessage message, const std::error_code& error) {
    switch (message) {
        case DeleteEndMessage::None:
            return {};
        case DeleteEndMessage::LeftForRestart:
            return state.Text(31) + "\r\n" + state.Text(32);
        case DeleteEndMessage::NeedsAdministrator:
            return state.Text(31) + "\r\n" + state.Text(33) + "\r\n\r\n" + state.Text(34);
        case DeleteEndMessage::SchedulingFailed:
            return state.Text(31) + "\r\n" + More(MoreText::SchedulingFailed, state.Language) +
                   error.message();
    }
    return {};
}

namespace {

PlannedAction PlanRow(const DeletionContext& context, const DeleteOptions& options, const std::string& path) {
    FilesShell& files = context.platform.files;
    const bool stuck = context.LacksAdminRights();
    if (!files.FileExists(path))
        return stuck ? PlannedAction::NeedsAdministrator : PlannedAction::QueueForRestart;
    const bool folder = files.IsDirectory(path);
    if (!options.allOnReboot) {
        if (folder || !options.fileBackup) return PlannedAction::RemoveNow;
        return PlannedAction::BackUpNow;
    }
    if (stuck) return PlannedAction::NeedsAdministrator;
    if (folder && files.IsFolderEmpty(path)) return PlannedAction::KeepEmptyFolder;
    return PlannedAction::QueueForRestart;
}

// The malware name of a queued path: its row's, or that of the folder row it lies in.
std::function<std::string(const std::string&)> DetectionLookup(
    const DeletionContext& context, std::vector<std::pair<std::string, std::string>> detections) {
    const char separator = context.state.PathSeparator;
    const bool ignoreCase = context.platform.files.NamesIgnoreCase();
    return [detections = std::move(detections), separator, ignoreCase](const std::string& entry) {
        const auto same = [ignoreCase](const std::string& a, const std::string& b) {
            return ignoreCase ? AsciiLowerCopy(a) == AsciiLowerCopy(b) : a == b;
        };
        std::string best;
        std::size_t bestLength = 0;
        for (const auto& [path, name] : detections) {
            std::string folder = path;
            if (folder.empty() || folder.back() != separator) folder.push_back(separator);
            const bool inside = entry.size() > folder.size() && same(entry.substr(0, folder.size()), folder);
            if (same(entry, path)) return name;
            if (inside && folder.size() > bestLength) {
                best = name;
                bestLength = folder.size();
            }
        }
        return best;
    };
}

void ReportBackupFailures(const DeletionContext& context, const std::vector<std::string>& reasons) {
    MessageRequest message;
    message.text = More(MoreText::BackupFailed, context.state.Language);
    for (const std::string& reason : reasons) message.text += "\r\n" + reason;
    message.title = context.state.Text(30);
    message.icon = MessageIcon::Warning;
    context.platform.ui.ShowMessage(message);
}

// What one run has done so far, so that a later row does not undo or repeat it.
class RunLedger {
public:
    explicit RunLedger(const DeletionContext& context)
        : separator_(context.state.PathSeparator), ignoreCase_(context.platform.files.NamesIgnoreCase()) {}

    void Removed(const std::string& path) { removed_.push_back(path); }
    // The path, or a folder holding it, was deleted by this run.
    bool RemovedEarlier(const std::string& path) const {
        for (const std::string& gone : removed_) {
            if (IsSameOrInside(path, gone, separator_, ignoreCase_)) return true;
        }
        return false;
    }
    void Queued(int row, const std::string& path) { queued_.push_back({row, path}); }
    const std::vector<std::pair<int, std::string>>& QueuedRows() const { return queued_; }
    bool Inside(const std::string& path, const std::string& folder) const {
        return IsSameOrInside(path, folder, separator_, ignoreCase_);
    }

private:
    char separator_;
    bool ignoreCase_;
    std::vector<std::string> removed_;
    std::vector<std::pair<int, std::string>> queued_;
};

// Leaves nothing on the restart list that this run has already deleted: it
// would take whatever is made there again before the next boot.
void ForgetRemoved(std::vector<std::string>& list, const RunLedger& ledger) {
    if (list.empty()) return;
    list.erase(std::remove_if(list.begin() + 1, list.end(),
                              [&ledger](const std::string& entry) { return ledger.RemovedEarlier(entry); }),
               list.end());
}

}  // namespace

std::string NotDoneText(const AppState& state, const std::vector<RowNotDone>& rows) {
    std::string text = More(MoreText::NotDeletedList, state.Language);
    for (const RowNotDone& row : rows) text += "\r\n" + row.path + " (" + row.reason + ")";
    return text;
}

DeleteRunResult CB_DelFiles_Click(const DeletionContext& context, DeleteRunRows& rows,
                                  const DeleteOptions& options, const std::function<void()>& closeProgram) {
    DeleteRunResult result;
    AppState& state = context.state;
    FilesShell& files = context.platform.files;
    if (state.EntryCount() == 0) return result;
    result.ran = true;

    if (options.fileBackup && !options.dryRun) {
        std::string backupFolder = context.BackupFolder();
        backupFolder.pop_back();
        if (!files.FileExists(backupFolder)) files.CreateFolderPath(context.BackupFolder());
    }

    const bool stuck = context.LacksAdminRights();
    const ProtectedFolders guard = ProtectedFoldersOf(context);
    const std::string added = state.Text(kStatusAdded);
    const RowTargets targets;
    RunLedger ledger(context);
    bool keptEmptyFolder = false;
    // The plan names the path acted on (a Wine row's file), the list the row's text.
    const auto refuse = [&](int row, const std::string& path, Refusal refusal,
                            const std::string& acted = {}) {
        if (options.dryRun) {
            result.plans.push_back({row, acted.empty() ? path : acted, PlannedAction::Refuse});
            return;
        }
        rows.SetStatus(row, state.Text(kStatusFailed));
        result.notDone.push_back({row, path, RefusalText(state, refusal)});
    };
    const auto notRecorded = [&](int row, const std::string& path, const std::string& reason) {
        rows.SetStatus(row, state.Text(kStatusFailed));
        result.notDone.push_back({row, path, reason});
    };
    const auto queued = [&](int row, const std::string& path) {
        rows.SetStatus(row, state.Text(kStatusReboot));
        ledger.Queued(row, path);
        result.restartNeeded = true;
    };
    const int count = rows.Count();
    std::vector<std::pair<std::string, std::string>> detections;  // path, malware name
    DeleteProgress progress;
    if (options.progress) {
        for (int row = 0; row < count; ++row)
            progress.total += rows.Checked(row) && rows.Status(row) == added;
    }
    for (int row = 0; row < count; ++row) {
        if (!rows.Checked(row) || rows.Status(row) != added) continue;
        // The list shows the log's text; a Wine drive path acts on the file it maps to.
        const std::string listed = rows.Path(row);
        if (options.progress) {
            progress.path = listed;
            if (!options.progress(progress)) {
                result.cancelled = true;
                break;
            }
            ++progress.done;
        }
        const RowTarget target = targets.Of(listed, state.Language);
        if (!target.problem.empty()) {
            if (options.dryRun)
                result.plans.push_back({row, listed, PlannedAction::Fail});
            else
                rows.SetStatus(row, state.Text(kStatusFailed));
            result.notDone.push_back({row, listed, target.problem});
            continue;
        }
        // A typed relative name is the file in the working folder, as for --add.
        const std::optional<std::string> plain = RowPathToAct(
            context, state.PathSeparator == '/' ? AgainstWorkingFolder(target.path) : target.path);
        if (!plain) {
            refuse(row, listed, Refusal::NotPlainPath);
            continue;
        }
        const std::string& path = *plain;

        // Never a root or a folder the system, the users or this program lives in.
        if (const Refusal refusal = GuardRefusal(context, guard, path); refusal != Refusal::None) {
            refuse(row, listed, refusal, path);
            continue;
        }
        if (options.dryRun) {
            result.plans.push_back({row, path, PlanRow(context, options, path)});
            continue;
        }
        // Listed twice, or inside a folder this run removed: it is gone.
        if (ledger.RemovedEarlier(path)) {
            rows.SetStatus(row, state.Text(kStatusDeleted));
            continue;
        }

        if (!files.FileExists(path)) {
            detections.emplace_back(path, rows.Name(row));
            if (stuck) {
                rows.SetStatus(row, state.Text(kStatusFailed));
                result.restartNeeded = true;
            } else if (const std::string why = AddRebootDelete(context, path); !why.empty()) {
                notRecorded(row, listed, why);
            } else {
                queued(row, path);
            }
            continue;
        }
        const bool folder = files.IsDirectory(path);
        detections.emplace_back(path, rows.Name(row));
        if (!options.allOnReboot) {
            const BackupStepResult backup = options.fileBackup
                                                ? BackUpBeforeRemoval(context, path, rows.Name(row))
                                                : BackupStepResult{BackupStep::RemoveRest, {}};
            if (backup.step == BackupStep::Failed) {
                rows.SetStatus(row, state.Text(kStatusFailed));
                result.backupFailures.push_back(backup.reason);
                continue;
            }
            if (backup.step == BackupStep::RemoveRest && folder) {
                if (files.RemoveFolderTree(path) == FilesShell::MountPointInside()) {
                    refuse(row, listed, Refusal::MountPointInside);
                    continue;
                }
            } else if (backup.step == BackupStep::RemoveRest) {
                RemoveFileNow(context, path, false);
            }
        }
        if (!files.FileExists(path)) {
            rows.SetStatus(row, state.Text(kStatusDeleted));
            ledger.Removed(path);
            continue;
        }
        if (stuck) {
            rows.SetStatus(row, state.Text(kStatusFailed));
            result.restartNeeded = true;
        } else if (folder) {
            std::string why;
            switch (QueueSurvivingFolder(context, path, options.maskText, &why)) {
                case FolderQueueing::Empty:
                    result.restartNeeded = true;  // left as it is, status unchanged
                    keptEmptyFolder = true;
                    break;
                case FolderQueueing::Queued:
                    queued(row, path);
                    break;
                case FolderQueueing::MountPointInside:
                    refuse(row, listed, Refusal::MountPointInside);
                    break;
                case FolderQueueing::NotRecorded:
                    notRecorded(row, listed, why);
                    break;
            }
        } else if (const std::string why = AddRebootDelete(context, path); !why.empty()) {
            notRecorded(row, listed, why);
        } else {
            queued(row, path);
        }
    }
    if (options.dryRun) return result;

    const auto show = [&](const std::string& text, MessageIcon icon) {
        MessageRequest message;
        message.text = text;
        message.title = state.Text(30);
        message.icon = icon;
        context.platform.ui.ShowMessage(message);
    };
    ForgetRemoved(state.RebootDeleteList, ledger);
    if (result.restartNeeded && !stuck) {
        // Queued before a later row removed it (or the folder holding it).
        for (const auto& [row, path] : ledger.QueuedRows()) {
            if (ledger.RemovedEarlier(path)) rows.SetStatus(row, state.Text(kStatusDeleted));
        }
        const ScheduleOutcome outcome =
            ScheduleRebootDeletes(context, options.fileBackup, DetectionLookup(context, detections));
        result.scheduleError = outcome.error;
        // A row says "reboot" only when all of it was recorded.
        bool recorded = false;
        for (const auto& [row, path] : ledger.QueuedRows()) {
            if (rows.Status(row) != state.Text(kStatusReboot)) continue;
            std::string why;
            if (outcome.error) {
                rows.SetStatus(row, state.Text(kStatusFailed));
                continue;
            }
            for (const auto& [entry, error] : outcome.notRecorded) {
                if (ledger.Inside(entry, path)) {
                    why = More(MoreText::NotRecordedScheduling, state.Language) + error.message();
                    break;
                }
            }
            if (why.empty())
                recorded = true;
            else
                notRecorded(row, rows.Path(row), why);
        }
        // What the system did not take is not kept either: the list holds what
        // the restart will really do.
        std::vector<std::string>& list = state.RebootDeleteList;
        for (const auto& [entry, error] : outcome.notRecorded) {
            if (!list.empty()) list.erase(std::remove(list.begin() + 1, list.end(), entry), list.end());
        }
        if (!recorded && !outcome.error && !keptEmptyFolder) result.restartNeeded = false;
    }
    if (!result.backupFailures.empty()) ReportBackupFailures(context, result.backupFailures);
    if (!result.notDone.empty()) show(NotDoneText(state, result.notDone), MessageIcon::Warning);
    if (!result.restartNeeded) return result;
    if (!stuck) {
        if (result.scheduleError) {
            result.message = DeleteEndMessage::SchedulingFailed;
        } else if (options.reboot) {
            result.restartRequested = true;
            RestartSystem(context, closeProgram);
            return result;
        } else {
            result.message = DeleteEndMessage::LeftForRestart;
        }
    } else {
        result.message = DeleteEndMessage::NeedsAdministrator;
    }
    show(EndMessageText(state, result.message, result.scheduleError),
         result.message == DeleteEndMessage::SchedulingFailed ? MessageIcon::Warning : MessageIcon::None);
    return result;
}

}  // namespace korvane
