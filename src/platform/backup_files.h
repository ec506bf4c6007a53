#pragma once
// The file operations behind backups and their restore: what the system
// knows about a file (mode, owner, time), copies that are flushed to the disk
// and checked before they count, and the modes that keep a backup from being
// run. Implemented once per operating system (posix/, win32/).
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

#include "core/backup_manifest.h"

namespace korvane {

struct FileFacts {
    bool regular = false;  // a plain file, never a link or a device
    std::uint64_t size = 0;
    std::optional<std::uint32_t> mode;  // permission bits where the system has them
    std::optional<FileOwner> owner;
    std::optional<FileTimestamp> modified;
};

// The facts of the path itself (a link is not followed).
std::error_code ReadFileFacts(const std::string& path, FileFacts& facts);

// Copies from into the new file to (which must not exist), created readable
// and writable by its owner only; the data is flushed to the disk and read
// back, and its SHA-256 must match what was read. On any failure (a full
// disk, a changed source) the partial copy is removed. sha256 gets the digest.
std::error_code CopyFileChecked(const std::string& from, const std::string& to, std::string& sha256);

// Moves from to to on one file system; fails when to exists.
std::error_code RenameNoReplace(const std::string& from, const std::string& to);

// Flushes a folder's entries (new names, removals) to the disk.
std::error_code SyncFolder(const std::string& folder);

// Writes the bytes to a temporary file in the same folder, flushes it and
// renames it over path, then flushes the folder.
std::error_code WriteFileDurably(const std::string& path, const std::string& bytes);

// A backup file that cannot be run: no execute, set-uid or set-gid bit,
// readable only by its owner. Nothing to do where the name alone keeps a
// file from being run.
std::error_code MakeBackupInert(const std::string& path);

// The backup folder, open to its owner only.
std::error_code MakeBackupFolderPrivate(const std::string& folder);

// Gives a restored file its recorded owner (where the process may), mode
// and modification time.
std::error_code ApplyFileFacts(const std::string& path, const FileFacts& facts);

}  // namespace korvane
