#include "delete/backup_restore.h"

#include <algorithm>
#include <random>

#include "core/sha256.h"
#include "platform/backup_files.h"

namespace korvane {

namespace {

RestoreOutcome Refused(std::errc error, std::string reason, std::string target) {
    return {std::make_error_code(error), std::move(reason), std::move(target)};
}

RestoreOutcome Refused(const std::error_code& error, const std::string& what, std::string target) {
    return {error, what + ": " + error.message(), std::move(target)};
}

}  // namespace

RestoreOutcome RestoreBackup(BackupStore& store, std::uint64_t id, const std::string& toFolder) {
    const BackupRecord* record = store.Manifest().Find(id);
    if (record == nullptr || record->pending)
        return Refused(std::errc::no_such_file_or_directory, "no backup with ID " + std::to_string(id), {});
    const char separator = store.Separator();
    std::string target = record->original;
    if (!toFolder.empty()) {
        std::string folder = toFolder;
        while (folder.size() > 1 && (folder.back() == separator || folder.back() == '/')) folder.pop_back();
        target = folder + separator + store.BaseName(record->original);
    }
    FileFacts existing;
    if (!ReadFileFacts(target, existing))
        return Refused(std::errc::file_exists, target + " exists; it is not overwritten", target);

    const std::string backup = store.PathOf(record->file);
    std::string sha256;
    std::uint64_t size = 0;
    if (const std::error_code read = Sha256OfFile(backup, sha256, size)) return Refused(read, backup, target);
    if (sha256 != record->sha256 || size != record->size)
        return Refused(std::errc::illegal_byte_sequence, backup + " does not match its recorded SHA-256",
                       target);

    const auto cut = target.find_last_of(std::string{separator, '/'});
    const std::string parent = cut == std::string::npos ? "."
                               : cut == 0               ? target.substr(0, 1)
                                                        : target.substr(0, cut);
    FilesShell& files = store.Files();
    if (!files.IsDirectory(parent)) {
        if (const std::error_code made = files.CreateFolderPath(parent + separator))
            return Refused(made, parent, target);
    }
    const std::string temporary = parent + separator + "." + store.BaseName(target) + ".restore-" +
                                  std::to_string(std::random_device{}());
    std::string copied;
    if (const std::error_code copy = CopyFileChecked(backup, temporary, copied))
        return Refused(copy, target, target);
    FileFacts facts;
    facts.mode = record->mode;
    facts.owner = record->owner;
    facts.modified = record->modified;
    std::error_code placed;
    if (copied != record->sha256) placed = std::make_error_code(std::errc::io_error);
    if (!placed) placed = ApplyFileFacts(temporary, facts);
    if (!placed) placed = RenameNoReplace(temporary, target);
    if (placed) {
        files.RemoveFile(temporary);
        if (placed == std::errc::file_exists)
            return Refused(std::errc::file_exists, target + " exists; it is not overwritten", target);
        return Refused(placed, target, target);
    }
    SyncFolder(parent);
    files.RemoveFile(backup);
    store.Manifest().Remove(id);
    store.Save();
    return {{}, {}, target};
}

std::error_code DeleteBackup(BackupStore& store, std::uint64_t id) {
    const BackupRecord* record = store.Manifest().Find(id);
    if (record == nullptr || record->pending)
        return std::make_error_code(std::errc::no_such_file_or_directory);
    const std::string backup = store.PathOf(record->file);
    if (store.Files().FileExists(backup)) {
        if (const std::error_code removed = store.Files().RemoveFile(backup)) return removed;
    }
    store.Manifest().Remove(id);
    return store.Save();
}

std::vector<BackupRecord> ListBackups(const BackupStore& store) {
    std::vector<BackupRecord> listed;
    for (const BackupRecord& record : store.Manifest().records) {
        if (!record.pending) listed.push_back(record);
    }
    std::sort(listed.begin(), listed.end(),
              [](const BackupRecord& a, const BackupRecord& b) { return a.id < b.id; });
    return listed;
}

}  // namespace korvane
