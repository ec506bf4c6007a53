#include "delete/backup_cleaning.h"

#include "delete/backup_store.h"

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
        if (entry.name == kBackupManifestName) continue;
        files.RemoveFile(folder + context.state.PathSeparator + entry.name);
    }
    // The records of the deleted backups go with them; a damaged manifest is
    // left as it is.
    BackupStore store(context);
    if (!store.Open(/*create=*/false) && files.FileExists(store.PathOf(kBackupManifestName))) store.Save();
}

}  // namespace korvane
