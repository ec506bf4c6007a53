#pragma once
// A folder that survived its removal: everything in it, then the folder
// itself, is left for the restart.
#include <string>
#include <vector>

#include "delete/deletion_context.h"

namespace korvane {

struct FolderContents {
    std::vector<std::string> files;    // full paths, in search order
    std::vector<std::string> folders;  // full paths without a trailing separator
};

// Every file the mask accepts and every sub-folder, depth first: a
// sub-folder is listed before anything inside it, and its files come at the
// point where the search met it. Links (symbolic links, junctions) are
// listed like files and never followed, so a link to "/" or "C:\" cannot
// bring the whole system into the list.
void CollectFolderContents(const DeletionContext& context, const std::string& folder, const std::string& mask,
                           FolderContents& contents);

// Queues the collected files, the sub-folders and the folder itself, in this
// order. An empty folder queues nothing; returns whether anything was queued.
bool QueueSurvivingFolder(const DeletionContext& context, const std::string& folder,
                          const std::string& maskText);

}  // namespace korvane
