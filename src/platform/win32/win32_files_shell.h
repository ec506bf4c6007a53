#pragma once
#include "platform/files_shell.h"

namespace korvane {

class Win32FilesShell : public FilesShell {
public:
    // ---- environment probes -------------------------------------------------
    bool FileExists(const std::string& path) override;

    // ---- log evaluation -----------------------------------------------------


    // ---- deletion -----------------------------------------------------------


    // ---- scanner ------------------------------------------------------------
    std::string ShortPathName(const std::string& path) override;
    std::error_code MakeSureDirectoryPathExists(const std::string& folderPath) override;
    std::error_code DeleteOneFile(const std::string& path) override;

};

}  // namespace korvane
