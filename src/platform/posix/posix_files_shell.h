#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/files_shell.h"
#include "platform/posix/posix_folder_at.h"

namespace korvane {

class PosixFilesShell : public FilesShell {
public:
    // ---- environment probes -------------------------------------------------
    bool FileExists(const std::string& path) override;

    // ---- log evaluation -----------------------------------------------------
    bool OpenUrlInBrowser(const std::string& address) override;
    // Starts a program without waiting for it; true when it started. Tests
    // replace it and see only the command lines.
    std::function<bool(const std::string& program, const std::vector<std::string>& arguments)> startDetached;


    // ---- deletion -----------------------------------------------------------
    bool IsDirectory(const std::string& path) override;
    bool IsFolderEmpty(const std::string& path) override;
    std::error_code RemoveFile(const std::string& path) override;
    std::error_code MoveFileNow(const std::string& from, const std::string& to, bool copyAllowed) override;
    std::error_code RemoveFolderTree(const std::string& path) override;
    std::error_code ListFolder(const std::string& path, std::vector<FolderEntry>& entries) override;
    void EndOfListing() override {
        lastListed_.clear();
        lastListedFd_ = FolderFd();
    }
    std::error_code CreateFolderPath(const std::string& path) override;
    std::string ShortPathOf(const std::string& path) override;
    // Appends to the pending-operations file (PendingOperationsFile()),
    // which "korvane apply-pending" works through at the next start.
    std::error_code ScheduleAtRestart(const std::vector<PendingOperation>& operations) override;
    std::error_code ScheduleEachAtRestart(const std::vector<PendingOperation>& operations,
                                          std::vector<std::error_code>& each) override;
    // Through the source's folder as recorded: no link is followed, and a
    // folder that is not the recorded one is refused.
    void CarryOutPending(AppliedOperation& applied) override;
    void CheckPendingSource(AppliedOperation& applied) override;
    std::error_code CheckPendingList(const std::string& file) override;
    std::string CanonicalPath(const std::string& path) override;
    bool IsFileSystemRoot(const std::string& path) override;
    bool NamesIgnoreCase() const override { return false; }

private:
    // The folder listed last, kept open: a search going down lists a folder
    // right after the one holding it, and opening it from there costs one
    // step instead of a walk from "/" (a tree thousands of levels deep).
    std::string lastListed_;
    FolderFd lastListedFd_;


    // ---- scanner ------------------------------------------------------------

};

// ---- log evaluation ---------------------------------------------------------

struct BrowserLaunch {
    std::string program;
    std::vector<std::string> arguments;
    bool operator==(const BrowserLaunch&) const = default;
};

// The commands that open an address, in the order to try them: each entry of
// $BROWSER (a colon-separated list; "%s" in an entry stands for the address,
// otherwise the address is its last argument), then the desktop's default
// browser through xdg-open.
std::vector<BrowserLaunch> BrowserLaunchCandidates(const std::string& address, const std::string& browserVariable);

}  // namespace korvane
