#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <map>

#include "cli/scanner_cli.h"
#include "core/more_text.h"
#include "core/scanner_options.h"
#include "support/fake_security_system.h"
#include "support/scripted_ui_services.h"

namespace korvane {
namespace {

// Serves fixed bytes per address; anything else fails.
class CannedDownloader : public Downloader {
public:
    std::map<std::string, std::string> files;
    std::vector<std::string> asked;
    int repeatProgress = 0;  // progress notifications, all alike, per download
    DownloadResult DownloadFile(const std::string& url, const std::string& target,
                                const ProgressSink& progress) override {
        asked.push_back(url);
        for (int i = 0; i < repeatProgress; ++i)
            progress({100u * static_cast<unsigned>(i), 1000, kDownloadData, url});
        const auto found = files.find(url);
        if (found == files.end()) return {DownloadFailure::HttpStatus, 404, 0, {}};
        QFile out(QString::fromLocal8Bit(target.c_str()));
        if (out.open(QIODevice::WriteOnly) &&
            out.write(found->second.data(), static_cast<qint64>(found->second.size())) ==
                static_cast<qint64>(found->second.size()))
            return {};
        return {DownloadFailure::WriteFailed, 0, 0, {}};
    }
};

class RecordingRunner : public ProcessRunner {
public:
    std::vector<std::string> ran;
    std::vector<std::string> launched;
    ProcessOutcome runResult{ProcessOutcome::Finished, 0};
    ProcessOutcome RunAndWait(const std::string& program, int, std::chrono::milliseconds) override {
        ran.push_back(program);
        return runResult;
    }
    bool Launch(const std::string& program, const std::string& parameters, const std::vector<std::string>&,
                const std::string&, std::chrono::milliseconds) override {
        launched.push_back(program + "|" + parameters);
        return true;
    }
};

class ScannerCommand : public ::testing::Test {
protected:
    ScannerCommand() {
        QDir(temp.path()).mkpath(QStringLiteral("root/bases_x"));
        QDir(temp.path()).mkpath(QStringLiteral("prog"));
        state.ProgramFolder = Dir() + "/prog/";
        state.DriveRoot = Dir() + "/root/";
        state.TempDir = Dir() + "/";
        state.PathSeparator = '/';
        state.Language = UiLanguage::English;
    }
    std::string Dir() const { return temp.path().toStdString(); }
    void Touch(const std::string& path) {
        QFile f(QString::fromStdString(path));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    int Run(const QStringList& arguments) {
        ScannerCommandLine line;
        std::string error;
        if (!ParseScannerCommandLine(QStringList{"korvane scanner"} + arguments, line, error)) return 2;
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int status = RunScannerSequence(line, state, platform, downloader, runner, "vendor.test",
                                              std::chrono::milliseconds(0), out, err);
        output = ReadAll(out);
        errors = ReadAll(err);
        return status;
    }
    static std::string ReadAll(std::FILE* f) {
        std::string text;
        std::rewind(f);
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
        std::fclose(f);
        return text;
    }

    QTemporaryDir temp;
    AppState state;
    testing::FakeSecuritySystem system;
    std::unique_ptr<FilesShell> files = MakeNativeFilesShell();
    testing::ScriptedUiServices ui;
    Platform platform{system, *files, ui};
    CannedDownloader downloader;
    RecordingRunner runner;
    std::string output;
    std::string errors;
};

TEST_F(ScannerCommand, UsageErrors) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"--start", "--bogus"}, QStringList{"--start", "--language", "fr"},
          QStringList{"--start", "--option", "mem,laser"}, QStringList{"--start", "--option"}}) {
        EXPECT_EQ(Run(arguments), 2) << arguments.join(' ').toStdString();
    }
    // Boxes the window would not let a user tick.
    EXPECT_EQ(Run({"--start", "--option", "folder,drive"}), 2);
    EXPECT_EQ(Run({"--start", "--option", "subfolders,folder"}), 2);
    EXPECT_EQ(Run({"--start", "--folder", Dir().c_str()}), 2);
    EXPECT_TRUE(runner.launched.empty());
}

TEST_F(ScannerCommand, StartsTheScannerWithTheTickedOptions) {
    Touch(Dir() + "/root/bases_x/mwavscan.com");
    EXPECT_EQ(
        Run({"--start", "--option", "mem,reg", "--option", "folder,subfolders", "--folder", temp.path()}), 0);
    EXPECT_EQ(runner.launched,
              std::vector<std::string>{"mwavscan.com| /MEM /REG /FOLDER=" + Dir() + " /SubFolders /SNOC"});
    EXPECT_EQ(Run({"--start"}), 0);
    EXPECT_EQ(runner.launched.back(), "mwavscan.com|" + std::string(kDefaultScannerOptions));
}

