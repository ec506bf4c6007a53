#pragma once
// Folders the program never deletes, whatever the user marked: a typed "C:\"
// or "/" must not wipe a drive.
#include <string>
#include <vector>

namespace korvane {

struct ProtectedFolders {
    // The Windows folder, the system folder, the home folder, the program's
    // folder: none of them, nor any folder that contains one, may go.
    std::vector<std::string> folders;
    char separator = '/';
    bool namesIgnoreCase = false;  // Windows: C:\A and c:\a are one folder
};

// The path with both separators read as one, repeated separators collapsed,
// "." and ".." resolved lexically and trailing separators removed (a root
// keeps its own: "/", "C:\").
std::string NormalizedPath(const std::string& path, char separator);

// "/", "C:", "C:\", "\\server\share" and the like.
bool IsRootPath(const std::string& normalizedPath, char separator);

// True when path (absolute) is a root or equals or contains a protected folder.
bool IsProtectedPath(const std::string& path, const ProtectedFolders& guard);

}  // namespace korvane
