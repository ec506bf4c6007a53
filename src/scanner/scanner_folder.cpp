#include "scanner/scanner_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/posix_security_system.h"
#endif

namespace korvane {

namespace {

std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    return path;
}

#ifndef _WIN32
// Writable by group or others, judged by the mode bits of what is there (a
// link is judged by its target, as a program start would follow it).
bool WritableByOthers(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}
#endif

}  // namespace

std::string PerUserDataFolder() {
#ifndef _WIN32
    // The same folder an installed program keeps its report and backups in.
    return WithoutTrailingSeparator(UserDataFolder());
#else
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("korvane")).toLocal8Bit().toStdString();
#endif
}

std::string ChooseScannerFolder(const std::string& driveRoot, const std::string& perUserFolder) {
#ifdef _WIN32
    (void)perUserFolder;
    return driveRoot + "bases_x";
#else
    const std::string root = WithoutTrailingSeparator(driveRoot);
    const std::string atRoot = (root == "/" ? root : root + "/") + "bases_x";
    if (::access(root.c_str(), W_OK) == 0 && !WritableByOthers(root) && !WritableByOthers(atRoot))
        return atRoot;
    return WithoutTrailingSeparator(perUserFolder) + "/bases_x";
#endif
}

bool IsSafeProgramFolder(const std::string& folder) {
#ifdef _WIN32
    (void)folder;
    return true;
#else
    const std::string path = WithoutTrailingSeparator(folder);
    return !WritableByOthers(path) && !WritableByOthers(ParentOf(path));
#endif
}

}  // namespace korvane
