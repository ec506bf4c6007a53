#pragma once
#include "platform/files_shell.h"

namespace korvane {

class PosixFilesShell : public FilesShell {
public:
    // ---- environment probes -------------------------------------------------
    bool FileExists(const std::string& path) override;

    // ---- log evaluation -----------------------------------------------------


    // ---- deletion -----------------------------------------------------------
    bool IsDirectory(const std::string& path) override;
    bool IsFolderEmpty(const std::string& path) override;
    std::error_code RemoveFile(const std::string& path) override;
    std::error_code MoveFileNow(const std::string& from, const std::string& to, bool copyAllowed) override;
    std::error_code RemoveFolderTree(const std::string& path) override;
    std::error_code ListFolder(const std::string& path, std::vector<FolderEntry>& entries) override;
    std::error_code CreateFolderPath(const std::string& path) override;
    std::string ShortPathOf(const std::string& path) override;
    // Appends to the pending-operations file (PendingOperationsFile()),
    // which "korvane apply-pending" works through at the next start.
    std::error_code ScheduleAtRestart(const std::vector<PendingOperation>& operations) override;
    std::string CanonicalPath(const std::string& path) override;
    bool IsFileSystemRoot(const std::string& path) override;
    bool NamesIgnoreCase() const override { return false; }


    // ---- scanner ------------------------------------------------------------

};

}  // namespace korvane
