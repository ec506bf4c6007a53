#pragma once
// Where the scanner goes, and whether a folder is safe to run programs from.
#include <string>

namespace korvane {

// bases_x at driveRoot when this user may write there and nobody else may;
// else bases_x in perUserFolder. Without a trailing separator; nothing is
// created here. On Windows always the drive root.
std::string ChooseScannerFolder(const std::string& driveRoot, const std::string& perUserFolder);

// The per-user data folder of the program: ~/.local/share/korvane, for root
// /var/lib/korvane.
std::string PerUserDataFolder();

// False when another user could put a program into folder: the folder or
// its parent is writable by group or others. A folder that does not exist
// yet is judged by its parent.
bool IsSafeProgramFolder(const std::string& folder);

}  // namespace korvane
