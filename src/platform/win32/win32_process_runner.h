#pragma once
// Starts the updater and the scanner the Windows way: CreateProcessA and a
// wait with a time limit, ShellExecuteA for the scanner.
#include <atomic>

#include "platform/process_runner.h"

namespace korvane {

class Win32ProcessRunner : public ProcessRunner {
public:
    // program is the command line; the child inherits the current folder.
    ProcessOutcome RunAndWait(const std::string& program, int showState,
                              std::chrono::milliseconds timeLimit) override;
    bool Launch(const std::string& program, const std::string& parameters,
                const std::vector<std::string>& arguments, const std::string& workingFolder,
                std::chrono::milliseconds timeLimit) override;
    void Cancel() override { cancelled_ = true; }

private:
    std::atomic<bool> cancelled_{false};
};

}  // namespace korvane
