#pragma once
#include <functional>
#include <string>

#include "platform/files_shell.h"

namespace korvane {

class Win32FilesShell : public FilesShell {
public:
    // ---- environment probes -------------------------------------------------
    bool FileExists(const std::string& path) override;

    // ---- log evaluation -----------------------------------------------------
    // The browser registered for http addresses, else the shell's association.
    bool OpenUrlInBrowser(const std::string& address) override;
    // ShellExecuteA "open" of file with parameters in the program's folder;
    // its result (> 32 is success). Tests replace it and see the calls only.
    std::function<long long(const std::string& file, const std::string& parameters)> shellOpen;


    // ---- deletion -----------------------------------------------------------


    // ---- scanner ------------------------------------------------------------
    std::string ShortPathName(const std::string& path) override;
    std::error_code MakeSureDirectoryPathExists(const std::string& folderPath) override;
    std::error_code DeleteOneFile(const std::string& path) override;

};

}  // namespace korvane
