#pragma once
// What the delete run acts on for a row. The list and the report keep the
// log's text; on a system where a drive path ("Z:\home\anna\x.exe") is not a
// real path, it stands for the file the Wine prefix maps it to.
#include <string>

#include "core/app_state.h"
#include "platform/wine_prefix.h"

namespace korvane {

struct RowTarget {
    std::string path;     // the file or folder to act on
    std::string problem;  // UI text (UTF-8) when the row names nothing here; path is then empty
};

class RowTargets {
public:
    // Reads the Wine prefix once, where drive paths need it.
    RowTargets();
    explicit RowTargets(WinePrefix prefix, bool mapDrivePaths = true);

    RowTarget Of(const std::string& rowPath, UiLanguage language) const;

private:
    WinePrefix prefix_;
    bool mapDrivePaths_ = true;
};

}  // namespace korvane
