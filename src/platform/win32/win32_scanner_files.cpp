// File operations of the scanner window.
#include <windows.h>
// After windows.h, which it needs.
#include <imagehlp.h>

#include "platform/win32/win32_files_shell.h"

namespace korvane {

namespace {

std::error_code LastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

}  // namespace

std::string Win32FilesShell::ShortPathName(const std::string& path) {
    // A path longer than the first buffer is asked for again with the size the
    // call names, instead of being cut off.
    std::string buffer(165, '\0');
    DWORD n = GetShortPathNameA(path.c_str(), buffer.data(), 164);
    if (n == 0) return {};
    if (n >= 164) {
        buffer.assign(n + 1, '\0');
        n = GetShortPathNameA(path.c_str(), buffer.data(), n + 1);
        if (n == 0 || n > buffer.size()) return {};
    }
    return buffer.substr(0, n);
}

std::error_code Win32FilesShell::MakeSureDirectoryPathExists(const std::string& folderPath) {
    if (!::MakeSureDirectoryPathExists(folderPath.c_str())) return LastError();
    return {};
}

std::error_code Win32FilesShell::DeleteOneFile(const std::string& path) {
    if (!DeleteFileA(path.c_str())) return LastError();
    return {};
}

}  // namespace korvane
