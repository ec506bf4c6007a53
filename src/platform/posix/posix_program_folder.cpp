// The folder the program keeps its own files in.
#include <unistd.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <filesystem>

#include "platform/posix/posix_security_system.h"

namespace korvane {

namespace {
std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}
}  // namespace

std::string ProgramFolderFor(const std::string& executableFolder, const std::string& dataFolder) {
    // An installed program usually lives in a folder only root may write to;
    // its report and backups then go to the user's data folder.
    if (!executableFolder.empty() && ::access(executableFolder.c_str(), W_OK) == 0)
        return WithSlash(executableFolder);
    std::error_code ignored;
    std::filesystem::create_directories(dataFolder, ignored);
    return WithSlash(dataFolder);
}

std::string PosixSecuritySystem::ProgramFolder() {
    return ProgramFolderFor(
        QCoreApplication::applicationDirPath().toLocal8Bit().toStdString(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toLocal8Bit().toStdString());
}

}  // namespace korvane
