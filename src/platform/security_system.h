#pragma once
// System queries and services: locale, system family, rights, folders.
// Implemented once per operating system (posix/, win32/), chosen in CMake.
#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

inline constexpr int kLocaleNativeLanguageName = 4;  // LOCALE_SNATIVELANGNAME
inline constexpr int kSpecialFolderInternetCache = 32;  // CSIDL_INTERNET_CACHE

class SecuritySystem {
public:
    virtual ~SecuritySystem() = default;

    // ---- environment probes -------------------------------------------------
    // Each is a pure query of the system; failures give empty text, 0 or false.

    virtual std::string GetLocaleString(int localeInfoType) = 0;
    virtual std::int16_t GetOsVersion() = 0;
    virtual bool IsUserAdmin() = 0;
    // "win", "system" or "temp" (exact case); any other name gives empty text.
    virtual std::string GetSystemFolder(const std::string& name) = 0;
    virtual std::string GetSpecialFolder(int specialFolder) = 0;
    // The folder of the running program, with a trailing separator.
    virtual std::string ProgramFolder() = 0;
    // Root of the drive (file system) that holds the program, with a trailing separator.
    virtual std::string DriveRoot() = 0;
    // Separator the platform builds its own paths with.
    virtual char PathSeparator() const = 0;

    // ---- log evaluation -----------------------------------------------------


    // ---- deletion -----------------------------------------------------------

    // Where enabling or disabling the shutdown privilege stopped.
    enum class PrivilegeStep { Done, OpenTokenFailed, LookupFailed, AdjustFailed };

    // The user's own folder (home, profile).
    virtual std::string UserHomeFolder() = 0;
    // Every home folder the system knows of: the user's own and, where users
    // share a machine, everyone's (and the one of the user behind sudo).
    virtual std::vector<std::string> HomeFolders() { return {UserHomeFolder()}; }
    virtual PrivilegeStep SetShutdownPrivilege(bool enable) = 0;
    // Asks the system to restart (ExitWindowsEx flags); false when refused.
    virtual bool RequestRestart(std::uint32_t mode) = 0;


    // ---- scanner ------------------------------------------------------------

};

}  // namespace korvane
