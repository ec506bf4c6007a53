#include "delete/protected_paths.h"

#include <QCoreApplication>
#include <QDir>

namespace korvane {

ProtectedFolders ProtectedFoldersOf(const DeletionContext& context) {
    ProtectedFolders guard;
    guard.separator = context.state.PathSeparator;
    guard.namesIgnoreCase = context.platform.files.NamesIgnoreCase();
    FilesShell& files = context.platform.files;
    // An installed program keeps its files in a data folder; the folder it
    // lies in (/usr/bin) stays protected all the same.
    const std::string executableFolder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toLocal8Bit().toStdString();
    for (const std::string& folder :
         {context.state.WindowsDir, context.state.SystemDir, context.platform.system.UserHomeFolder(),
          context.state.ProgramFolder, executableFolder, context.state.DriveRoot}) {
        if (folder.empty()) continue;
        guard.folders.push_back(folder);
        // The same folder reached through links counts too.
        const std::string resolved = files.CanonicalPath(folder);
        if (!resolved.empty() && resolved != folder) guard.folders.push_back(resolved);
    }
    return guard;
}

bool IsGuardedPath(const DeletionContext& context, const ProtectedFolders& guard, const std::string& path) {
    // The system reads a path only up to a NUL byte: ".../victim\0.exe" would
    // name ".../victim", which nobody asked to delete.
    if (path.find('\0') != std::string::npos) return true;
    FilesShell& files = context.platform.files;
    if (IsProtectedPath(files.CanonicalPath(path), guard)) return true;
    if (files.IsFileSystemRoot(path)) return true;
    // A path that is not absolute: judge it where the system would find it.
    return IsProtectedPath(path, guard) && !path.empty() &&
           (path[0] == guard.separator || (path.size() > 1 && path[1] == ':'));
}

}  // namespace korvane
