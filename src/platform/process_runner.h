#pragma once
// Starting the outside updater and scanner.
#include <string>

namespace korvane {

class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;

    // Runs the program (a full path, no arguments) in the program's current
    // folder with a normal window and waits for it to end, without a time
    // limit; the program keeps handling its events meanwhile. False when it
    // could not be started.
    virtual bool RunAndWait(const std::string& program, int showState) = 0;

    // Starts program (a file name in workingFolder, or a full path) with the
    // parameter string, in workingFolder, without waiting. False when it could
    // not be started.
    virtual bool Launch(const std::string& program, const std::string& parameters,
                        const std::string& workingFolder) = 0;
};

}  // namespace korvane
