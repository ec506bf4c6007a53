#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/security_system.h"

namespace korvane {

// What a Linux system answers. It behaves like the later NT family: delayed
// operations are recorded by the system's own pending-operations list.
class PosixSecuritySystem : public SecuritySystem {
public:
    // ---- environment probes -------------------------------------------------
    std::string GetLocaleString(int localeInfoType) override;
    std::int16_t GetOsVersion() override;
    bool IsUserAdmin() override;
    std::string GetSystemFolder(const std::string& name) override;
    std::string GetSpecialFolder(int specialFolder) override;
    std::string ProgramFolder() override;
    std::string DriveRoot() override;
    char PathSeparator() const override { return '/'; }

    // ---- log evaluation -----------------------------------------------------


    // ---- deletion -----------------------------------------------------------
    // Starts a program without waiting for it; true when it could be started.
    using ProcessLauncher = std::function<bool(const std::string& program, const std::vector<std::string>& arguments)>;

    std::string UserHomeFolder() override;
    // $HOME, every home in the user database and the home of $SUDO_USER.
    std::vector<std::string> HomeFolders() override;
    // Only root may restart the system.
    PrivilegeStep SetShutdownPrivilege(bool enable) override;
    // Runs "systemctl reboot" through the launcher.
    bool RequestRestart(std::uint32_t mode) override;
    // Tests put a launcher here that only records the request.
    void SetProcessLauncher(ProcessLauncher launcher) { launcher_ = std::move(launcher); }

private:
    ProcessLauncher launcher_;

public:


    // ---- scanner ------------------------------------------------------------

};

// Native name of the language of a locale name such as "de_AT.UTF-8"; empty
// for "C" and "POSIX".
std::string NativeLanguageNameOfLocale(const std::string& localeName);

// What decides the program's own folder (for escan_Result.txt, the backup
// folder and the scanner archive).
struct ProgramFolderFacts {
    std::string executableFolder;  // where the running program lies
    std::string installBinFolder;  // the bin folder of the prefix it was built for
    bool besideBuildCache = false;  // CMakeCache.txt lies beside the program
    bool executableFolderWritable = false;
    std::string dataFolder;  // the per-user data folder (UserDataFolder())
};

// True when the program runs as an installed program: from the bin folder of
// its install prefix, a system bin folder or somewhere under /opt, and not
// from a build folder.
bool RunsFromInstalledLocation(const ProgramFolderFacts& facts);

// An installed program keeps its files in the data folder, never beside
// itself; a build or a copy elsewhere keeps them in its own folder when it may
// write there. With a trailing '/'.
std::string ChooseProgramFolder(const ProgramFolderFacts& facts);

// The per-user data folder: /var/lib/korvane/ for root, else the application
// data location (~/.local/share/korvane/). With a trailing '/'.
std::string DataFolderFor(bool isRoot, const std::string& appDataLocation);
std::string UserDataFolder();

// ChooseProgramFolder() for the running program; creates the data folder
// (mode 0700) when it is the one chosen.
std::string ProgramFolderFor(const std::string& executableFolder, const std::string& dataFolder);

// Mount point of the file system that holds path: walk up while the device
// id stays the same. With a trailing '/'.
std::string MountPointOf(const std::string& path);

}  // namespace korvane
