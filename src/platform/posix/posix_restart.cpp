// Restarting a POSIX system and the user's folders.
#include <pwd.h>
#include <unistd.h>

#include <QProcess>
#include <QStringList>
#include <cstdlib>

#include "platform/posix/posix_security_system.h"

namespace korvane {

std::string PosixSecuritySystem::UserHomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    const passwd* user = ::getpwuid(::geteuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : std::string{};
}

std::vector<std::string> PosixSecuritySystem::HomeFolders() {
    std::vector<std::string> homes{UserHomeFolder()};
    ::setpwent();
    while (const passwd* user = ::getpwent()) {
        if (user->pw_dir != nullptr && *user->pw_dir != '\0') homes.emplace_back(user->pw_dir);
    }
    ::endpwent();
    // Under sudo, $HOME may already be root's; the person's own home is this one.
    const char* sudoUser = std::getenv("SUDO_USER");
    if (sudoUser != nullptr && *sudoUser != '\0') {
        if (const passwd* user = ::getpwnam(sudoUser); user != nullptr && user->pw_dir != nullptr)
            homes.emplace_back(user->pw_dir);
    }
    return homes;
}

SecuritySystem::PrivilegeStep PosixSecuritySystem::SetShutdownPrivilege(bool) {
    // The nearest thing to the access token: only root may restart.
    return ::geteuid() == 0 ? PrivilegeStep::Done : PrivilegeStep::OpenTokenFailed;
}

bool PosixSecuritySystem::RequestRestart(std::uint32_t) {
    const std::string program = "systemctl";
    const std::vector<std::string> arguments = {"reboot"};
    if (launcher_) return launcher_(program, arguments);
    QStringList qtArguments;
    for (const std::string& argument : arguments) qtArguments << QString::fromLocal8Bit(argument.c_str());
    return QProcess::startDetached(QString::fromLocal8Bit(program.c_str()), qtArguments);
}

}  // namespace korvane
