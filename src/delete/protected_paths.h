#pragma once
// The guard that keeps roots and the system's, the user's and the program's
// own folders out of every deletion.
#include <string>

#include "core/deletion_guard.h"
#include "delete/deletion_context.h"

namespace korvane {

ProtectedFolders ProtectedFoldersOf(const DeletionContext& context);

// True when the path, as written or with its links resolved, is a root or a
// protected folder or contains one, and for a path holding a NUL byte, which
// the system would read cut short.
bool IsGuardedPath(const DeletionContext& context, const ProtectedFolders& guard, const std::string& path);

}  // namespace korvane
