#pragma once
// Folders the program never deletes, whatever the user marked: a typed "C:\"
// or "/" must not wipe a drive.
#include <optional>
#include <string>
#include <vector>

namespace korvane {

struct ProtectedFolders {
    // The Windows folder, the system folder, the home folder, the program's
    // folder: none of them, nor any folder that contains one, may go.
    std::vector<std::string> folders;
    char separator = '/';
    bool namesIgnoreCase = false;  // Windows: C:\A and c:\a are one folder
    // A POSIX system's own layout: "/", every folder directly under it and
    // every folder directly under those (see IsSystemLayoutFolder).
    bool systemLayout = false;
};

// The path with both separators read as one, repeated separators collapsed,
// "." and ".." resolved lexically and trailing separators removed (a root
// keeps its own: "/", "C:\").
std::string NormalizedPath(const std::string& path, char separator);

// True when path is folder itself or lies somewhere inside it (both written
// the same way: absolute, no trailing separator).
bool IsSameOrInside(const std::string& path, const std::string& folder, char separator, bool namesIgnoreCase);

// "/", "C:", "C:\", "\\server\share" and the like.
bool IsRootPath(const std::string& normalizedPath, char separator);

// True when path (absolute) is a root or equals or contains a protected folder;
// with guard.systemLayout also for a folder of the system's layout.
bool IsProtectedPath(const std::string& path, const ProtectedFolders& guard);

// "/", "/etc", "/usr/bin", "/home/anna": a folder at most two levels below
// "/". Folders directly inside "/tmp" are not: dropped files live there.
// ("/var/tmp" and "/dev/shm" are two levels down, so only what lies inside
// them can be deleted anyway.)
bool IsSystemLayoutFolder(const std::string& normalizedPath);

// The path a row names, as the system will be asked for it: trailing
// separators dropped (a root keeps its own). Nothing when it is empty, holds
// a NUL byte, or has a ".", ".." or empty component: such a path can name
// another object than the one the user read in the list.
std::optional<std::string> PlainRowPath(const std::string& path, char separator);

}  // namespace korvane
