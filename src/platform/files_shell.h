#pragma once
// File system and shell operations. Paths are bytes in the system code page.
#include <string>

namespace korvane {

class FilesShell {
public:
    virtual ~FilesShell() = default;

    // ---- environment probes -------------------------------------------------

    // True for an existing file or folder.
    virtual bool FileExists(const std::string& path) = 0;

    // ---- log evaluation -----------------------------------------------------


    // ---- deletion -----------------------------------------------------------


    // ---- scanner ------------------------------------------------------------

};

}  // namespace korvane
