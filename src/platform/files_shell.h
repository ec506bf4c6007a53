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

    // Opens an http address in the user's default web browser, falling back to
    // whatever the system associates with the address. True when something
    // was started. Doubles that never open addresses can keep the default.
    virtual bool OpenUrlInBrowser(const std::string& address) {
        (void)address;
        return false;
    }


    // ---- deletion -----------------------------------------------------------


    // ---- scanner ------------------------------------------------------------

};

}  // namespace korvane
