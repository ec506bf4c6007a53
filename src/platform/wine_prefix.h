#pragma once
// On Linux the scanner runs under Wine, and its log names Windows drive
// paths. The Wine prefix's dosdevices/ links say which folder each drive
// letter stands for.
#include <string>
#include <vector>

#include "core/wine_drive_path.h"

namespace korvane {

struct WinePrefix {
    std::string dosdevices;  // the folder the drives were read from
    std::vector<WineDrive> drives;
};

// Whether a drive path in a log needs mapping before it names a file here
// (false on Windows, where it already does).
bool DrivePathsNeedMapping();

// The prefix in $WINEPREFIX, else ~/.wine: every link "X:" in its
// dosdevices/ folder with the folder it points at, resolved to an absolute
// path. No drives where there is no prefix (or on Windows).
WinePrefix ReadWinePrefix();

// Wine's own way of finding a name on a case-sensitive file system: the
// exact name when it exists in folder, else an entry that matches ignoring
// case; empty when there is none.
std::string FindNameIgnoringCase(const std::string& folder, const std::string& name);

}  // namespace korvane
