#include "core/deletion_guard.h"

#include <string_view>

#include "core/text_util.h"

namespace korvane {

namespace {

std::vector<std::string> SplitParts(const std::string& path, char separator, std::string& prefix) {
    std::string unified = path;
    if (separator == '\\') {
        for (char& c : unified) {
            if (c == '/') c = '\\';
        }
    }
    prefix.clear();
    std::size_t at = 0;
    if (separator == '\\') {
        if (unified.size() >= 2 && unified[1] == ':') {
            prefix = unified.substr(0, 2) + "\\";
            at = 2;
        } else if (unified.rfind("\\\\", 0) == 0) {
            prefix = "\\\\";
            at = 2;
        } else if (!unified.empty() && unified[0] == '\\') {
            prefix = "\\";
        }
    } else if (!unified.empty() && unified[0] == '/') {
        prefix = "/";
    }
    std::vector<std::string> parts;
    std::string part;
    const auto flush = [&] {
        if (part.empty() || part == ".") {
        } else if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (prefix.empty())
                parts.push_back(part);
        } else {
            parts.push_back(part);
        }
        part.clear();
    };
    for (std::size_t i = at; i < unified.size(); ++i) {
        if (unified[i] == separator)
            flush();
        else
            part.push_back(unified[i]);
    }
    flush();
    return parts;
}

bool StartsWithFolder(const std::string& path, const std::string& folder, char separator) {
    if (path.size() < folder.size() || path.compare(0, folder.size(), folder) != 0) return false;
    return path.size() == folder.size() || path[folder.size()] == separator ||
           (!folder.empty() && folder.back() == separator);
}

}  // namespace

std::string NormalizedPath(const std::string& path, char separator) {
    std::string prefix;
    const std::vector<std::string> parts = SplitParts(path, separator, prefix);
    std::string result = prefix;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) result.push_back(separator);
        result += parts[i];
    }
    return result;
}

bool IsSameOrInside(const std::string& path, const std::string& folder, char separator,
                    bool namesIgnoreCase) {
    if (folder.empty()) return false;
    if (namesIgnoreCase) return StartsWithFolder(AsciiLowerCopy(path), AsciiLowerCopy(folder), separator);
    return StartsWithFolder(path, folder, separator);
}

bool IsRootPath(const std::string& normalizedPath, char separator) {
    std::string prefix;
    const std::vector<std::string> parts = SplitParts(normalizedPath, separator, prefix);
    if (prefix == "\\\\") return parts.size() <= 2;  // \\server\share
    return !prefix.empty() && parts.empty();
}

bool IsSystemLayoutFolder(const std::string& normalizedPath) {
    std::string prefix;
    const std::vector<std::string> parts = SplitParts(normalizedPath, '/', prefix);
    if (prefix != "/") return false;
    if (parts.size() <= 1) return true;
    return parts.size() == 2 && parts[0] != "tmp";
}

std::optional<std::string> PlainRowPath(const std::string& path, char separator) {
    if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
    const auto isSeparator = [separator](char c) {
        return c == separator || (separator == '\\' && c == '/');
    };
    std::size_t start = 0;
    if (separator == '\\') {
        if (path.size() >= 2 && path[1] == ':')
            start = 2;  // a drive
        else if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]))
            start = 2;  // \\server\share
    }
    if (start < path.size() && isSeparator(path[start])) ++start;
    std::size_t end = path.size();
    while (end > start && isSeparator(path[end - 1])) --end;
    std::string plain = path.substr(0, end);
    if (end == start) return plain;  // a root by itself
    for (std::size_t at = start; at <= end;) {
        std::size_t next = at;
        while (next < end && !isSeparator(path[next])) ++next;
        const std::string_view part(path.data() + at, next - at);
        if (part.empty() || part == "." || part == "..") return std::nullopt;
        at = next + 1;
    }
    return plain;
}

bool IsProtectedPath(const std::string& path, const ProtectedFolders& guard) {
    const auto comparable = [&](const std::string& p) {
        const std::string normalized = NormalizedPath(p, guard.separator);
        return guard.namesIgnoreCase ? AsciiLowerCopy(normalized) : normalized;
    };
    const std::string candidate = comparable(path);
    if (IsRootPath(candidate, guard.separator)) return true;
    if (guard.systemLayout && IsSystemLayoutFolder(NormalizedPath(path, '/'))) return true;
    for (const std::string& folder : guard.folders) {
        if (TrimBlanks(folder).empty()) continue;
        // The candidate is the folder itself or one of the folders above it.
        if (StartsWithFolder(comparable(folder), candidate, guard.separator)) return true;
    }
    return false;
}

}  // namespace korvane
