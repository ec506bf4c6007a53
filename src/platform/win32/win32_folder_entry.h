#pragma once
// How a directory search result becomes a folder entry: a reparse point
// (junction, symbolic link, mount point) is a link, never a folder, so no
// search descends through it.
#include <cstdint>
#include <string>

#include "platform/files_shell.h"

namespace korvane {

// name: the search result's name buffer, read up to its first NUL.
FilesShell::FolderEntry FolderEntryFromSearch(const char* name, std::size_t capacity,
                                              std::uint32_t attributes);

}  // namespace korvane
