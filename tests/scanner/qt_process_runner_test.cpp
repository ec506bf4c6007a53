#include "scanner/qt_process_runner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

#include "scanner/test_archive.h"

namespace korvane {
namespace {

using testing::WriteFileBytes;

constexpr std::chrono::minutes kLimit(5);

// Runs with PATH set to one folder, so whether "wine" is found is the test's choice.
class QtProcessRunnerTest : public ::testing::Test {
protected:
    QtProcessRunnerTest() {
        const char* path = std::getenv("PATH");
        oldPath = path != nullptr ? path : "";
        QDir(temp.path()).mkdir(QStringLiteral("bin"));
        ::setenv("PATH", (temp.path() + QStringLiteral("/bin")).toLocal8Bit().constData(), 1);
    }
    ~QtProcessRunnerTest() override { ::setenv("PATH", oldPath.c_str(), 1); }
    std::string Path(const char* name) const { return temp.path().toStdString() + "/" + name; }
    void InstallFakeWine() { WriteFileBytes(Path("bin/wine"), "#!/bin/sh\nexit 0\n", 0755); }

    QTemporaryDir temp;
    std::string oldPath;
};

TEST_F(QtProcessRunnerTest, WindowsProgramsGoThroughWineWhenItIsInstalled) {
    WriteFileBytes(Path("KAVUpd.exe"), "MZ\x90\x00 a Windows program", 0755);
    WriteFileBytes(Path("notes.txt"), "not a program", 0644);
    QString program;
    QStringList arguments;
    EXPECT_FALSE(ResolveProgramStart(QString::fromStdString(Path("KAVUpd.exe")), {"/X"}, program, arguments));

    InstallFakeWine();
    ASSERT_TRUE(ResolveProgramStart(QString::fromStdString(Path("KAVUpd.exe")), {"/X"}, program, arguments));
    EXPECT_EQ(program, QString::fromStdString(Path("bin/wine")));
    EXPECT_EQ(arguments, (QStringList{QString::fromStdString(Path("KAVUpd.exe")), "/X"}));
    EXPECT_FALSE(ResolveProgramStart(QString::fromStdString(Path("notes.txt")), {}, program, arguments));
    EXPECT_FALSE(ResolveProgramStart(QString::fromStdString(Path("missing.exe")), {}, program, arguments));
}

TEST_F(QtProcessRunnerTest, ProgramsThatCannotStartAreReportedAsFailures) {
    QtProcessRunner runner;
    WriteFileBytes(Path("mwavscan.com"), "MZ a Windows program", 0755);
    EXPECT_EQ(runner.RunAndWait(Path("mwavscan.com"), -1, kLimit).kind, ProcessOutcome::NotStarted);
    EXPECT_FALSE(runner.Launch("mwavscan.com", " /SNOC", {"/SNOC"}, temp.path().toStdString() + "/", kLimit));
    EXPECT_EQ(runner.RunAndWait(Path("missing.exe"), -1, kLimit).kind, ProcessOutcome::NotStarted);
}

TEST_F(QtProcessRunnerTest, LaunchPassesAFolderWithBlanksAsOneArgument) {
    const std::string record = Path("args.txt");
    WriteFileBytes(Path("mwavscan.com"), testing::RecordingScript(record).c_str(), 0755);
    QtProcessRunner runner;
    // A folder whose name looks like further switches stays one argument.
    ASSERT_TRUE(runner.Launch("mwavscan.com", " /FOLDER=/data/my files /REG /SubFolders /SNOC",
                              {"/FOLDER=/data/my files /REG", "/SubFolders", "/SNOC"}, temp.path().toStdString() + "/",
                              kLimit));
    ASSERT_TRUE(QTest::qWaitFor([&] { return testing::ReadFileBytes(record).count('\n') == 4; }, 10000));
    EXPECT_EQ(QString::fromLocal8Bit(testing::ReadFileBytes(record)).split('\n', Qt::SkipEmptyParts),
              (QStringList{temp.path(), "/FOLDER=/data/my files /REG", "/SubFolders", "/SNOC"}));
}

}  // namespace
}  // namespace korvane
