// libs: korvane_core
// The Wininit.ini text from arbitrary old content, backup folder and list
// entries. Input: one byte of flags (bit 0 the file exists, bit 1 backup
// wanted, bit 2 '/' as separator instead of '\'), then NUL-separated texts:
// the old content, the short backup folder, and the entries. An entry that
// starts with '>' is a folder, one that starts with '=' is no entry but a
// path that exists already; entries starting with '!' have no short form.
// The old content stays in front, every entry gets exactly one line with its
// short form, and no two entries get the same backup name or an existing one.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/wininit_text.h"
#include "fuzz_bytes.h"

using korvane::fuzz::Require;

namespace {

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane::fuzz::FuzzBytes bytes(data, size);
    const std::uint8_t flags = bytes.Byte();
    korvane::WininitRequest request;
    request.fileExists = flags & 1;
    request.backup = flags & 2;
    request.separator = (flags & 4) != 0 ? '/' : '\\';
    request.existingText = bytes.Text('\0');
    request.shortBackupFolder = bytes.Text('\0');
    request.entries = {""};
    std::set<std::string> existing;  // upper-cased: the older family ignores case
    std::set<std::string> folders;
    while (!bytes.Rest().empty()) {
        std::string text = bytes.Text('\0');
        if (!text.empty() && text[0] == '=') {
            existing.insert(Upper(text.substr(1)));
            continue;
        }
        if (!text.empty() && text[0] == '>') folders.insert(text);
        request.entries.push_back(std::move(text));
    }
    if (!request.fileExists) request.existingText.clear();

    korvane::WininitQueries queries;
    queries.exists = [&](const std::string& path) { return existing.count(Upper(path)) != 0; };
    queries.isFolder = [&](const std::string& path) { return folders.count(path) != 0; };
    queries.shortPath = [](const std::string& path) { return !path.empty() && path[0] == '!' ? "" : path; };
    const std::string text = korvane::BuildWininitText(request, queries);

    // What was there stays in front, followed by a line break.
    std::string front = request.fileExists ? request.existingText : "[rename]\r\n";
    if (front.size() < 2 || front.compare(front.size() - 2, 2, "\r\n") != 0) front += "\r\n";
    Require(text.compare(0, front.size(), front) == 0, "the old content is not kept in front");

    // Line by line only when no path can break a line by itself.
    bool breaks = HasLineBreak(request.shortBackupFolder);
    for (const std::string& entry : request.entries) breaks = breaks || HasLineBreak(entry);
    if (breaks) return 0;

    std::vector<std::string_view> lines;
    std::string_view rest = std::string_view(text).substr(front.size());
    while (!rest.empty()) {
        const std::size_t end = rest.find("\r\n");
        Require(end != std::string_view::npos, "a line without CR LF");
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(end + 2);
    }
    Require(lines.size() == request.entries.size() - 1, "not one line per entry");

    std::set<std::string> backupNames;
    for (std::size_t i = 1; i < request.entries.size(); ++i) {
        const std::string& entry = request.entries[i];
        const std::string source = queries.shortPath(entry);
        const std::string_view line = lines[i - 1];
        Require(line.size() > source.size() && line.substr(line.size() - source.size()) == source &&
                    line[line.size() - source.size() - 1] == '=',
                "the line does not end with '=' and the short form");
        const std::string target(line.substr(0, line.size() - source.size() - 1));
        const bool wantsBackup = request.backup && folders.count(entry) == 0 &&
                                 entry.find(request.separator) != std::string::npos;
        if (!wantsBackup) {
            Require(target == "NUL", "deleted without NUL");
            continue;
        }
        Require(target == Upper(target), "backup name not upper-cased");
        Require(target.compare(0, request.shortBackupFolder.size(), Upper(request.shortBackupFolder)) == 0,
                "backup name outside the backup folder");
        Require(target.size() >= 4 && target.compare(target.size() - 4, 4, ".BKP") == 0, "backup name ending");
        Require(existing.count(target) == 0, "backup name that exists already");
        Require(backupNames.insert(target).second, "two entries with the same backup name");
    }
    return 0;
}