TEST_F(ScannerCommand, PrintsEveryStatusAndFailsWhenAStageFails) {
    Touch(Dir() + "/root/bases_x/mwavscan.com");
    EXPECT_EQ(Run({"--download", "--start"}), 1);
    // The failed download ends the run: the old scanner is not started and
    // the failure, with its reason, is the last line.
    EXPECT_EQ(output, state.Text(47) + "\n" + state.Text(55) + " (HTTP status 404)\n");
    EXPECT_TRUE(runner.launched.empty());
    EXPECT_EQ(downloader.asked, std::vector<std::string>{"http://vendor.test/antivirus/mwav.asp"});
}

TEST_F(ScannerCommand, UpdateThenDelayedStart) {
    Touch(Dir() + "/root/bases_x/KAVUpd.exe");
    Touch(Dir() + "/root/bases_x/mwavscan.com");
    EXPECT_EQ(Run({"--update", "--start", "--option", "wait"}), 0);
    EXPECT_EQ(output, state.Text(43) + "...\n" + state.Text(58) + "\n" + state.Text(72) + "\n");
    EXPECT_EQ(runner.ran, std::vector<std::string>{Dir() + "/root/bases_x/KAVUpd.exe"});
    EXPECT_EQ(runner.launched, std::vector<std::string>{"mwavscan.com| /WaitToExit /SNOC"});
}

TEST_F(ScannerCommand, FolderThatDoesNotExistIsAUsageError) {
    const std::string missing = Dir() + "/no such folder";
    EXPECT_EQ(Run({"--start", "--option", "folder", "--folder", missing.c_str()}), 2);
    ScannerCommandLine line;
    std::string error;
    EXPECT_FALSE(ParseScannerCommandLine(
        {"korvane scanner", "--start", "--option", "folder", "--folder", QString::fromStdString(missing)},
        line, error));
    EXPECT_NE(error.find("no such folder"), std::string::npos) << error;
    EXPECT_TRUE(runner.launched.empty());
}

TEST_F(ScannerCommand, UpdaterExitCodeIsAFailureAndTheLastLine) {
    Touch(Dir() + "/root/bases_x/KAVUpd.exe");
    Touch(Dir() + "/root/bases_x/mwavscan.com");
    runner.runResult = {ProcessOutcome::Finished, 3};
    EXPECT_EQ(Run({"--update", "--start"}), 1);
    EXPECT_EQ(output, state.Text(43) + "...\n" + More(MoreText::UpdaterExitCode, state.Language) + "3\n");
    EXPECT_TRUE(runner.launched.empty());
}

TEST_F(ScannerCommand, EachProgressLineIsPrintedOnce) {
    downloader.repeatProgress = 5;
    EXPECT_EQ(Run({"--download"}), 1);
    const std::string load = state.Text(69) + "http://vendor.test/antivirus/mwav.asp\n";
    EXPECT_EQ(output, state.Text(47) + "\n" + load + state.Text(55) + " (HTTP status 404)\n");
}

TEST_F(ScannerCommand, CancelRequestEndsTheRunWithOne) {
    Touch(Dir() + "/root/bases_x/KAVUpd.exe");
    Touch(Dir() + "/root/bases_x/mwavscan.com");
    std::FILE* out = std::tmpfile();
    ScannerCommandLine line;
    std::string error;
    ASSERT_TRUE(ParseScannerCommandLine({"korvane scanner", "--update", "--start"}, line, error));
    // Asked while the start waits for its delay.
    const int status = RunScannerSequence(line, state, platform, downloader, runner, "vendor.test",
                                          std::chrono::minutes(10), out, stderr, {}, [] { return true; });
    output = ReadAll(out);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(output.substr(output.rfind('\n', output.size() - 2) + 1),
              More(MoreText::ScannerCancelled, state.Language) + "\n");
    EXPECT_TRUE(runner.launched.empty());
}

// Ctrl+C while the vendor page is being fetched: the real program stops the
// transfer, says so, and exits 1.
TEST(ScannerCommandProgram, InterruptStopsTheRunAndExitsWithOne) {
    QTemporaryDir temp;
    QTcpServer silent;  // accepts and never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KORVANE_VENDOR_HOST", QStringLiteral("127.0.0.1:%1").arg(silent.serverPort()));
    environment.insert("KORVANE_SETTINGS", temp.filePath("korvane.ini"));
    environment.insert("HOME", temp.path());
    environment.insert("TMPDIR", temp.path());
    environment.insert("LANG", "C.UTF-8");
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KORVANE_EXECUTABLE), {"scanner", "--language", "en", "--download"});
    ASSERT_TRUE(program.waitForStarted(30000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return silent.hasPendingConnections(); }, 30000));
    ::kill(static_cast<pid_t>(program.processId()), SIGINT);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    const QString printed = QString::fromUtf8(program.readAllStandardOutput());
    EXPECT_TRUE(printed.endsWith(QStringLiteral("Cancelled.\n"))) << printed.toStdString();
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

TEST(ScannerCommandProgram, UsageErrorExitsWithTwo) {
    QProcess program;
    program.start(QStringLiteral(KORVANE_EXECUTABLE), {"scanner", "--no-such-thing"});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_TRUE(program.readAllStandardError().contains("Usage: korvane scanner"));
}

}  // namespace
}  // namespace korvane
