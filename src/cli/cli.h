#pragma once
// The command-line front: the same functions the windows call, no window.

namespace korvane {

// True when the arguments name a command of the command line (or --help,
// --version) rather than the windowed program.
bool IsCommandLineCall(int argc, char** argv);
int RunCommandLine(int argc, char** argv);

}  // namespace korvane
