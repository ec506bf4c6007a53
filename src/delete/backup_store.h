#pragma once
// KRBackup and its manifest: backups that are recorded before the original
// goes, never overwrite one another, cannot be run, and survive a full disk
// or a move across file systems without a half-written copy taking a
// backup's place.
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "core/backup_manifest.h"
#include "core/pending_operations.h"
#include "delete/deletion_context.h"

namespace korvane {

struct BackupRequest {
    std::string path;       // the file to back up
    std::string detection;  // the row's malware name
};

enum class BackupProblem {
    None,
    Skipped,  // not a plain file (a link, a device): there is nothing to keep
    Source,   // the file could not be read or moved now; it stays where it is
    Backup    // no backup could be made (folder, manifest, full disk); nothing was touched
};

struct BackupResult {
    BackupProblem problem = BackupProblem::None;
    std::error_code error;
    std::string file;  // the backup's name in KRBackup
};

class BackupStore {
public:
    BackupStore(FilesShell& files, std::string folder, char separator);
    // The store of the program's KRBackup.
    explicit BackupStore(const DeletionContext& context);

    // Creates the folder (open to its owner only) and reads the manifest.
    // A damaged manifest is an error (illegal_byte_sequence, Damage() says
    // what): nothing is recorded over it, so no record is lost.
    std::error_code Open(bool create = true);
    const std::string& Damage() const { return damage_; }
    const std::string& Folder() const { return folder_; }
    std::string PathOf(const std::string& file) const { return folder_ + separator_ + file; }
    BackupManifest& Manifest() { return manifest_; }
    const BackupManifest& Manifest() const { return manifest_; }
    FilesShell& Files() { return files_; }
    char Separator() const { return separator_; }
    // The part of a path after its last separator.
    std::string BaseName(const std::string& path) const;

    // Writes the manifest; records of backups whose file is gone are dropped.
    std::error_code Save();

    // Moves each file into KRBackup under a name no other backup has, after
    // its record is written.
    std::vector<BackupResult> BackUp(const std::vector<BackupRequest>& requests);

    // Chooses and records the backup names of moves left for the restart; a
    // file that already has one keeps it. Full paths, in request order.
    std::vector<std::string> Reserve(const std::vector<BackupRequest>& requests, std::error_code& error);

    // The move of a reserved backup at the restart: never over an existing
    // file (the next free name is taken then), recorded like any backup.
    std::error_code CompletePending(const PendingOperation& operation, bool& alreadyGone);

private:
    void AdoptFinishedMoves();
    bool Taken(const std::string& file, std::uint64_t except = 0) const;
    std::string FreeName(const std::string& original) const;
    BackupResult Record(const std::string& path, BackupRecord& record);
    BackupResult Move(const std::string& path, std::uint64_t id);

    FilesShell& files_;
    std::string folder_;  // without a trailing separator
    char separator_;
    BackupManifest manifest_;
    std::string damage_;
    std::set<std::uint64_t> fresh_;  // records of this run, whose files may not exist yet
};

// The path made absolute (not resolving links), as a record keeps it.
std::string AbsoluteOriginal(const std::string& path);

// What became of an object that is to be backed up before it goes.
enum class BackupStep {
    Gone,        // backed up and gone
    RemoveRest,  // every plain file is backed up; the rest (links, folders) may be removed
    Keep,        // something could not be moved now: the object stays for the restart
    Failed       // no backup could be made: nothing was deleted
};

struct BackupStepResult {
    BackupStep step = BackupStep::Gone;
    std::string reason;  // for Failed
};

// apply-pending's move of a file to its reserved backup name (the target's
// folder is the backup folder).
std::error_code CompletePendingBackup(FilesShell& files, char separator, const PendingOperation& operation,
                                      bool& alreadyGone);

// Backs up the file, or each plain file of the folder, before it is removed.
BackupStepResult BackUpBeforeRemoval(const DeletionContext& context, const std::string& path,
                                     const std::string& detection);

// The full backup paths for entries of RebootDeleteList (empty for folders
// and for entries that need no backup), chosen and recorded now.
std::vector<std::string> ReserveRestartBackups(
    const DeletionContext& context, const std::vector<std::string>& entries,
    const std::function<std::string(const std::string&)>& detectionOf, std::error_code& error);

}  // namespace korvane
