#pragma once
// The command line handed to the scanner, built from the window's option boxes.
#include <string>
#include <vector>

namespace korvane {

// What the scanner gets when no option box is ticked.
inline constexpr const char* kDefaultScannerOptions =
    " /DRIVE /MEM /REG /STARTUP /SYSFOLDER /SER /SNOC /WaitToExit";

// Switch of option box i (1..9): "/MEM" .. "/WaitToExit".
const char* ScannerSwitch(int box);

struct ScannerOptionInput {
    bool checked[10] = {};   // checked[1] .. checked[9]
    std::string scanFolder;  // as chosen, long form; empty when none was chosen
    bool scanFolderExists = false;
    std::string scanFolderShort;  // the folder's short form
};

// The option string: each ticked box's switch after a blank, "/SubFolders" only
// after a folder switch, "/DRIVE" in place of a folder that is missing, and
// " /SNOC" last; the default when nothing is ticked.
std::string BuildScannerOptions(const ScannerOptionInput& input);

// The same options as separate arguments, for systems that start programs
// with an argument list: the folder switch and its folder stay one argument,
// whatever blanks or switch-like text the folder's name holds.
std::vector<std::string> BuildScannerArguments(const ScannerOptionInput& input);

// Splits an option string into the scanner's arguments. A blank starts a new
// argument only before a switch, so a folder whose name holds blanks stays
// one argument.
std::vector<std::string> SplitScannerOptions(const std::string& options);

}  // namespace korvane
