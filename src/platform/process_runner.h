#pragma once
// Starting the outside updater and scanner.
#include <chrono>
#include <string>
#include <vector>

namespace korvane {

struct ProcessOutcome {
    enum Kind { Finished, NotStarted, Crashed, TimedOut, Cancelled };
    Kind kind = Finished;
    int exitCode = 0;  // for Finished

    bool Succeeded() const { return kind == Finished && exitCode == 0; }
};

class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;

    // Runs the program (a full path, no arguments) in the program's current
    // folder with a normal window and waits for it to end, at most timeLimit;
    // the program keeps handling its events meanwhile. A program still running
    // at the limit, or when Cancel is called, is ended.
    virtual ProcessOutcome RunAndWait(const std::string& program, int showState,
                                      std::chrono::milliseconds timeLimit) = 0;

    // Starts program (a file name in workingFolder, or a full path) in
    // workingFolder without waiting for it to end. Systems that take one
    // command line use parameters; systems that take an argument list use
    // arguments (the same options, a folder kept as one argument). False when
    // it could not be started within timeLimit.
    virtual bool Launch(const std::string& program, const std::string& parameters,
                        const std::vector<std::string>& arguments, const std::string& workingFolder,
                        std::chrono::milliseconds timeLimit) = 0;

    // Ends the program RunAndWait waits for; called from an event handler.
    virtual void Cancel() {}
};

}  // namespace korvane
