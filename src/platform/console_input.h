#pragma once
// Reading a secret from the terminal.
#include <istream>
#include <string>

namespace korvane {

// Reads one line from in without showing what is typed when in is the
// terminal; false at the end of input. The line ends are not part of line.
bool ReadLineWithoutEcho(std::istream& in, std::string& line);

}  // namespace korvane
