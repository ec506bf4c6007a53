// Restarting Windows and the user's folder.
#include <windows.h>

#include <shlobj.h>

#include "platform/win32/win32_security_system.h"

namespace korvane {

std::string Win32SecuritySystem::UserHomeFolder() {
    char folder[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, folder) == S_OK) return folder;
    const DWORD length = GetEnvironmentVariableA("USERPROFILE", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string{};
}

SecuritySystem::PrivilegeStep Win32SecuritySystem::SetShutdownPrivilege(bool enable) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
        return PrivilegeStep::OpenTokenFailed;
    }
    LUID luid{};
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid)) {
        CloseHandle(token);
        return PrivilegeStep::LookupFailed;
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid = luid;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    // A partial assignment, reported only through the last error, counts as done.
    const BOOL adjusted = AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
    return adjusted ? PrivilegeStep::Done : PrivilegeStep::AdjustFailed;
}

bool Win32SecuritySystem::RequestRestart(std::uint32_t mode) {
    if (restartCall_) return restartCall_(mode);
    return ExitWindowsEx(mode, 0) != 0;
}

}  // namespace korvane
