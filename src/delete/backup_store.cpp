#include "delete/backup_store.h"

#include "core/more_text.h"

#include <algorithm>
#include <filesystem>

#include "core/more_text.h"
#include "core/sha256.h"
#include "core/text_util.h"
#include "core/whole_file.h"
#include "delete/backup_restore.h"
#include "delete/folder_removal.h"
#include "platform/backup_files.h"

namespace korvane {

namespace {

std::string WithoutTrailingSeparators(std::string folder, char separator) {
    while (folder.size() > 1 && (folder.back() == separator || folder.back() == '/')) folder.pop_back();
    return folder;
}

bool SamePath(const std::string& a, const std::string& b, bool ignoreCase) {
    if (!ignoreCase) return a == b;
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

std::string AbsoluteOriginal(const std::string& path) {
    if (!path.empty() && (path[0] == '/' || path[0] == '\\' || (path.size() > 2 && path[1] == ':')))
        return path;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(path), ec);
    return ec ? path : absolute.string();
}

BackupStore::BackupStore(FilesShell& files, std::string folder, char separator)
    : files_(files),
      folder_(WithoutTrailingSeparators(std::move(folder), separator)),
      separator_(separator) {}

BackupStore::BackupStore(const DeletionContext& context)
    : BackupStore(context.platform.files, context.BackupFolder(), context.state.PathSeparator) {}

std::error_code BackupStore::Open(bool create) {
    manifest_ = {};
    damage_.clear();
    fresh_.clear();
    if (create) {
        if (!files_.IsDirectory(folder_)) {
            if (files_.FileExists(folder_)) return std::make_error_code(std::errc::not_a_directory);
            if (const std::error_code made = files_.CreateFolderPath(folder_ + separator_)) return made;
        }
        if (const std::error_code closed = MakeBackupFolderPrivate(folder_)) return closed;
    }
    const std::string manifest = PathOf(kBackupManifestName);
    if (!files_.FileExists(manifest)) return {};
    std::string text;
    if (const std::error_code read = ReadWholeFile(manifest, text)) return read;
    ManifestDecode decoded = DecodeBackupManifest(text);
    if (!decoded.Sound()) {
        damage_ = manifest + " is damaged (" + decoded.damage + ")";
        return std::make_error_code(std::errc::illegal_byte_sequence);
    }
    manifest_ = std::move(decoded.manifest);
    AdoptFinishedMoves();
    return {};
}

void BackupStore::AdoptFinishedMoves() {
    // Where the system itself carried out the moves at the restart, the
    // reserved names now hold the files: they become backups like any other.
    bool adopted = false;
    for (BackupRecord& record : manifest_.records) {
        const std::string backup = PathOf(record.file);
        if (!record.pending || !files_.FileExists(backup) || files_.FileExists(record.original)) continue;
        if (Record(backup, record).problem != BackupProblem::None) continue;
        MakeBackupInert(backup);
        adopted = true;
    }
    if (adopted) Save();
}

std::error_code BackupStore::Save() {
    std::vector<BackupRecord>& records = manifest_.records;
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [this](const BackupRecord& record) {
                                     return !record.pending && fresh_.count(record.id) == 0 &&
                                            !files_.FileExists(PathOf(record.file));
                                 }),
                  records.end());
    return WriteFileDurably(PathOf(kBackupManifestName), EncodeBackupManifest(manifest_));
}

bool BackupStore::Taken(const std::string& file, std::uint64_t except) const {
    if (files_.FileExists(PathOf(file))) return true;
    const bool ignoreCase = files_.NamesIgnoreCase();
    return std::any_of(manifest_.records.begin(), manifest_.records.end(), [&](const BackupRecord& record) {
        return record.id != except && SamePath(record.file, file, ignoreCase);
    });
}

