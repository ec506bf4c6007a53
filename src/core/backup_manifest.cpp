#include "core/backup_manifest.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>

#include "core/sha256.h"
#include "core/text_util.h"

namespace korvane {

namespace {

constexpr std::string_view kHeader = "korvane-backups ";
constexpr std::string_view kCheck = "check ";

bool SameName(std::string_view a, std::string_view b, bool ignoreCase) {
    if (!ignoreCase) return a == b;
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// Length of the well-formed UTF-8 sequence at text[at], 0 when there is none.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    }
    return length;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value, int base = 10) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

std::string TimestampText(const FileTimestamp& stamp) {
    char nanos[16];
    std::snprintf(nanos, sizeof nanos, ".%09u", static_cast<unsigned>(stamp.nanoseconds));
    return std::to_string(stamp.seconds) + nanos;
}

bool ParseTimestamp(std::string_view text, FileTimestamp& stamp) {
    const auto dot = text.find('.');
    if (dot == std::string_view::npos || text.size() - dot - 1 != 9) return false;
    return ParseNumber(text.substr(0, dot), stamp.seconds) &&
           ParseNumber(text.substr(dot + 1), stamp.nanoseconds) && stamp.nanoseconds < 1000000000u;
}

std::string ModeText(std::uint32_t mode) {
    char text[16];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode));
    return text;
}

bool IsHexDigest(std::string_view text) {
    return text.size() == 64 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    month = shifted < 10 ? shifted + 3 : shifted - 9;
    year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

}  // namespace

BackupRecord* BackupManifest::Find(std::uint64_t id) {
    for (BackupRecord& record : records)
        if (record.id == id) return &record;
    return nullptr;
}

const BackupRecord* BackupManifest::Find(std::uint64_t id) const {
    return const_cast<BackupManifest*>(this)->Find(id);
}

BackupRecord& BackupManifest::Add(BackupRecord record) {
    for (const BackupRecord& old : records) nextId = std::max(nextId, old.id + 1);
    record.id = nextId++;
    records.push_back(std::move(record));
    return records.back();
}

bool BackupManifest::Remove(std::uint64_t id) {
    const auto found =
        std::find_if(records.begin(), records.end(), [id](const BackupRecord& r) { return r.id == id; });
    if (found == records.end()) return false;
    records.erase(found);
    return true;
}

bool BackupManifest::NameTaken(std::string_view file, bool ignoreCase) const {
    return std::any_of(records.begin(), records.end(),
                       [&](const BackupRecord& r) { return SameName(r.file, file, ignoreCase); });
}

std::string EscapeManifestValue(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte >= 0x80) {
            if (const std::size_t length = Utf8Length(bytes, at)) {
                text.append(bytes.substr(at, length));
                at += length;
                continue;
            }
        }
        switch (byte) {
            case '\\':
                text += "\\\\";
                break;
            case '\n':
                text += "\\n";
                break;
            case '\r':
                text += "\\r";
                break;
            case '\t':
                text += "\\t";
                break;
            default:
                if (byte < 0x20 || byte >= 0x7f) {
                    char escaped[5];
                    std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(byte));
                    text += escaped;
                } else {
                    text.push_back(static_cast<char>(byte));
                }
        }
        ++at;
    }
    return text;
}

