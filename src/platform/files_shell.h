#pragma once
// File system and shell operations. Paths are bytes in the system code page.
#include <string>
#include <system_error>
#include <vector>

#include "core/pending_operations.h"

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
    // A link (symbolic link, junction, reparse point) is handled as the link
    // itself: it is never a folder here, and removing it leaves its target.

    // One entry of a folder listing ("." and ".." are never listed).
    struct FolderEntry {
        std::string name;
        bool isFolder = false;  // a real folder, never a link to one
        bool isLink = false;    // symbolic link, junction or other reparse point
        bool isHidden = false;
        bool isSystem = false;
        bool isMountPoint = false;  // another file system (or a bind mount) begins here
    };

    // Every operation here refuses by default, so a test double that deletes
    // nothing needs none of them.
    virtual bool IsDirectory(const std::string&) { return false; }
    virtual bool IsFolderEmpty(const std::string&) { return false; }
    virtual std::error_code RemoveFile(const std::string&) { return Unsupported(); }
    // Fails when to exists. copyAllowed lets a move to another drive copy
    // and delete.
    virtual std::error_code MoveFileNow(const std::string&, const std::string&, bool /*copyAllowed*/) {
        return Unsupported();
    }
    // The folder with everything in it, for good (no trash); links inside
    // are removed, their targets stay. A mount point inside is left alone
    // with all that is under it; the result is then MountPointInside().
    virtual std::error_code RemoveFolderTree(const std::string&) { return Unsupported(); }
    static std::error_code MountPointInside() { return std::make_error_code(std::errc::cross_device_link); }
    virtual std::error_code ListFolder(const std::string&, std::vector<FolderEntry>&) { return Unsupported(); }
    // A search that listed folder after folder is over: nothing it opened
    // may stay open (an open folder keeps a drive from being unmounted).
    virtual void EndOfListing() {}
    // Creates a folder path with every missing parent; path ends with a separator.
    virtual std::error_code CreateFolderPath(const std::string&) { return Unsupported(); }
    // The short (8.3) form of an existing path where the system has one, else
    // the path itself; empty when it does not exist.
    virtual std::string ShortPathOf(const std::string&) { return {}; }
    // Records operations the system carries out at its next start.
    virtual std::error_code ScheduleAtRestart(const std::vector<PendingOperation>&) { return Unsupported(); }
    // The same, telling for each operation whether it was recorded (an empty
    // error code) or why not; the result is what kept all of them out.
    virtual std::error_code ScheduleEachAtRestart(const std::vector<PendingOperation>& operations,
                                                  std::vector<std::error_code>& each) {
        const std::error_code failed = ScheduleAtRestart(operations);
        each.assign(operations.size(), failed);
        return failed;
    }
    // Carries out one removal of the program's own restart list (where the
    // system keeps none): fills in error, alreadyGone or refused. Backup
    // moves of the list are the backup store's (CompletePendingBackup).
    virtual void CarryOutPending(AppliedOperation& applied) { applied.error = Unsupported(); }
    // Only the checks of CarryOutPending on the source (its folder is still
    // the recorded one, it is still there), for an operation carried out
    // elsewhere: fills in error, alreadyGone or refused, or leaves them all clear.
    virtual void CheckPendingSource(AppliedOperation& applied) { applied.error = Unsupported(); }
    // Whether the program's own restart list may be trusted: nobody but its
    // owner (root, or the user who runs it) may be able to change it.
    virtual std::error_code CheckPendingList(const std::string&) { return {}; }
    // The absolute path with every link resolved; the absolute path itself
    // when that fails.
    virtual std::string CanonicalPath(const std::string& path) { return path; }
    // A drive or the root of a mounted file system.
    virtual bool IsFileSystemRoot(const std::string&) { return false; }
    virtual bool NamesIgnoreCase() const { return false; }
    static std::error_code Unsupported() { return std::make_error_code(std::errc::function_not_supported); }


    // ---- scanner ------------------------------------------------------------

};

}  // namespace korvane
