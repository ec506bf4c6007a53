#include "delete/delete_run.h"

#include "core/more_text.h"
#include "core/status_rows.h"
#include "delete/cls_shutdown.h"
#include "delete/file_removal.h"
#include "delete/folder_removal.h"
#include "delete/protected_paths.h"

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
        if (folder || !options.fileBackup || BackupNameFor(context, path).empty())
            return PlannedAction::RemoveNow;
        return PlannedAction::BackUpNow;
    }
    if (stuck) return PlannedAction::NeedsAdministrator;
    if (folder && files.IsFolderEmpty(path)) return PlannedAction::KeepEmptyFolder;
    return PlannedAction::QueueForRestart;
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
    const int count = rows.Count();
    DeleteProgress progress;
    if (options.progress) {
        for (int row = 0; row < count; ++row)
            progress.total += rows.Checked(row) && rows.Status(row) == added;
    }
    for (int row = 0; row < count; ++row) {
        if (!rows.Checked(row) || rows.Status(row) != added) continue;
        const std::string path = rows.Path(row);
        if (options.progress) {
            progress.path = path;
            if (!options.progress(progress)) {
                result.cancelled = true;
                break;
            }
            ++progress.done;
        }

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
            if (!stuck) AddRebootDelete(context, path);
            rows.SetStatus(row, state.Text(stuck ? kStatusFailed : kStatusReboot));
            result.restartNeeded = true;
            continue;
        }
        const bool folder = files.IsDirectory(path);
        if (!options.allOnReboot) {
            if (folder)
                files.RemoveFolderTree(path);
            else
                RemoveFileNow(context, path, options.fileBackup);
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

    if (options.dryRun || !result.restartNeeded) return result;
    if (!stuck) {
        result.scheduleError = ScheduleRebootDeletes(context, options.fileBackup);
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
    message.text = EndMessageText(state, result.message, result.scheduleError);
    message.title = state.Text(30);
    if (result.message == DeleteEndMessage::SchedulingFailed) message.icon = MessageIcon::Warning;
    context.platform.ui.ShowMessage(message);
    return result;
}

}  // namespace korvane
