#include "delete/folder_removal.h"

#include "core/folder_mask.h"
#include "core/reboot_delete_list.h"
#include "core/text_util.h"
#include "delete/file_removal.h"

namespace korvane {

void CollectFolderContents(const DeletionContext& context, const std::string& folder, const std::string& mask,
                           FolderContents& contents) {
    const char separator = context.state.PathSeparator;
    // The folders being searched, outermost first, each with its entries and
    // the next one to look at: a stack on the heap, so a tree thousands of
    // levels deep cannot overflow the call stack.
    struct OpenFolder {
        std::string prefix;
        std::vector<FilesShell::FolderEntry> entries;
        std::size_t next = 0;
    };
    std::vector<OpenFolder> open;
    const auto enter = [&](const std::string& path) {
        context.ProcessEvents();
        OpenFolder searched;
        searched.prefix = !path.empty() && path.back() == separator ? path : path + separator;
        // A folder that cannot be listed contributes nothing.
        if (context.platform.files.ListFolder(searched.prefix, searched.entries)) searched.entries.clear();
        open.push_back(std::move(searched));
    };
    enter(folder);
    while (!open.empty()) {
        OpenFolder& current = open.back();
        if (current.next == current.entries.size()) {
            open.pop_back();
            continue;
        }
        const FilesShell::FolderEntry& entry = current.entries[current.next++];
        std::string path = current.prefix + entry.name;
        if (entry.isMountPoint) {
            ++contents.mountPoints;
        } else if (entry.isFolder && !entry.isLink) {
            contents.folders.push_back(path);
            enter(path);  // may move current: not used after this
        } else if (FolderMaskAccepts(mask, entry.name)) {
            contents.files.push_back(std::move(path));
        }
    }
    context.platform.files.EndOfListing();
}

FolderQueueing QueueSurvivingFolder(const DeletionContext& context, const std::string& folder,
                                    const std::string& maskText, std::string* notRecorded) {
    if (context.platform.files.IsFolderEmpty(folder)) return FolderQueueing::Empty;
    FolderContents contents;
    CollectFolderContents(context, folder, FolderMaskFromText(maskText), contents);
    // A restart must not empty a file system that is only mounted here.
    if (contents.mountPoints > 0) return FolderQueueing::MountPointInside;
    std::vector<std::string> queued;
    for (std::string& path : RestartOrder(std::move(contents.files), std::move(contents.folders), {},
                                          context.state.PathSeparator)) {
        if (TrimBlanks(path).size() >= 4) queued.push_back(std::move(path));
    }
    // One message for all that did not fit, not one for each path.
    if (AddRebootDeletes(context.state.RebootDeleteList, queued, context.platform.files.NamesIgnoreCase()) >
        0) {
        ReportRebootListFull(context);
    }
    context.ProcessEvents();
    const std::string why = AddRebootDelete(context, folder);
    if (why.empty()) return FolderQueueing::Queued;
    if (notRecorded != nullptr) *notRecorded = why;
    return FolderQueueing::NotRecorded;
}

}  // namespace korvane
