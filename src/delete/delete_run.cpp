#include "delete/delete_run.h"

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
            return state.Text(31) + "\r\n" + More(MoreText::SchedulingFailed, state.Language) + error.message();
        case DeleteEndMessage::SomeFailed:
            return state.Text(31);
    }
    return {};
}

std::string EndMessageText(const AppState& state, const DeleteRunResult& result) {
    std::string text = EndMessageText(state, result.message, result.scheduleError);
    for (const RowProblem& problem : result.rowProblems)
        text += "\r\n" + problem.rowPath + ": " + problem.problem;
    return text;
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

}  // namespace

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
        const std::string rowPath = rows.Path(row);
        if (options.progress) {
            progress.path = rowPath;
            if (!options.progress(progress)) {
                result.cancelled = true;
                break;
            }
            ++progress.done;
        }
        const RowTarget target = targets.Of(rowPath, state.Language);
        if (!target.problem.empty()) {
            result.rowProblems.push_back({row, rowPath, target.problem});
            if (options.dryRun) {
                result.plans.push_back({row, rowPath, PlannedAction::Fail});
                continue;
            }
            rows.SetStatus(row, state.Text(kStatusFailed));
            continue;
        }
        const std::string& path = target.path;

        // Never a root or a folder the system, the user or this program lives in.
        if (IsGuardedPath(context, guard, path)) {
            if (options.dryRun) {
                result.plans.push_back({row, path, PlannedAction::Refuse});
                continue;
            }
            rows.SetStatus(row, state.Text(kStatusFailed));
            result.restartNeeded = true;
            continue;
        }
        if (options.dryRun) {
            result.plans.push_back({row, path, PlanRow(context, options, path)});
            continue;
        }

        if (!files.FileExists(path)) {
            detections.emplace_back(path, rows.Name(row));
            if (!stuck) AddRebootDelete(context, path);
            rows.SetStatus(row, state.Text(stuck ? kStatusFailed : kStatusReboot));
            result.restartNeeded = true;
            continue;
        }
        const bool folder = files.IsDirectory(path);
        detections.emplace_back(path, rows.Name(row));
        if (!options.allOnReboot) {
            const BackupStepResult backup = options.fileBackup ? BackUpBeforeRemoval(context, path, rows.Name(row))
                                                               : BackupStepResult{BackupStep::RemoveRest, {}};
            if (backup.step == BackupStep::Failed) {
                rows.SetStatus(row, state.Text(kStatusFailed));
                result.backupFailures.push_back(backup.reason);
                continue;
            }
            if (backup.step == BackupStep::RemoveRest && folder)
                files.RemoveFolderTree(path);
            else if (backup.step == BackupStep::RemoveRest)
                RemoveFileNow(context, path, false);
        }
        if (!files.FileExists(path)) {
            rows.SetStatus(row, state.Text(kStatusDeleted));
            continue;
        }
        result.restartNeeded = true;
        if (stuck) {
            rows.SetStatus(row, state.Text(kStatusFailed));
        } else if (folder) {
            if (QueueSurvivingFolder(context, path, options.maskText))
                rows.SetStatus(row, state.Text(kStatusReboot));
        } else {
            AddRebootDelete(context, path);
            rows.SetStatus(row, state.Text(kStatusReboot));
        }
    }

    if (!result.backupFailures.empty()) ReportBackupFailures(context, result.backupFailures);
    if (options.dryRun) return result;
    if (!result.restartNeeded) {
        if (result.rowProblems.empty()) return result;
        result.message = DeleteEndMessage::SomeFailed;
    } else if (!stuck) {
        result.scheduleError = ScheduleRebootDeletes(context, options.fileBackup, DetectionLookup(context, detections));
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
    MessageRequest message;
    message.text = EndMessageText(state, result);
    message.title = state.Text(30);
    if (result.message == DeleteEndMessage::SchedulingFailed || result.message == DeleteEndMessage::SomeFailed)
        message.icon = MessageIcon::Warning;
    context.platform.ui.ShowMessage(message);
    return result;
}

}  // namespace korvane
