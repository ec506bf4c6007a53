#pragma once
// Runs the real korvane program (KORVANE_EXECUTABLE) with arguments, in the
// C.UTF-8 locale, and collects what it printed.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <string>

namespace korvane::testing {

struct KorvaneOutcome {
    int status = -1;  // -1 when the program crashed
    std::string out;
    std::string err;
};

// Standard output goes to outFile when one is given, so a large report is not
// held in the test's memory.
// Variables in extraEnvironment are set on top of the test's own. Wine drive
// paths map nowhere unless a test brings its own WINEPREFIX. program
// replaces the built korvane (a copy of it elsewhere keeps its files there).
inline KorvaneOutcome RunKorvane(const QStringList& arguments, const QString& outFile = {},
                                 const QProcessEnvironment& extraEnvironment = {}, const QString& program = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("WINEPREFIX"), QStringLiteral("/nonexistent/korvane-test-wine-prefix"));
    environment.insert(extraEnvironment);
    process.setProcessEnvironment(environment);
    if (!outFile.isEmpty()) process.setStandardOutputFile(outFile);
    process.start(program.isEmpty() ? QStringLiteral(KORVANE_EXECUTABLE) : program, arguments);
    EXPECT_TRUE(process.waitForFinished(240000));
    KorvaneOutcome run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

}  // namespace korvane::testing
