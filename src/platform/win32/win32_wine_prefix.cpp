// On Windows a drive path in a log already names the file.
#include "platform/wine_prefix.h"

namespace korvane {

bool DrivePathsNeedMapping() {
    return false;
}

WinePrefix ReadWinePrefix() {
    return {};
}

std::string FindNameIgnoringCase(const std::string&, const std::string& name) {
    return name;
}

}  // namespace korvane
