#include "scanner/qt_process_runner.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "core/scanner_options.h"

namespace korvane {

namespace {

// A Windows program starts with "MZ"; this system cannot run it itself.
bool IsWindowsProgram(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.read(2) == "MZ";
}

}  // namespace

bool ResolveProgramStart(const QString& file, const QStringList& arguments, QString& program,
                         QStringList& programArguments) {
    const QFileInfo info(file);
    if (!info.isFile()) return false;
    if (info.isExecutable() && !IsWindowsProgram(file)) {
        program = info.absoluteFilePath();
        programArguments = arguments;
        return true;
    }
    const QString suffix = info.suffix().toLower();
    if (suffix != QLatin1String("exe") && suffix != QLatin1String("com")) return false;
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (wine.isEmpty()) return false;
    program = wine;
    programArguments = QStringList{info.absoluteFilePath()} + arguments;
    return true;
}

bool QtProcessRunner::RunAndWait(const std::string& program, int) {
    QString executable;
    QStringList arguments;
    if (!ResolveProgramStart(QString::fromLocal8Bit(program.c_str()), {}, executable, arguments))
        return false;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.setProgram(executable);
    process.setArguments(arguments);
    process.setWorkingDirectory(QDir::currentPath());

    // No time limit: the updater takes as long as it takes. The loop keeps the
    // window painting; its controls are disabled meanwhile.
    QEventLoop loop;
    bool started = true;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            started = false;
            loop.quit();
        }
    });
    process.start();
    if (started && process.state() != QProcess::NotRunning) loop.exec(QEventLoop::ExcludeUserInputEvents);
    return started;
}

bool QtProcessRunner::Launch(const std::string& program, const std::string& parameters,
                             const std::string& workingFolder) {
    const QString folder = QString::fromLocal8Bit(workingFolder.c_str());
    QString file = QString::fromLocal8Bit(program.c_str());
    if (QFileInfo(file).isRelative()) file = QDir(folder).filePath(file);
    QStringList arguments;
    for (const std::string& argument : SplitScannerOptions(parameters)) {
        arguments << QString::fromLocal8Bit(argument.c_str());
    }
    QString executable;
    QStringList programArguments;
    if (!ResolveProgramStart(file, arguments, executable, programArguments)) return false;
    QProcess process;
    process.setProgram(executable);
    process.setArguments(programArguments);
    process.setWorkingDirectory(folder);
    return process.startDetached();
}

}  // namespace korvane
