#pragma once
// Starts the updater and the scanner the Windows way: CreateProcessA and a
// wait without time limit, ShellExecuteA for the scanner.
#include "platform/process_runner.h"

namespace korvane {

class Win32ProcessRunner : public ProcessRunner {
public:
    // program is the command line; the child inherits the current folder.
    bool RunAndWait(const std::string& program, int showState) override;
    bool Launch(const std::string& program, const std::string& parameters,
                const std::string& workingFolder) override;
};

}  // namespace korvane
