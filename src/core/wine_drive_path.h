#pragma once
// Logs written by the scanner running under Wine name Windows paths
// ("Z:\home\anna\x.exe", "C:\users\anna\..."). Wine's prefix links every
// drive letter to a folder (dosdevices/z: -> /, dosdevices/c: -> ../drive_c);
// this maps such a path onto the file it names.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

struct WineDrive {
    char letter = 'c';   // either case
    std::string folder;  // absolute
};

enum class WineMappingKind {
    NotADrivePath,      // no drive letter: the path is used as it is
    Mapped,             // path holds the real file's path
    NoSuchDrive,        // the prefix has no link for the letter
    RelativeComponent,  // "." or ".." inside the path: refused, it could leave the drive
    NotAbsolute         // "C:name" (relative to the drive's current folder)
};

struct WinePathMapping {
    WineMappingKind kind = WineMappingKind::NotADrivePath;
    std::string path;

    bool operator==(const WinePathMapping&) const = default;
};

// A letter and a colon at the start.
bool StartsWithDriveLetter(std::string_view path);

// The entry of folder whose name equals name, or failing that equals it
// ignoring case (as Wine finds names on a case-sensitive file system);
// empty when there is none.
using WineNameLookup = std::function<std::string(const std::string& folder, const std::string& name)>;

// Maps a drive path through the drives (letters compared ignoring case).
// Backslashes and slashes both separate names; empty names are dropped.
// With a lookup, each name is replaced by the one found on disk until a name
// is not found; the rest is kept as written.
WinePathMapping MapWineDrivePath(std::string_view logPath, const std::vector<WineDrive>& drives,
                                 const WineNameLookup& lookup = {});

}  // namespace korvane
