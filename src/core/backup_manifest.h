#pragma once
// The record of every backup in KRBackup: one file beside the .bkp files
// that says, for each, where it came from and how to put it back. A small,
// versioned, line-based text:
//
//   korvane-backups 1
//   next-id 3
//   backup 1
//   file setup.exe (2).bkp
//   original C:\Downloads\setup.exe
//   ...
//   end
//   check <SHA-256 of every byte before this line>
//
// Values are the rest of the line after "key ". Bytes that would break a
// line or are not UTF-8 are written as \n, \r, \t, \\ or \xNN, so every
// byte of a path survives, a newline or a name in another code page too.
// The last line guards against a file cut short or changed by hand: such a
// manifest is reported as damaged and nothing is read from it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

inline constexpr char kBackupManifestName[] = "backups.manifest";
inline constexpr int kBackupManifestVersion = 1;

struct FileTimestamp {
    std::int64_t seconds = 0;  // since 1970-01-01 UTC
    std::uint32_t nanoseconds = 0;
    bool operator==(const FileTimestamp&) const = default;
};

struct FileOwner {
    std::uint32_t user = 0;
    std::uint32_t group = 0;
    bool operator==(const FileOwner&) const = default;
};

struct BackupRecord {
    std::uint64_t id = 0;
    // Reserved for a move at the next restart: the name is taken, the file
    // is not there yet, and time, size and digest are still unknown.
    bool pending = false;
    std::string file;      // the backup's name inside KRBackup
    std::string original;  // the original path, bytes as the system gave them
    std::string time;      // when the backup was made, UTC, ISO 8601
    std::uint64_t size = 0;
    std::string sha256;                 // lower-case hex
    std::optional<std::uint32_t> mode;  // permission bits (07777) where the system has them
    std::optional<FileOwner> owner;
    std::optional<FileTimestamp> modified;
    std::string detection;  // the malware name of the row

    bool operator==(const BackupRecord&) const = default;
};

struct BackupManifest {
    std::uint64_t nextId = 1;
    std::vector<BackupRecord> records;

    BackupRecord* Find(std::uint64_t id);
    const BackupRecord* Find(std::uint64_t id) const;
    // A new record with the next id.
    BackupRecord& Add(BackupRecord record);
    bool Remove(std::uint64_t id);
    bool NameTaken(std::string_view file, bool ignoreCase) const;
};

std::string EncodeBackupManifest(const BackupManifest& manifest);

struct ManifestDecode {
    BackupManifest manifest;
    std::string damage;  // empty: the text is a sound manifest; else what is wrong and where
    bool Sound() const { return damage.empty(); }
};
ManifestDecode DecodeBackupManifest(std::string_view text);

// One value on one line and back.
std::string EscapeManifestValue(std::string_view bytes);
std::optional<std::string> UnescapeManifestValue(std::string_view text);

// "NAME.bkp" for the first backup of NAME, then "NAME (2).bkp", "NAME (3).bkp", ...
std::string BackupFileName(std::string_view name, unsigned number);
// The first of those names that taken() does not claim, starting at start.
std::string FreeBackupFileName(std::string_view name, const std::function<bool(const std::string&)>& taken,
                               unsigned start = 1);
// The next free name after a wanted one that is taken: "NAME (2).bkp" goes
// on with "NAME (3).bkp", "NAME.bkp" with "NAME (2).bkp".
std::string NextFreeBackupFileName(std::string_view wanted,
                                   const std::function<bool(const std::string&)>& taken);

// "2026-12-10T05:43:25Z" for seconds since 1970-01-01 UTC.
std::string IsoUtcTime(std::int64_t seconds);

// Seconds since 1970-01-01 UTC.
std::int64_t SecondsNow();

}  // namespace korvane
