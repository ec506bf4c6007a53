#pragma once
#include "delete/deletion_context.h"

namespace korvane {

// Deletes the plain files in KRBackup, silently: hidden and system files,
// links and sub-folders stay, and so does the folder. A file that cannot be
// deleted is skipped. The manifest stays and keeps the records of the
// backups that could not be deleted.
void CleanBackupFolder(const DeletionContext& context);

}  // namespace korvane
