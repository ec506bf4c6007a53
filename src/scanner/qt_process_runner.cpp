#include "scanner/qt_process_runner.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

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

ProcessOutcome QtProcessRunner::RunAndWait(const std::string& program, int,
                                           std::chrono::milliseconds timeLimit) {
    QString executable;
    QStringList arguments;
    if (!ResolveProgramStart(QString::fromLocal8Bit(program.c_str()), {}, executable, arguments))
        return {ProcessOutcome::NotStarted, 0};
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.setProgram(executable);
    process.setArguments(arguments);
    process.setWorkingDirectory(QDir::currentPath());

    // The loop keeps the window painting and its Cancel button working; the
    // other controls are disabled meanwhile.
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    ProcessOutcome outcome{ProcessOutcome::Finished, 0};
    const auto end = [&](ProcessOutcome::Kind why) {
        outcome.kind = why;
        process.kill();
        process.waitForFinished(5000);
        loop.quit();
    };
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            outcome.kind = ProcessOutcome::NotStarted;
            loop.quit();
        }
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] { end(ProcessOutcome::TimedOut); });
    cancel_ = [&] { end(ProcessOutcome::Cancelled); };
    process.start();
    if (outcome.kind == ProcessOutcome::Finished && process.state() != QProcess::NotRunning) {
        limit.start(timeLimit);
        loop.exec();
    }
    cancel_ = nullptr;
    if (outcome.kind != ProcessOutcome::Finished) return outcome;
    if (process.state() != QProcess::NotRunning) process.waitForFinished(-1);
    if (process.exitStatus() == QProcess::CrashExit) return {ProcessOutcome::Crashed, 0};
    outcome.exitCode = process.exitCode();
    return outcome;
}

void QtProcessRunner::Cancel() {
    if (cancel_) cancel_();
}

bool QtProcessRunner::Launch(const std::string& program, const std::string&,
                             const std::vector<std::string>& arguments, const std::string& workingFolder,
                             std::chrono::milliseconds) {
    const QString folder = QString::fromLocal8Bit(workingFolder.c_str());
    QString file = QString::fromLocal8Bit(program.c_str());
    if (QFileInfo(file).isRelative()) file = QDir(folder).filePath(file);
    QStringList list;
    for (const std::string& argument : arguments) list << QString::fromLocal8Bit(argument.c_str());
    QString executable;
    QStringList programArguments;
    if (!ResolveProgramStart(file, list, executable, programArguments)) return false;
    QProcess process;
    process.setProgram(executable);
    process.setArguments(programArguments);
    process.setWorkingDirectory(folder);
    // Returns once the program has been executed or has failed to; the
    // scanner's own run is not waited for.
    return process.startDetached();
}

}  // namespace korvane
