#pragma once
// Restarting the computer: the request by system family, with the shutdown
// privilege enabled first on the NT family.
#include <cstdint>
#include <functional>
#include <string>

#include "delete/deletion_context.h"

namespace korvane {

inline constexpr std::uint32_t kEwxShutdown = 1;
inline constexpr std::uint32_t kEwxReboot = 2;
inline constexpr std::uint32_t kEwxForce = 4;
inline constexpr std::uint32_t kEwxPowerOff = 8;

// The messages of a failed restart; always German.
inline constexpr char kShutdownFailedMessage[] =
    "Das System kann aufgrund eines Fehlers nicht heruntergefahren werden.";  // S1
inline constexpr char kPrivilegeNotEnabledMessage[] =
    "Das Privileg zum Herunterfahren/Neustarten des Systems konnte nicht aktiviert werden.";  // S2
inline constexpr char kNoTokenMessage[] =
    "Das Handle für den Accesstoken des aktuellen Prozesses konnte nicht erlangt werden.";  // S3
inline constexpr char kNoLuidMessage[] =
    "Der aktuelle LUID für das SE_SHUTDOWN-Privileg konnte nicht ermittelt werden.";  // S4
inline constexpr char
    kPrivilegeNotChangedMessage
        [] = "Das Privileg zum Herunterfahren des Systems konnte aus unbekanntem Grund nicht modifiziert "
             "werden.";  // S5

class clsshutdown {
public:
    clsshutdown(SecuritySystem& system, UiServices& ui, std::string title)
        : system_(system), ui_(ui), title_(std::move(title)) {}

    bool ShutDownDOSbasedWindows(std::uint32_t ShutDownMode);
    bool ShutDownNTbasedWindows(std::uint32_t ShutDownMode);

private:
    bool SetShutdownPrivilege(bool enable);
    void Warn(const char* text);

    SecuritySystem& system_;
    UiServices& ui_;
    std::string title_;
};

// EWX_REBOOT, with EWX_FORCE from Windows 2000 on (codes above 5).
std::uint32_t ShutdownModeFor(std::int16_t osVersion);

// Asks for the restart by family (codes 1-4 older, 5 and above NT, others
// nothing), then closes the program whether or not the request succeeded.
void RestartSystem(const DeletionContext& context, const std::function<void()>& closeProgram);

}  // namespace korvane
