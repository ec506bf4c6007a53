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
    bool IsDirectory(const std::string& path) override;
    bool IsFolderEmpty(const std::string& path) override;
    std::error_code RemoveFile(const std::string& path) override;
    std::error_code MoveFileNow(const std::string& from, const std::string& to, bool copyAllowed) override;
    std::error_code RemoveFolderTree(const std::string& path) override;
    std::error_code ListFolder(const std::string& path, std::vector<FolderEntry>& entries) override;
    std::error_code CreateFolderPath(const std::string& path) override;
    std::string ShortPathOf(const std::string& path) override;
    // MoveFileExA with delay-until-reboot: the system's own pending list.
    std::error_code ScheduleAtRestart(const std::vector<PendingOperation>& operations) override;
    std::string CanonicalPath(const std::string& path) override;
    bool IsFileSystemRoot(const std::string& path) override;
    bool NamesIgnoreCase() const override { return true; }


    // ---- scanner ------------------------------------------------------------

};

}  // namespace korvane
