#include "delete/file_removal.h"

#include "core/more_text.h"
#include "core/reboot_delete_list.h"
#include "core/whole_file.h"
#include "core/wininit_text.h"
#include "delete/backup_store.h"

namespace korvane {

std::string BackupNameFor(const DeletionContext& context, const std::string& path) {
    const auto separator = path.find_last_of(context.state.PathSeparator);
    if (separator == std::string::npos) return {};
    return context.BackupFolder() + path.substr(separator + 1) + ".bkp";
}

void RemoveFileNow(const DeletionContext& context, const std::string& path, bool backup) {
    FilesShell& files = context.platform.files;
    const std::string backupName = backup ? BackupNameFor(context, path) : std::string{};
    if (backupName.empty()) {
        files.RemoveFile(path);
        return;
    }
    // An existing backup of the same name makes the move fail; the file then
    // survives and is left for the restart. The older family moves with a
    // plain move, the NT family allows a copy to another drive.
    files.MoveFileNow(path, backupName, /*copyAllowed=*/context.NtFamily());
}

std::string AddRebootDelete(const DeletionContext& context, const std::string& path) {
    const RebootDeleteAdd added = korvane::AddRebootDelete(context.state.RebootDeleteList, path,
                                                           context.platform.files.NamesIgnoreCase());
    if (added == RebootDeleteAdd::ListFull) {
        ReportRebootListFull(context);
        return More(MoreText::NotRecordedListFull, context.state.Language);
    }
    if (added == RebootDeleteAdd::Ignored && path.size() < 5)
        return More(MoreText::NotRecordedTooShort, context.state.Language);
    return {};
}

void ReportRebootListFull(const DeletionContext& context) {
    MessageRequest message;
    message.text = "Addtodelete: 6\r\nOverflow";
    message.title = context.ProgramName();
    context.platform.ui.ShowMessage(message);
}

ScheduleOutcome ScheduleRebootDeletes(const DeletionContext& context, bool backup,
                                      const std::function<std::string(const std::string&)>& detectionOf) {
    ScheduleOutcome outcome;
    AppState& state = context.state;
    FilesShell& files = context.platform.files;
    if (!context.NtFamily()) {
        const std::string wininit = state.WindowsDir + state.PathSeparator + "Wininit.ini";
        WininitRequest request;
        request.fileExists = files.FileExists(wininit);
        if (request.fileExists) request.existingText = ReadWholeFile(wininit);
        request.entries = state.RebootDeleteList;
        request.backup = backup;
        request.separator = state.PathSeparator;
        if (backup) request.shortBackupFolder = files.ShortPathOf(context.BackupFolder());
        WininitQueries queries;
        queries.exists = [&files](const std::string& path) { return files.FileExists(path); };
        queries.isFolder = [&files](const std::string& path) { return files.IsDirectory(path); };
        queries.shortPath = [&files](const std::string& path) { return files.ShortPathOf(path); };
        queries.processEvents = context.processEvents;
        outcome.error = WriteWholeFile(wininit, BuildWininitText(request, queries));
        return outcome;
    }
    std::vector<PendingOperation> operations;
    std::vector<std::string> targets;
    if (backup) {
        std::error_code reserved;
        const std::vector<std::string> entries(state.RebootDeleteList.begin() + 1, state.RebootDeleteList.end());
        targets = ReserveRestartBackups(context, entries, detectionOf, reserved);
        if (reserved) {
            outcome.error = reserved;
            return outcome;
        }
    }
    for (std::size_t i = 1; i < state.RebootDeleteList.size(); ++i) {
        const std::string& entry = state.RebootDeleteList[i];
        const std::string target = backup ? targets[i - 1] : std::string{};
        context.ProcessEvents();
        operations.push_back({entry, target});
    }
    if (operations.empty()) return outcome;
    std::vector<std::error_code> each;
    outcome.error = files.ScheduleEachAtRestart(operations, each);
    if (outcome.error) return outcome;
    for (std::size_t i = 0; i < operations.size() && i < each.size(); ++i) {
        if (each[i]) outcome.notRecorded.emplace_back(operations[i].source, each[i]);
    }
    return outcome;
}

}  // namespace korvane
