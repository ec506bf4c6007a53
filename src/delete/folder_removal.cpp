#include "delete/folder_removal.h"

#include "core/folder_mask.h"
#include "core/text_util.h"
#include "delete/file_removal.h"

namespace korvane {

void CollectFolderContents(const DeletionContext& context, const std::string& folder, const std::string& mask,
                           FolderContents& contents) {
    context.ProcessEvents();
    const char separator = context.state.PathSeparator;
    const std::string prefix = !folder.empty() && folder.back() == separator ? folder : folder + separator;
    std::vector<FilesShell::FolderEntry> entries;
    if (context.platform.files.ListFolder(prefix, entries)) return;
    for (const FilesShell::FolderEntry& entry : entries) {
        if (entry.isFolder && !entry.isLink) {
            contents.folders.push_back(prefix + entry.name);
            CollectFolderContents(context, prefix + entry.name, mask, contents);
        } else if (FolderMaskAccepts(mask, entry.name)) {
            contents.files.push_back(prefix + entry.name);
        }
    }
}

bool QueueSurvivingFolder(const DeletionContext& context, const std::string& folder,
                          const std::string& maskText) {
    if (context.platform.files.IsFolderEmpty(folder)) return false;
    FolderContents contents;
    CollectFolderContents(context, folder, FolderMaskFromText(maskText), contents);
    for (const auto* list : {&contents.files, &contents.folders}) {
        for (const std::string& path : *list) {
            if (TrimBlanks(path).size() >= 4) AddRebootDelete(context, path);
        }
    }
    context.ProcessEvents();
    AddRebootDelete(context, folder);
    return true;
}

}  // namespace korvane
