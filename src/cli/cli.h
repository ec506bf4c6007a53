#pragma once
// The command-line front: the same functions the windows call, no window.

namespace korvane {

// True when the arguments name a command of the command line (or --help,
// --version) rather than the windowed program.
bool IsCommandLineCall(int argc, char** argv);
int RunCommandLine(int argc, char** argv);

// Before the window starts: a first word that is neither a command nor an
// existing file, or (on Linux) no display to show the window on, is told in
// one line on standard error. Returns the exit status then (2 for the word,
// 1 for the display), 0 when the window may start.
int RefuseWindowStart(int argc, char** argv);

}  // namespace korvane