std::optional<std::string> UnescapeManifestValue(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\\') {
            bytes.push_back(text[at]);
            continue;
        }
        if (++at == text.size()) return std::nullopt;
        switch (text[at]) {
            case '\\':
                bytes.push_back('\\');
                break;
            case 'n':
                bytes.push_back('\n');
                break;
            case 'r':
                bytes.push_back('\r');
                break;
            case 't':
                bytes.push_back('\t');
                break;
            case 'x': {
                if (at + 2 >= text.size()) return std::nullopt;
                const int high = HexDigit(text[at + 1]);
                const int low = HexDigit(text[at + 2]);
                if (high < 0 || low < 0) return std::nullopt;
                bytes.push_back(static_cast<char>(high * 16 + low));
                at += 2;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return bytes;
}

std::string EncodeBackupManifest(const BackupManifest& manifest) {
    std::string text = std::string(kHeader) + std::to_string(kBackupManifestVersion) + "\n";
    text += "next-id " + std::to_string(manifest.nextId) + "\n";
    const auto line = [&text](std::string_view key, std::string_view value) {
        text.append(key).append(" ").append(value).append("\n");
    };
    for (const BackupRecord& record : manifest.records) {
        line("backup", std::to_string(record.id));
        line("state", record.pending ? "pending" : "done");
        line("file", EscapeManifestValue(record.file));
        line("original", EscapeManifestValue(record.original));
        if (!record.time.empty()) line("time", EscapeManifestValue(record.time));
        if (!record.pending) line("size", std::to_string(record.size));
        if (!record.sha256.empty()) line("sha256", record.sha256);
        if (record.mode) line("mode", ModeText(*record.mode));
        if (record.owner)
            line("owner", std::to_string(record.owner->user) + " " + std::to_string(record.owner->group));
        if (record.modified) line("modified", TimestampText(*record.modified));
        line("detection", EscapeManifestValue(record.detection));
        text += "end\n";
    }
    text += std::string(kCheck) + Sha256Hex(text) + "\n";
    return text;
}

ManifestDecode DecodeBackupManifest(std::string_view text) {
    ManifestDecode result;
    const auto damaged = [&result](std::size_t lineNumber, const std::string& what) {
        result.manifest = {};
        result.damage = "line " + std::to_string(lineNumber) + ": " + what;
        return result;
    };
    // The check line is the last one; everything before it must hash to it.
    if (text.empty() || text.back() != '\n') return damaged(1, "cut short (no final line end)");
    const std::size_t lastStart = text.rfind('\n', text.size() - 2) == std::string_view::npos
                                      ? 0
                                      : text.rfind('\n', text.size() - 2) + 1;
    const std::string_view body = text.substr(0, lastStart);
    const std::string_view last = text.substr(lastStart, text.size() - 1 - lastStart);
    const std::size_t lineCount = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    if (!last.starts_with(kCheck)) return damaged(lineCount, "no check line: cut short or not a manifest");
    if (last.substr(kCheck.size()) != Sha256Hex(body))
        return damaged(lineCount, "check does not match: the manifest was changed or damaged");

    std::size_t lineNumber = 0;
    std::size_t at = 0;
    const auto nextLine = [&](std::string_view& line) {
        if (at >= body.size()) return false;
        const std::size_t end = body.find('\n', at);
        line = body.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        return true;
    };
    const auto split = [](std::string_view line, std::string_view& key, std::string_view& value) {
        const auto space = line.find(' ');
        key = line.substr(0, space);
        value = space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
        return space != std::string_view::npos;
    };

    std::string_view line, key, value;
    if (!nextLine(line) || !line.starts_with(kHeader)) return damaged(1, "not a backup manifest");
    int version = 0;
    if (!ParseNumber(line.substr(kHeader.size()), version) || version != kBackupManifestVersion)
        return damaged(1, "unknown version " + std::string(line.substr(kHeader.size())));
    if (!nextLine(line) || !split(line, key, value) || key != "next-id" ||
        !ParseNumber(value, result.manifest.nextId))
        return damaged(lineNumber, "no next-id line");

    std::optional<BackupRecord> record;
    bool haveFile = false, haveOriginal = false;
    while (nextLine(line)) {
        if (!record) {
            if (!split(line, key, value) || key != "backup")
                return damaged(lineNumber, "a record must start with 'backup ID'");
            record.emplace();
            haveFile = haveOriginal = false;
            if (!ParseNumber(value, record->id) || record->id == 0)
                return damaged(lineNumber, "bad backup id");
            if (result.manifest.Find(record->id) != nullptr)
                return damaged(lineNumber, "backup id listed twice");
            continue;
        }
        if (line == "end") {
            if (!haveFile || !haveOriginal || record->file.empty())
                return damaged(lineNumber, "record without file or original path");
            if (!record->pending && !IsHexDigest(record->sha256))
                return damaged(lineNumber, "record without sha256");
            result.manifest.records.push_back(std::move(*record));
            record.reset();
            continue;
        }
        split(line, key, value);
        bool ok = true;
        if (key == "state") {
            ok = value == "done" || value == "pending";
            record->pending = value == "pending";
        } else if (key == "file" || key == "original" || key == "time" || key == "detection") {
            const std::optional<std::string> bytes = UnescapeManifestValue(value);
            ok = bytes.has_value();
            if (ok) {
                if (key == "file") record->file = *bytes, haveFile = true;
                if (key == "original") record->original = *bytes, haveOriginal = true;
                if (key == "time") record->time = *bytes;
                if (key == "detection") record->detection = *bytes;
            }
        } else if (key == "size") {
            ok = ParseNumber(value, record->size);
        } else if (key == "sha256") {
            ok = IsHexDigest(value);
            record->sha256 = std::string(value);
        } else if (key == "mode") {
            std::uint32_t mode = 0;
            ok = ParseNumber(value, mode, 8) && mode <= 07777;
            record->mode = mode;
        } else if (key == "owner") {
            FileOwner owner;
            const auto space = value.find(' ');
            ok = space != std::string_view::npos && ParseNumber(value.substr(0, space), owner.user) &&
                 ParseNumber(value.substr(space + 1), owner.group);
            record->owner = owner;
        } else if (key == "modified") {
            FileTimestamp stamp;
            ok = ParseTimestamp(value, stamp);
            record->modified = stamp;
        } else {
            return damaged(lineNumber, "unknown field '" + EscapeManifestValue(key) + "'");
        }
        if (!ok) return damaged(lineNumber, "bad value of '" + std::string(key) + "'");
    }
    if (record) return damaged(lineNumber, "last record has no end");
    for (const BackupRecord& r : result.manifest.records)
        result.manifest.nextId = std::max(result.manifest.nextId, r.id + 1);
    return result;
}

std::string BackupFileName(std::string_view name, unsigned number) {
    std::string file(name);
    if (number > 1) file += " (" + std::to_string(number) + ")";
    return file + ".bkp";
}

std::string FreeBackupFileName(std::string_view name, const std::function<bool(const std::string&)>& taken,
                               unsigned start) {
    for (unsigned number = std::max(start, 1u);; ++number) {
        std::string candidate = BackupFileName(name, number);
        if (!taken(candidate)) return candidate;
    }
}

std::string NextFreeBackupFileName(std::string_view wanted,
                                   const std::function<bool(const std::string&)>& taken) {
    if (!taken(std::string(wanted))) return std::string(wanted);
    std::string_view name = wanted;
    if (name.ends_with(".bkp")) name.remove_suffix(4);
    unsigned number = 1;
    // "NAME (k)" goes on from k.
    if (name.ends_with(")")) {
        const auto open = name.rfind(" (");
        unsigned k = 0;
        if (open != std::string_view::npos && ParseNumber(name.substr(open + 2, name.size() - open - 3), k) &&
            k > 1) {
            number = k;
            name = name.substr(0, open);
        }
    }
    return FreeBackupFileName(name, taken, number + 1);
}

std::string IsoUtcTime(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    std::int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02lld:%02lld:%02lldZ", static_cast<long long>(year),
                  month, day, static_cast<long long>(rest / 3600), static_cast<long long>(rest / 60 % 60),
                  static_cast<long long>(rest % 60));
    return text;
}

std::int64_t SecondsNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace korvane
