#pragma once
// Starts the updater and the scanner with QProcess. A Windows program that
// this system cannot run itself is handed to wine when wine is installed.
#include <QStringList>
#include <functional>

#include "platform/process_runner.h"

namespace korvane {

class QtProcessRunner : public ProcessRunner {
public:
    ProcessOutcome RunAndWait(const std::string& program, int showState,
                              std::chrono::milliseconds timeLimit) override;
    bool Launch(const std::string& program, const std::string& parameters,
                const std::vector<std::string>& arguments, const std::string& workingFolder,
                std::chrono::milliseconds timeLimit) override;
    void Cancel() override;

private:
    std::function<void()> cancel_;  // set while RunAndWait waits
};

// The program and arguments that start file with arguments on this system:
// the file itself when it can run here, else wine with the file; false when
// neither is possible.
bool ResolveProgramStart(const QString& file, const QStringList& arguments, QString& program,
                         QStringList& programArguments);

}  // namespace korvane
