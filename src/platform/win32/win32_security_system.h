#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/security_system.h"

namespace korvane {

class Win32SecuritySystem : public SecuritySystem {
public:
    // ---- environment probes -------------------------------------------------
    std::string GetLocaleString(int localeInfoType) override;
    std::int16_t GetOsVersion() override;
    bool IsUserAdmin() override;
    std::string GetSystemFolder(const std::string& name) override;
    std::string GetSpecialFolder(int specialFolder) override;
    std::string ProgramFolder() override;
    std::string DriveRoot() override;
    char PathSeparator() const override { return '\\'; }

    // ---- log evaluation -----------------------------------------------------


    // ---- deletion -----------------------------------------------------------
    std::string UserHomeFolder() override;
    PrivilegeStep SetShutdownPrivilege(bool enable) override;
    // ExitWindowsEx (mode, 0), or the call put in for tests.
    bool RequestRestart(std::uint32_t mode) override;
    // Tests put a call here that only records the request, so nothing restarts.
    void SetRestartCall(std::function<bool(std::uint32_t mode)> call) { restartCall_ = std::move(call); }

private:
    std::function<bool(std::uint32_t)> restartCall_;

public:


    // ---- scanner ------------------------------------------------------------

};

// One entry of a token's group table, as far as the administrator test reads it.
struct TokenGroup {
    bool isAdministrators = false;
    bool enabled = false;
    bool denyOnly = false;
};

// Whether a token's groups make the user an administrator. Before the later NT
// family any Administrators entry counts, deny-only included. With user account
// control (code 9) a normal token of an administrator holds the group deny-only,
// and delayed deletions would then fail silently: only an enabled entry counts.
bool GroupsMakeAdministrator(const std::vector<TokenGroup>& groups, std::int16_t osVersion);

}  // namespace korvane
