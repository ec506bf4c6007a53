#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <cstdlib>

#include "core/os_version.h"
#include "platform/platform.h"
#include "platform/posix/posix_files_shell.h"
#include "platform/posix/posix_folder_at.h"
#include "platform/posix/posix_security_system.h"

namespace korvane {

namespace {

std::string WithTrailingSlash(std::string path) {
    if (path.empty() || path.back() != '/') path.push_back('/');
    return path;
}

// The locale the C library would use for messages: LC_ALL, LC_MESSAGES, LANG.
std::string UserLocaleName() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

}  // namespace

std::string NativeLanguageNameOfLocale(const std::string& localeName) {
    std::string name = localeName;
    // Strip the codeset and modifier: "de_AT.UTF-8@euro" -> "de_AT".
    const auto cut = name.find_first_of(".@");
    if (cut != std::string::npos) name.resize(cut);
    if (name.empty() || name == "C" || name == "POSIX") return {};
    const QLocale regional(QString::fromStdString(name));
    if (regional.language() == QLocale::C) return {};
    // The language's own locale, not the regional variant: de_AT would
    // otherwise say "Österreichisches Deutsch".
    const QLocale language(regional.language());
    return language.nativeLanguageName().toStdString();
}

std::string MountPointOf(const std::string& path) {
    std::string current = QDir(QString::fromLocal8Bit(path.c_str())).absolutePath().toLocal8Bit().toStdString();
    struct stat info {};
    if (::stat(current.c_str(), &info) != 0) return "/";
    const dev_t device = info.st_dev;
    while (current != "/") {
        const auto slash = current.find_last_of('/');
        const std::string parent = slash == 0 ? "/" : current.substr(0, slash);
        struct stat parentInfo {};
        if (::stat(parent.c_str(), &parentInfo) != 0 || parentInfo.st_dev != device) break;
        current = parent;
    }
    return WithTrailingSlash(current);
}

std::string PosixSecuritySystem::GetLocaleString(int localeInfoType) {
    if (localeInfoType != kLocaleNativeLanguageName) return {};
    return NativeLanguageNameOfLocale(UserLocaleName());
}

std::int16_t PosixSecuritySystem::GetOsVersion() { return kOsLaterNt; }

bool PosixSecuritySystem::IsUserAdmin() { return ::geteuid() == 0; }

std::string PosixSecuritySystem::GetSystemFolder(const std::string& name) {
    if (name == "temp") return WithTrailingSlash(QDir::tempPath().toLocal8Bit().toStdString());
    // There is no Windows or system folder here.
    return {};
}

std::string PosixSecuritySystem::GetSpecialFolder(int specialFolder) {
    if (specialFolder != kSpecialFolderInternetCache) return {};
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toLocal8Bit().toStdString();
}

// ProgramFolder() is in posix_program_folder.cpp. The scanner's folder lies on
// the file system of the executable itself, wherever the program keeps its files.
std::string PosixSecuritySystem::DriveRoot() {
    return MountPointOf(WithTrailingSlash(QCoreApplication::applicationDirPath().toLocal8Bit().toStdString()));
}

bool PosixFilesShell::FileExists(const std::string& path) {
    struct stat info {};
    return LinkStatusAt(path, info) == 0;  // any length; a link as itself
}

std::unique_ptr<SecuritySystem> MakeNativeSecuritySystem() {
    return std::make_unique<PosixSecuritySystem>();
}
std::unique_ptr<FilesShell> MakeNativeFilesShell() { return std::make_unique<PosixFilesShell>(); }

}  // namespace korvane
