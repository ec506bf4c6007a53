// Removal, moves, listings and delayed operations on Windows.
#include <windows.h>

#include <imagehlp.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "platform/win32/win32_files_shell.h"
#include "platform/win32/win32_folder_entry.h"

namespace korvane {

namespace {

std::error_code LastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

std::error_code Result(BOOL ok) {
    return ok ? std::error_code{} : LastError();
}

DWORD Attributes(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

bool IsReparsePoint(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::string WithBackslash(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/') ? path : path + "\\";
}

// Removes a link itself: a directory junction or symbolic link with
// RemoveDirectoryA, a file link with DeleteFileA. The target stays.
std::error_code RemoveLink(const std::string& path, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Result(RemoveDirectoryA(path.c_str()));
    return Result(DeleteFileA(path.c_str()));
}

// Removes every link inside the tree first, so the shell's delete below can
// never descend through one into the folder it points to.
void RemoveLinksInside(const std::string& folder) {
    WIN32_FIND_DATAA entry{};
    const std::string prefix = WithBackslash(folder);
    HANDLE search = FindFirstFileA((prefix + "*.*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = prefix + name;
        if (IsReparsePoint(entry.dwFileAttributes)) {
            RemoveLink(path, entry.dwFileAttributes);
        } else if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            RemoveLinksInside(path);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

}  // namespace

FilesShell::FolderEntry FolderEntryFromSearch(const char* name, std::size_t capacity,
                                              std::uint32_t attributes) {
    FilesShell::FolderEntry entry;
    entry.name = std::string(name, strnlen(name, capacity));
    entry.isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !entry.isLink;
    entry.isHidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    entry.isSystem = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    return entry;
}

bool Win32FilesShell::IsDirectory(const std::string& path) {
    return PathIsDirectoryA(path.c_str()) != FALSE && !IsReparsePoint(Attributes(path));
}

bool Win32FilesShell::IsFolderEmpty(const std::string& path) {
    return PathIsDirectoryEmptyA(path.c_str()) != FALSE;
}

std::error_code Win32FilesShell::RemoveFile(const std::string& path) {
    const DWORD attributes = Attributes(path);
    if (IsReparsePoint(attributes)) return RemoveLink(path, attributes);
    return Result(DeleteFileA(path.c_str()));
}

std::error_code Win32FilesShell::MoveFileNow(const std::string& from, const std::string& to,
                                             bool copyAllowed) {
    if (copyAllowed) return Result(MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_COPY_ALLOWED));
    return Result(MoveFileA(from.c_str(), to.c_str()));
}

std::error_code Win32FilesShell::RemoveFolderTree(const std::string& path) {
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
    if (IsReparsePoint(attributes)) return RemoveLink(path, attributes);
    RemoveLinksInside(path);
    // The source list ends with two NUL characters.
    std::string source = path;
    while (source.size() > 3 && (source.back() == '\\' || source.back() == '/')) source.pop_back();
    source.append(2, '\0');
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = nullptr;
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.c_str();
    operation.pTo = nullptr;
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION;  // 20: for good, no recycle bin, no dialog
    const int failed = SHFileOperationA(&operation);
    if (failed != 0) return {failed, std::system_category()};
    return {};
}

std::error_code Win32FilesShell::ListFolder(const std::string& path, std::vector<FolderEntry>& entries) {
    entries.clear();
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((WithBackslash(path) + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return {};
        return {static_cast<int>(error), std::system_category()};
    }
    do {
        FolderEntry entry = FolderEntryFromSearch(found.cFileName, MAX_PATH, found.dwFileAttributes);
        if (entry.name == "." || entry.name == "..") continue;
        entries.push_back(std::move(entry));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return {};
}

std::error_code Win32FilesShell::CreateFolderPath(const std::string& path) {
    return Result(::MakeSureDirectoryPathExists(WithBackslash(path).c_str()));
}

std::string Win32FilesShell::ShortPathOf(const std::string& path) {
    // A path longer than the first buffer is asked for again with the size the
    // call names, instead of being cut off.
    std::string buffer(255, '\0');
    DWORD length = GetShortPathNameA(path.c_str(), buffer.data(), 254);
    if (length == 0) return {};
    if (length >= 254) {
        buffer.assign(length + 1, '\0');
        length = GetShortPathNameA(path.c_str(), buffer.data(), length + 1);
        if (length == 0 || length > buffer.size()) return {};
    }
    return buffer.substr(0, length);
}

std::error_code Win32FilesShell::ScheduleAtRestart(const std::vector<PendingOperation>& operations) {
    std::error_code last;
    for (const PendingOperation& operation : operations) {
        const char* target = operation.target.empty() ? nullptr : operation.target.c_str();
        // A backup move never replaces a file that took its name before the
        // restart: the move fails then, and the file stays where it was.
        const DWORD flags = target == nullptr ? MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT
                                              : MOVEFILE_DELAY_UNTIL_REBOOT;
        if (!MoveFileExA(operation.source.c_str(), target, flags)) {
            // What is gone already needs nothing at the restart.
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
                last = {static_cast<int>(error), std::system_category()};
            }
        }
    }
    return last;
}

std::string Win32FilesShell::CanonicalPath(const std::string& path) {
    char full[MAX_PATH * 4] = {};
    const DWORD fullLength = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    std::string absolute = fullLength > 0 && fullLength < sizeof full ? std::string(full, fullLength) : path;
    // Follow junctions and symbolic links to the folder they name.
    HANDLE handle = CreateFileA(absolute.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return absolute;
    char final[MAX_PATH * 4] = {};
    const DWORD finalLength = GetFinalPathNameByHandleA(handle, final, sizeof final, FILE_NAME_NORMALIZED);
    CloseHandle(handle);
    if (finalLength == 0 || finalLength >= sizeof final) return absolute;
    std::string resolved(final, finalLength);
    if (resolved.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + resolved.substr(8);
    if (resolved.rfind("\\\\?\\", 0) == 0) return resolved.substr(4);
    return resolved;
}

bool Win32FilesShell::IsFileSystemRoot(const std::string& path) {
    char full[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) return false;
    if (PathIsRootA(full)) return true;
    char volume[MAX_PATH * 4] = {};
    if (!GetVolumePathNameA(full, volume, sizeof volume)) return false;
    return lstrcmpiA(volume, WithBackslash(full).c_str()) == 0;
}

}  // namespace korvane
