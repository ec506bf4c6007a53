#pragma once
// Starts the updater and the scanner with QProcess. A Windows program that
// this system cannot run itself is handed to wine when wine is installed.
#include <QStringList>

#include "platform/process_runner.h"

namespace korvane {

class QtProcessRunner : public ProcessRunner {
public:
    bool RunAndWait(const std::string& program, int showState) override;
    bool Launch(const std::string& program, const std::string& parameters,
                const std::string& workingFolder) override;
};

// The program and arguments that start file with arguments on this system:
// the file itself when it can run here, else wine with the file; false when
// neither is possible.
bool ResolveProgramStart(const QString& file, const QStringList& arguments, QString& program,
                         QStringList& programArguments);

}  // namespace korvane
