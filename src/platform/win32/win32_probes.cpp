#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "core/os_version.h"
#include "platform/platform.h"
#include "platform/win32/win32_files_shell.h"
#include "platform/win32/win32_security_system.h"

namespace korvane {

namespace {

// Text of a buffer up to its first NUL.
std::string UpToNul(const std::string& buffer) { return buffer.substr(0, buffer.find('\0')); }

// Calls fill(buffer, size) with the given size and once more with the size it
// asks for when the path did not fit, so long paths are not cut off.
template <typename Fill>
std::string FolderFromCall(DWORD size, char padding, Fill fill) {
    std::string buffer(size, padding);
    DWORD n = fill(buffer.data(), size);
    if (n >= size) {
        buffer.assign(n + 1, padding);
        n = fill(buffer.data(), n + 1);
        if (n > buffer.size()) return {};
    }
    return buffer.substr(0, n);
}

PSID NewAdministratorsSid() {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    if (AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                 0, 0, 0, 0, &sid) != 1) {
        return nullptr;
    }
    return sid;
}

// The groups of the thread's token (or the process's), read as the older
// systems read them. Empty on any failed step; everything obtained is released.
bool ReadAdministratorGroups(std::vector<TokenGroup>& groups) {
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) {
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    }
    DWORD size = 0;
    GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
    if (size == 0) {
        CloseHandle(token);
        return false;
    }
    std::vector<unsigned char> buffer(size);
    if (GetTokenInformation(token, TokenGroups, buffer.data(), size, &size) != 1) {
        CloseHandle(token);
        return false;
    }
    PSID administrators = NewAdministratorsSid();
    if (administrators == nullptr) {
        CloseHandle(token);
        return false;
    }
    const auto* table = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    if (IsValidSid(administrators)) {
        for (DWORD i = 0; i < table->GroupCount; ++i) {
            const SID_AND_ATTRIBUTES& group = table->Groups[i];
            if (!IsValidSid(group.Sid)) continue;
            TokenGroup entry;
            entry.isAdministrators = EqualSid(group.Sid, administrators) != 0;
            entry.enabled = (group.Attributes & SE_GROUP_ENABLED) != 0;
            entry.denyOnly = (group.Attributes & SE_GROUP_USE_FOR_DENY_ONLY) != 0;
            groups.push_back(entry);
        }
    }
    FreeSid(administrators);
    CloseHandle(token);
    return true;
}

}  // namespace

bool GroupsMakeAdministrator(const std::vector<TokenGroup>& groups, std::int16_t osVersion) {
    const bool onlyEnabledCounts = osVersion >= kOsLaterNt;
    for (const TokenGroup& group : groups) {
        if (!group.isAdministrators) continue;
        if (!onlyEnabledCounts) return true;
        if (group.enabled && !group.denyOnly) return true;
    }
    return false;
}

std::string Win32SecuritySystem::GetLocaleString(int localeInfoType) {
    std::string buffer(256, '\0');
    const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, static_cast<LCTYPE>(localeInfoType), buffer.data(), 256);
    return n > 0 ? buffer.substr(0, static_cast<std::size_t>(n - 1)) : std::string{};
}

std::int16_t Win32SecuritySystem::GetOsVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = 148;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);
#pragma GCC diagnostic pop
    return MapOsVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
}

bool Win32SecuritySystem::IsUserAdmin() {
    const std::int16_t os = GetOsVersion();
    if (os >= kOsLaterNt) {
        // Asks what the token may do now: a deny-only or disabled entry does not count.
        PSID administrators = NewAdministratorsSid();
        if (administrators == nullptr) return false;
        BOOL member = FALSE;
        const BOOL ok = CheckTokenMembership(nullptr, administrators, &member);
        FreeSid(administrators);
        return ok != 0 && member != 0;
    }
    std::vector<TokenGroup> groups;
    if (!ReadAdministratorGroups(groups)) return false;
    return GroupsMakeAdministrator(groups, os);
}

std::string Win32SecuritySystem::GetSystemFolder(const std::string& name) {
    if (name == "temp") {
        return UpToNul(FolderFromCall(100, '\0', [](char* b, DWORD n) { return GetTempPathA(n, b); }));
    }
    if (name == "system") {
        return FolderFromCall(255, ' ', [](char* b, DWORD n) { return GetSystemDirectoryA(b, n); });
    }
    if (name == "win") {
        return UpToNul(FolderFromCall(200, '\0', [](char* b, DWORD n) { return GetWindowsDirectoryA(b, n); }));
    }
    return {};
}

std::string Win32SecuritySystem::GetSpecialFolder(int specialFolder) {
    std::string result;
    LPITEMIDLIST items = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, specialFolder, &items) == S_OK && items != nullptr) {
        std::string buffer(MAX_PATH, ' ');
        if (SHGetPathFromIDListA(items, buffer.data())) result = UpToNul(buffer);
        CoTaskMemFree(items);
    }
    return result;
}

std::string Win32SecuritySystem::ProgramFolder() {
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
    const auto slash = buffer.find_last_of('\\');
    return slash == std::string::npos ? std::string{} : buffer.substr(0, slash + 1);
}

std::string Win32SecuritySystem::DriveRoot() { return ProgramFolder().substr(0, 3); }

bool Win32FilesShell::FileExists(const std::string& path) { return PathFileExistsA(path.c_str()) != 0; }

std::unique_ptr<SecuritySystem> MakeNativeSecuritySystem() {
    return std::make_unique<Win32SecuritySystem>();
}
std::unique_ptr<FilesShell> MakeNativeFilesShell() { return std::make_unique<Win32FilesShell>(); }

}  // namespace korvane
