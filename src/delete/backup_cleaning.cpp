#include "delete/backup_cleaning.h"

namespace korvane {

void CleanBackupFolder(const DeletionContext& context) {
    FilesShell& files = context.platform.files;
    std::string folder = context.BackupFolder();
    folder.pop_back();
    if (!files.FileExists(folder)) return;
    std::vector<FilesShell::FolderEntry> entries;
    if (files.ListFolder(folder, entries)) return;
    for (const FilesShell::FolderEntry& entry : entries) {
        if (entry.isFolder || entry.isLink || entry.isHidden || entry.isSystem) continue;
        files.RemoveFile(folder + context.state.PathSeparator + entry.name);
    }
}

}  // namespace korvane