std::string BackupStore::BaseName(const std::string& path) const {
    const auto separator = path.find_last_of(std::string{separator_, '/'});
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string BackupStore::FreeName(const std::string& original) const {
    return FreeBackupFileName(BaseName(original), [this](const std::string& name) { return Taken(name); });
}

BackupResult BackupStore::Record(const std::string& path, BackupRecord& record) {
    FileFacts facts;
    if (const std::error_code failed = ReadFileFacts(path, facts)) return {BackupProblem::Source, failed, {}};
    if (!facts.regular) return {BackupProblem::Skipped, {}, {}};
    std::uint64_t size = 0;
    if (const std::error_code failed = Sha256OfFile(path, record.sha256, size))
        return {BackupProblem::Source, failed, {}};
    record.pending = false;
    record.time = IsoUtcTime(SecondsNow());
    record.size = size;
    record.mode = facts.mode;
    record.owner = facts.owner;
    record.modified = facts.modified;
    return {};
}

BackupResult BackupStore::Move(const std::string& path, std::uint64_t id) {
    const auto record = [this, id] { return manifest_.Find(id); };
    const auto nextName = [&] {
        record()->file =
            NextFreeBackupFileName(record()->file, [&](const std::string& name) { return Taken(name, id); });
        return Save();
    };

    // One file system: the file itself becomes the backup.
    std::error_code moved;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        moved = files_.MoveFileNow(path, PathOf(record()->file), /*copyAllowed=*/false);
        if (moved != std::errc::file_exists) break;
        if (const std::error_code saved = nextName()) return {BackupProblem::Backup, saved, {}};
    }
    if (!moved) {
        const std::string target = PathOf(record()->file);
        if (const std::error_code inert = MakeBackupInert(target)) {
            files_.MoveFileNow(target, path, false);
            return {BackupProblem::Backup, inert, {}};
        }
        SyncFolder(folder_);
        // Changed between its record and its move (a program still writing it):
        // record what was kept, so the restore's check holds.
        FileFacts after;
        if (!ReadFileFacts(target, after) &&
            (after.size != record()->size || after.modified != record()->modified)) {
            Sha256OfFile(target, record()->sha256, record()->size);
            record()->modified = after.modified;
            Save();
        }
        return {BackupProblem::None, {}, record()->file};
    }
    if (moved != std::errc::cross_device_link) return {BackupProblem::Source, moved, {}};

    // Another file system: a copy under a temporary name, flushed and read
    // back, takes the backup's name only when it is whole.
    const std::string partial = PathOf("." + record()->file + ".partial");
    files_.RemoveFile(partial);  // a leftover of an interrupted copy
    std::string sha256;
    if (const std::error_code copied = CopyFileChecked(path, partial, sha256))
        return {BackupProblem::Backup, copied, {}};
    bool recordChanged = false;
    if (sha256 != record()->sha256) {
        record()->sha256 = sha256;
        FileFacts copy;
        if (!ReadFileFacts(partial, copy)) record()->size = copy.size;
        recordChanged = true;
    }
    std::error_code placed;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        placed = RenameNoReplace(partial, PathOf(record()->file));
        if (placed != std::errc::file_exists) break;
        record()->file =
            NextFreeBackupFileName(record()->file, [&](const std::string& name) { return Taken(name, id); });
        recordChanged = true;
    }
    if (!placed && recordChanged) placed = Save();
    if (placed) {
        files_.RemoveFile(partial);
        files_.RemoveFile(PathOf(record()->file));
        return {BackupProblem::Backup, placed, {}};
    }
    SyncFolder(folder_);
    if (const std::error_code removed = files_.RemoveFile(path)) {
        // The original stays; so must no second copy of it.
        files_.RemoveFile(PathOf(record()->file));
        return {BackupProblem::Source, removed, {}};
    }
    return {BackupProblem::None, {}, record()->file};
}

std::vector<BackupResult> BackupStore::BackUp(const std::vector<BackupRequest>& requests) {
    std::vector<BackupResult> results(requests.size());
    std::vector<std::uint64_t> ids(requests.size(), 0);
    for (std::size_t i = 0; i < requests.size(); ++i) {
        BackupRecord record;
        record.original = AbsoluteOriginal(requests[i].path);
        record.detection = requests[i].detection;
        results[i] = Record(requests[i].path, record);
        if (results[i].problem != BackupProblem::None) continue;
        record.file = FreeName(record.original);
        ids[i] = manifest_.Add(std::move(record)).id;
        fresh_.insert(ids[i]);
    }
    if (std::all_of(ids.begin(), ids.end(), [](std::uint64_t id) { return id == 0; })) return results;
    // Every record is on the disk before any original goes.
    if (const std::error_code saved = Save()) {
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (ids[i] == 0) continue;
            manifest_.Remove(ids[i]);
            results[i] = {BackupProblem::Backup, saved, {}};
        }
        return results;
    }
    bool dropped = false;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] == 0) continue;
        results[i] = Move(requests[i].path, ids[i]);
        if (results[i].problem != BackupProblem::None) {
            manifest_.Remove(ids[i]);
            dropped = true;
        }
    }
    if (dropped) Save();
    return results;
}

std::vector<std::string> BackupStore::Reserve(const std::vector<BackupRequest>& requests,
                                              std::error_code& error) {
    error.clear();
    std::vector<std::string> targets;
    bool added = false;
    for (const BackupRequest& request : requests) {
        const std::string original = AbsoluteOriginal(request.path);
        const auto reserved =
            std::find_if(manifest_.records.begin(), manifest_.records.end(), [&](const BackupRecord& record) {
                return record.pending && SamePath(record.original, original, files_.NamesIgnoreCase());
            });
        if (reserved != manifest_.records.end()) {
            targets.push_back(PathOf(reserved->file));
            continue;
        }
        BackupRecord record;
        record.pending = true;
        record.original = original;
        record.detection = request.detection;
        record.file = FreeName(original);
        targets.push_back(PathOf(record.file));
        fresh_.insert(manifest_.Add(std::move(record)).id);
        added = true;
    }
    if (added) error = Save();
    if (error) targets.clear();
    return targets;
}

