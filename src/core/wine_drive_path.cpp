#include "core/wine_drive_path.h"

#include "core/text_util.h"

namespace korvane {

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string_view> Names(std::string_view rest) {
    std::vector<std::string_view> names;
    std::size_t from = 0;
    while (from <= rest.size()) {
        std::size_t end = from;
        while (end < rest.size() && !IsSeparator(rest[end])) ++end;
        if (end > from) names.push_back(rest.substr(from, end - from));
        from = end + 1;
    }
    return names;
}

}  // namespace

bool StartsWithDriveLetter(std::string_view path) {
    return path.size() >= 2 && IsLetter(path[0]) && path[1] == ':';
}

WinePathMapping MapWineDrivePath(std::string_view logPath, const std::vector<WineDrive>& drives,
                                 const WineNameLookup& lookup) {
    if (!StartsWithDriveLetter(logPath)) return {WineMappingKind::NotADrivePath, std::string(logPath)};
    if (logPath.size() > 2 && !IsSeparator(logPath[2])) return {WineMappingKind::NotAbsolute, {}};
    const std::vector<std::string_view> names = Names(logPath.substr(2));
    for (const std::string_view name : names) {
        if (name == "." || name == "..") return {WineMappingKind::RelativeComponent, {}};
    }
    const WineDrive* drive = nullptr;
    for (const WineDrive& candidate : drives) {
        if (AsciiLower(candidate.letter) == AsciiLower(logPath[0]) && !candidate.folder.empty()) {
            drive = &candidate;
            break;
        }
    }
    if (drive == nullptr) return {WineMappingKind::NoSuchDrive, {}};

    std::string path = drive->folder;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    bool onDisk = static_cast<bool>(lookup);
    for (const std::string_view name : names) {
        std::string found;
        if (onDisk) {
            found = lookup(path, std::string(name));
            onDisk = !found.empty();
        }
        if (path.back() != '/') path.push_back('/');
        path.append(onDisk ? found : std::string(name));
    }
    return {WineMappingKind::Mapped, path};
}

}  // namespace korvane
