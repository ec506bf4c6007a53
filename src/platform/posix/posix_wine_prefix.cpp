#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/wine_prefix.h"

namespace korvane {

bool DrivePathsNeedMapping() {
    return true;
}

WinePrefix ReadWinePrefix() {
    WinePrefix prefix;
    std::string folder;
    if (const char* variable = std::getenv("WINEPREFIX"); variable != nullptr && *variable != '\0') {
        folder = variable;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        folder = std::string(home) + "/.wine";
    } else {
        return prefix;
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    prefix.dosdevices = folder + "/dosdevices";

    std::error_code error;
    for (const std::filesystem::directory_entry& entry :
         std::filesystem::directory_iterator(prefix.dosdevices, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != 2 || name[1] != ':' || !std::isalpha(static_cast<unsigned char>(name[0])))
            continue;
        std::error_code linkError;
        if (!entry.is_symlink(linkError)) continue;
        // A relative link ("../drive_c") counts from dosdevices/; a link
        // whose target is gone names no drive.
        const std::filesystem::path target = std::filesystem::canonical(entry.path(), linkError);
        if (linkError || !std::filesystem::is_directory(target, linkError)) continue;
        prefix.drives.push_back({name[0], target.string()});
    }
    return prefix;
}

std::string FindNameIgnoringCase(const std::string& folder, const std::string& name) {
    struct stat info {};
    const std::string exact = (folder == "/" ? folder : folder + "/") + name;
    if (::lstat(exact.c_str(), &info) == 0) return name;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
    if (!listing) return {};
    while (const dirent* entry = ::readdir(listing.get())) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) return entry->d_name;
    }
    return {};
}

}  // namespace korvane
