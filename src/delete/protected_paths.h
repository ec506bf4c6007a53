#pragma once
// The guard that keeps roots, the system's layout and the system's, the
// users' and the program's own folders out of every deletion.
#include <string>

#include "core/deletion_guard.h"
#include "delete/deletion_context.h"

namespace korvane {

// Why a row's object is left alone. A refusal is only that: nothing is
// removed, nothing is left for the restart.
enum class Refusal {
    None,
    ProtectedFolder,   // a root, a folder of the system or a user, or one above them
    MountPointInside,  // another file system is mounted inside the folder
    NotPlainPath       // ".", ".." or empty components, a NUL byte, not absolute
};

// The reason as the user reads it, in the current language.
std::string RefusalText(const AppState& state, Refusal refusal);

ProtectedFolders ProtectedFoldersOf(const DeletionContext& context);

// The path the run acts on for a row's text: see PlainRowPath; where the
// separator is "/" it must also be absolute, since a relative path would be
// looked up wherever the program happens to run (at boot: in "/").
std::optional<std::string> RowPathToAct(const DeletionContext& context, const std::string& listed);

// A relative path names a file in the folder the program was started in (a
// typed "tool.exe", a "--add sub/tool.exe"); an absolute one stays as it is.
std::string AgainstWorkingFolder(const std::string& path);

// ProtectedFolder when the path, as written or with its links resolved, is a
// root or a protected folder or contains one; where the system's layout is
// guarded, also a folder of it (a file there stays deletable: malware lives
// in /usr/bin too). NotPlainPath for a path holding a NUL byte, which the
// system would read cut short.
Refusal GuardRefusal(const DeletionContext& context, const ProtectedFolders& guard, const std::string& path);

inline bool IsGuardedPath(const DeletionContext& context, const ProtectedFolders& guard,
                          const std::string& path) {
    return GuardRefusal(context, guard, path) != Refusal::None;
}

}  // namespace korvane
