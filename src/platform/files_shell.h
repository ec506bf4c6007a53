#pragma once
// File system and shell operations. Paths are bytes in the system code page.
#include <string>
#include <system_error>

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

    // The short (8.3) form of an existing path where the system has one, else
    // the path itself; empty when the path cannot be resolved.
    virtual std::string ShortPathName(const std::string& path) = 0;
    // Creates every missing folder of a path that ends with a separator.
    virtual std::error_code MakeSureDirectoryPathExists(const std::string& folderPath) = 0;
    // Deletes one file (not a folder).
    virtual std::error_code DeleteOneFile(const std::string& path) = 0;

};

}  // namespace korvane
