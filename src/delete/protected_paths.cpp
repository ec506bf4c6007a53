#include "delete/protected_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <filesystem>

#include "core/more_text.h"
#include "core/pending_operations.h"

namespace korvane {

std::string RefusalText(const AppState& state, Refusal refusal) {
    switch (refusal) {
        case Refusal::None:
            return {};
        case Refusal::ProtectedFolder:
            return More(MoreText::RefusedProtectedFolder, state.Language);
        case Refusal::MountPointInside:
            return More(MoreText::RefusedMountPointInside, state.Language);
        case Refusal::NotPlainPath:
            return More(MoreText::RefusedNotPlainPath, state.Language);
    }
    return {};
}

ProtectedFolders ProtectedFoldersOf(const DeletionContext& context) {
    ProtectedFolders guard;
    guard.separator = context.state.PathSeparator;
    guard.namesIgnoreCase = context.platform.files.NamesIgnoreCase();
    FilesShell& files = context.platform.files;
    // An installed program keeps its files in a data folder; the folder it
    // lies in (/usr/bin) stays protected all the same.
    const std::string executableFolder =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toLocal8Bit().toStdString();
    std::vector<std::string> folders{context.state.WindowsDir, context.state.SystemDir,
                                     context.state.ProgramFolder, executableFolder, context.state.DriveRoot};
    if (guard.separator == '/') {
        guard.systemLayout = true;
        for (const std::string& home : context.platform.system.HomeFolders()) folders.push_back(home);
        folders.push_back(context.BackupFolder());
        const std::string pending = PendingOperationsFile();
        const auto slash = pending.find_last_of('/');
        if (slash != std::string::npos && slash > 0) folders.push_back(pending.substr(0, slash));
    } else {
        folders.push_back(context.platform.system.UserHomeFolder());
    }
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        guard.folders.push_back(folder);
        // The same folder reached through links counts too.
        const std::string resolved = files.CanonicalPath(folder);
        if (!resolved.empty() && resolved != folder) guard.folders.push_back(resolved);
    }
    return guard;
}

std::string AgainstWorkingFolder(const std::string& path) {
    if (path.empty() || std::filesystem::path(path).is_absolute()) return path;
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    return ec ? path : (folder / path).string();
}

std::optional<std::string> RowPathToAct(const DeletionContext& context, const std::string& listed) {
    const char separator = context.state.PathSeparator;
    std::optional<std::string> path = PlainRowPath(listed, separator);
    if (path && separator == '/' && path->front() != '/') return std::nullopt;
    return path;
}

Refusal GuardRefusal(const DeletionContext& context, const ProtectedFolders& guard, const std::string& path) {
    // The system reads a path only up to a NUL byte: ".../victim\0.exe" would
    // name ".../victim", which nobody asked to delete.
    if (path.find('\0') != std::string::npos) return Refusal::NotPlainPath;
    FilesShell& files = context.platform.files;
    const std::string resolved = files.CanonicalPath(path);
    // What is not there yet may be a folder when the restart comes.
    ProtectedFolders scope = guard;
    scope.systemLayout = guard.systemLayout && (!files.FileExists(path) || files.IsDirectory(resolved));
    if (IsProtectedPath(resolved, scope)) return Refusal::ProtectedFolder;
    if (files.IsFileSystemRoot(path)) return Refusal::ProtectedFolder;
    // A path that is not absolute: judge it where the system would find it.
    const bool absolute =
        !path.empty() && (path[0] == guard.separator || (path.size() > 1 && path[1] == ':'));
    return absolute && IsProtectedPath(path, scope) ? Refusal::ProtectedFolder : Refusal::None;
}

}  // namespace korvane
