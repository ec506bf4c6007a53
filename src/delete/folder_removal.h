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
    std::size_t mountPoints = 0;       // left out: another file system begins there
};

// Every file the mask accepts and every sub-folder, depth first: a
// sub-folder is listed before anything inside it, and its files come at the
// point where the search met it. Links (symbolic links, junctions) are
// listed like files and never followed, so a link to "/" or "C:\" cannot
// bring the whole system into the list. A mount point is neither listed nor
// searched; mountPoints counts them.
void CollectFolderContents(const DeletionContext& context, const std::string& folder, const std::string& mask,
                           FolderContents& contents);

enum class FolderQueueing {
    Empty,             // nothing queued
    Queued,            // the contents and the folder are on the restart list
    MountPointInside,  // another file system inside: nothing queued
    NotRecorded        // the folder itself did not go on the list
};

// Queues the collected files, then the sub-folders deepest first, then the
// folder itself. An empty folder queues nothing. notRecorded tells why the
// folder did not go on the list.
FolderQueueing QueueSurvivingFolder(const DeletionContext& context, const std::string& folder,
                                    const std::string& maskText, std::string* notRecorded = nullptr);

}  // namespace korvane
