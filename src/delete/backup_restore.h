#pragma once
// Putting a backup back: at its original path or into a chosen folder, never
// over an existing file, only when its SHA-256 still matches, with its mode
// and modification time; the backup and its record go only once the
// restored file is complete.
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

#include "delete/backup_store.h"

namespace korvane {

struct RestoreOutcome {
    std::error_code error;
    std::string reason;  // why it was not restored
    std::string target;  // where the file was (or would have been) put
};

// toFolder empty: the original path.
RestoreOutcome RestoreBackup(BackupStore& store, std::uint64_t id, const std::string& toFolder);

// Removes the backup file and its record.
std::error_code DeleteBackup(BackupStore& store, std::uint64_t id);

// The restorable backups (not those still waiting for the restart), by id.
std::vector<BackupRecord> ListBackups(const BackupStore& store);

}  // namespace korvane
