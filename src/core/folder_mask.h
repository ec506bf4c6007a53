#pragma once
// The file mask that limits which files of a surviving folder are queued.
#include <string>
#include <string_view>

namespace korvane {

// Mask from the text of the mask field: upper-cased and trimmed; a leading
// "*" is replaced by what follows the first "." ("*.*" gives "*", "*.exe"
// gives "EXE"); without a "." the text stays ("*exe" gives "*EXE").
std::string FolderMaskFromText(std::string_view text);

// "*" accepts every name; any other mask must equal the end of the
// upper-cased name (so "EXE" accepts TOOL.EXE and TOOLEXE, "" accepts all).
bool FolderMaskAccepts(std::string_view mask, std::string_view name);

}  // namespace korvane
