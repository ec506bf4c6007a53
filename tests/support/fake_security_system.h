#pragma once
// A system whose answers the test sets: family, rights, locale and folders.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/security_system.h"

namespace korvane::testing {

class FakeSecuritySystem : public SecuritySystem {
public:
    std::string localeName;
    std::int16_t osVersion = 9;
    bool admin = true;
    int adminQueries = 0;
    std::string windowsFolder;
    std::string systemFolder;
    std::string tempFolder = "/tmp/";
    std::string cacheFolder;
    std::string programFolder = "/tmp/";
    std::string driveRoot = "/";

    std::string GetLocaleString(int type) override {
        return type == kLocaleNativeLanguageName ? localeName : std::string{};
    }
    std::int16_t GetOsVersion() override { return osVersion; }
    bool IsUserAdmin() override {
        ++adminQueries;
        return admin;
    }
    std::string GetSystemFolder(const std::string& name) override {
        if (name == "win") return windowsFolder;
        if (name == "system") return systemFolder;
        if (name == "temp") return tempFolder;
        return {};
    }
    std::string GetSpecialFolder(int folder) override {
        return folder == kSpecialFolderInternetCache ? cacheFolder : std::string{};
    }
    std::string ProgramFolder() override { return programFolder; }
    std::string DriveRoot() override { return driveRoot; }
    char PathSeparator() const override { return '/'; }

    // ---- deletion: home folder, shutdown privilege and restart requests ----
    std::string homeFolder = "/nonexistent-home-for-tests";
    PrivilegeStep enablePrivilege = PrivilegeStep::Done;
    PrivilegeStep disablePrivilege = PrivilegeStep::Done;
    bool restartAccepted = true;
    std::vector<bool> privilegeCalls;           // the enable argument of each call
    std::vector<std::uint32_t> restartRequests; // the modes asked for; nothing restarts

    std::vector<std::string> otherHomes;  // the rest of the user database

    std::string UserHomeFolder() override { return homeFolder; }
    std::vector<std::string> HomeFolders() override {
        std::vector<std::string> homes{homeFolder};
        homes.insert(homes.end(), otherHomes.begin(), otherHomes.end());
        return homes;
    }
    PrivilegeStep SetShutdownPrivilege(bool enable) override {
        privilegeCalls.push_back(enable);
        return enable ? enablePrivilege : disablePrivilege;
    }
    bool RequestRestart(std::uint32_t mode) override {
        restartRequests.push_back(mode);
        return restartAccepted;
    }
};

}  // namespace korvane::testing
