#pragma once
#include <string>

namespace korvane {

// One row of the result list. Key is "Line" + entry index; Status is one of
// the texts of rows 21, 22, 23 and 29 in the current language.
struct ResultRow {
    std::string Key;
    std::string Status;
    std::string Path;
    std::string Name;
    bool Checked = false;

    bool operator==(const ResultRow&) const = default;
};

}  // namespace korvane