std::error_code BackupStore::CompletePending(const PendingOperation& operation, bool& alreadyGone) {
    alreadyGone = false;
    const std::string wanted = BaseName(operation.target);
    const auto reserved = std::find_if(manifest_.records.begin(), manifest_.records.end(),
                                       [&](const BackupRecord& r) { return r.pending && r.file == wanted; });
    std::uint64_t id = 0;
    if (reserved != manifest_.records.end()) {
        id = reserved->id;
    } else {
        // Left by a run that kept no record of it: recorded now.
        BackupRecord record;
        record.pending = true;
        record.original = operation.source;
        record.file = wanted;
        id = manifest_.Add(std::move(record)).id;
    }
    fresh_.insert(id);
    FileFacts facts;
    if (ReadFileFacts(operation.source, facts) == std::errc::no_such_file_or_directory) {
        alreadyGone = true;
        manifest_.Remove(id);
        return Save();
    }
    BackupRecord* record = manifest_.Find(id);
    record->file = NextFreeBackupFileName(wanted, [&](const std::string& name) { return Taken(name, id); });
    BackupResult result = Record(operation.source, *record);
    if (result.problem == BackupProblem::Skipped)
        result = {BackupProblem::Source, std::make_error_code(std::errc::invalid_argument), {}};
    if (!result.error) result.error = Save();
    if (!result.error) result = Move(operation.source, id);
    if (result.error) {
        if (BackupRecord* left = manifest_.Find(id)) left->pending = true;
        Save();
        return result.error;
    }
    return {};
}

namespace {

std::string Reason(const BackupStore& store, const std::string& path, const std::error_code& error) {
    if (!store.Damage().empty()) return store.Damage();
    return path + ": " + error.message();
}

}  // namespace

BackupStepResult BackUpBeforeRemoval(const DeletionContext& context, const std::string& path,
                                     const std::string& detection) {
    BackupStore store(context);
    if (const std::error_code opened = store.Open())
        return {BackupStep::Failed, Reason(store, store.Folder(), opened)};
    std::vector<BackupRequest> requests;
    const bool folder = context.platform.files.IsDirectory(path);
    if (folder) {
        FolderContents contents;
        CollectFolderContents(context, path, "*", contents);
        // The folder is refused whole then; nothing of it may go first.
        if (contents.mountPoints > 0)
            return {BackupStep::Failed,
                    path + ": " + More(MoreText::RefusedMountPointInside, context.state.Language)};
        for (std::string& file : contents.files) requests.push_back({std::move(file), detection});
    } else {
        requests.push_back({path, detection});
    }
    const std::vector<BackupResult> results = store.BackUp(requests);
    BackupStepResult outcome{folder ? BackupStep::RemoveRest : BackupStep::Gone, {}};
    for (std::size_t i = 0; i < results.size(); ++i) {
        switch (results[i].problem) {
            case BackupProblem::None:
                break;
            case BackupProblem::Skipped:
                outcome.step = outcome.step == BackupStep::Gone ? BackupStep::RemoveRest : outcome.step;
                break;
            case BackupProblem::Source:
                if (outcome.step != BackupStep::Failed) outcome.step = BackupStep::Keep;
                break;
            case BackupProblem::Backup:
                if (outcome.step != BackupStep::Failed)
                    outcome = {BackupStep::Failed, Reason(store, requests[i].path, results[i].error)};
                break;
        }
    }
    if (outcome.step != BackupStep::Failed) return outcome;
    // Nothing is deleted when a backup could not be made: what was already
    // moved goes back where it was.
    for (const BackupResult& result : results) {
        if (result.problem != BackupProblem::None) continue;
        const auto record = std::find_if(store.Manifest().records.begin(), store.Manifest().records.end(),
                                         [&](const BackupRecord& r) { return r.file == result.file; });
        if (record != store.Manifest().records.end()) RestoreBackup(store, record->id, {});
    }
    return outcome;
}

std::error_code CompletePendingBackup(FilesShell& files, char separator, const PendingOperation& operation,
                                      bool& alreadyGone) {
    alreadyGone = false;
    const auto cut = operation.target.find_last_of(std::string{separator, '/'});
    if (cut == std::string::npos) return std::make_error_code(std::errc::invalid_argument);
    BackupStore store(files, operation.target.substr(0, cut), separator);
    if (const std::error_code opened = store.Open()) return opened;
    return store.CompletePending(operation, alreadyGone);
}

std::vector<std::string> ReserveRestartBackups(
    const DeletionContext& context, const std::vector<std::string>& entries,
    const std::function<std::string(const std::string&)>& detectionOf, std::error_code& error) {
    std::vector<std::string> targets(entries.size());
    std::vector<BackupRequest> requests;
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (context.platform.files.IsDirectory(entries[i])) continue;
        requests.push_back({entries[i], detectionOf ? detectionOf(entries[i]) : std::string{}});
        positions.push_back(i);
    }
    if (requests.empty()) return targets;
    BackupStore store(context);
    error = store.Open();
    if (error && !store.Damage().empty()) error = std::make_error_code(std::errc::illegal_byte_sequence);
    if (error) return {};
    const std::vector<std::string> reserved = store.Reserve(requests, error);
    if (error) return {};
    for (std::size_t i = 0; i < positions.size(); ++i) targets[positions[i]] = reserved[i];
    return targets;
}

}  // namespace korvane
