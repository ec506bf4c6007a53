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
    };

    virtual bool IsDirectory(const std::string& path) = 0;
    virtual bool IsFolderEmpty(const std::string& path) = 0;
    virtual std::error_code RemoveFile(const std::string& path) = 0;
    // Fails when to exists. copyAllowed lets a move to another drive copy
    // and delete.
    virtual std::error_code MoveFileNow(const std::string& from, const std::string& to, bool copyAllowed) = 0;
    // The folder with everything in it, for good (no trash); links inside
    // are removed, their targets stay.
    virtual std::error_code RemoveFolderTree(const std::string& path) = 0;
    virtual std::error_code ListFolder(const std::string& path, std::vector<FolderEntry>& entries) = 0;
    // Creates a folder path with every missing parent; path ends with a separator.
    virtual std::error_code CreateFolderPath(const std::string& path) = 0;
    // The 8.3 form of an existing path; empty when it does not exist.
    virtual std::string ShortPathOf(const std::string& path) = 0;
    // Records operations the system carries out at its next start.
    virtual std::error_code ScheduleAtRestart(const std::vector<PendingOperation>& operations) = 0;
    // The absolute path with every link resolved; the absolute path itself
    // when that fails.
    virtual std::string CanonicalPath(const std::string& path) = 0;
    // A drive or the root of a mounted file system.
    virtual bool IsFileSystemRoot(const std::string& path) = 0;
    virtual bool NamesIgnoreCase() const = 0;


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
