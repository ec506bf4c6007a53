#pragma once
// A scanner run in a temporary folder: program folder, drive root, temp and
// cache folders, a loopback vendor server, and the platform the run uses.
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "core/app_state.h"
#include "platform/platform.h"
#include "platform/process_runner.h"
#include "scanner/loopback_server.h"
#include "scanner/scanner_sequence.h"
#include "scanner/test_archive.h"
#include "support/fake_security_system.h"
#include "support/scripted_ui_services.h"

namespace korvane::testing {

// Records what a run shows.
class RecordingView : public ScannerView {
public:
    std::vector<std::string> statuses;
    std::vector<std::string> statusLines;
    std::string byteLog = "Text2";
    std::vector<std::optional<int>> progress;
    bool progressVisible = false;
    int closed = 0;
    int delayStarted = 0;
    int delayStopped = 0;
    int focused = 0;

    void ShowStatus(const std::string& text) override { statuses.push_back(text); }
    void AppendStatusLine(const std::string& line) override { statusLines.push_back(line); }
    void ClearStatusLog() override { statusLines.clear(); }
    void AppendByteLog(const std::string& text) override { byteLog += text; }
    void ShowDownloadProgress(std::optional<int> percent) override {
        progress.push_back(percent);
        progressVisible = true;
    }
    void HideDownloadProgress() override { progressVisible = false; }
    void BoxesChanged() override {}
    void FocusCloseButton() override { ++focused; }
    void CloseWindow() override { ++closed; }
    void StartDelayTimer() override { ++delayStarted; }
    void StopDelayTimer() override { ++delayStopped; }
};

// A process runner for failure paths: records the calls, answers as told.
class ScriptedProcessRunner : public ProcessRunner {
public:
    ProcessOutcome runResult{ProcessOutcome::Finished, 0};
    bool launchResult = true;
    std::vector<std::string> ran;
    std::vector<std::string> launched;  // "program|parameters|folder"
    std::vector<std::vector<std::string>> launchedArguments;

    ProcessOutcome RunAndWait(const std::string& program, int, std::chrono::milliseconds) override {
        ran.push_back(program);
        return runResult;
    }
    bool Launch(const std::string& program, const std::string& parameters,
                const std::vector<std::string>& arguments, const std::string& folder,
                std::chrono::milliseconds) override {
        launched.push_back(program + "|" + parameters + "|" + folder);
        launchedArguments.push_back(arguments);
        return launchResult;
    }
};

class ScannerFixture {
public:
    ScannerFixture() {
        for (const char* sub : {"prog", "root", "tmp", "cache", "records"}) QDir(temp.path()).mkdir(sub);
        state.AppTitle = "Korvane";
        state.ProgramFolder = Dir("prog") + "/";
        state.DriveRoot = Dir("root") + "/";
        state.TempDir = Dir("tmp") + "/";
        state.InternetCacheDir = Dir("cache");
        state.PathSeparator = '/';
        state.Language = UiLanguage::German;
        // The user's own settings file stays out of the tests.
        ::setenv("KORVANE_SETTINGS", (temp.path() + QStringLiteral("/korvane.ini")).toLocal8Bit().constData(), 1);
    }
    ~ScannerFixture() { ::unsetenv("KORVANE_SETTINGS"); }

    std::string Dir(const char* sub) const { return temp.path().toStdString() + "/" + sub; }
    std::string ScannerFolder() const { return Dir("root") + "/bases_x"; }
    std::string ArchiveFile() const { return Dir("prog") + "/mwav.exe"; }
    std::string PageFile() const { return Dir("tmp") + "/mwav.asp"; }
    std::string Record(const char* name) const { return Dir("records") + "/" + name; }
    std::string Text(int row) const { return state.Text(row); }

    // The archive the vendor serves: the stand-in updater and scanner behind a
    // program stub, with a protected member and awkward names.
    QByteArray ScannerArchive() const {
        return WithProgramStub(MakeZip({
            {"bin/KAVUpd.exe", RecordingScript(Record("updater.txt")), 0755},
            {"bin/mwavscan.com", RecordingScript(Record("scanner.txt")), 0755},
            {"doc/readme.txt", "first"},
            {"other/readme.txt", "second"},
            {"../../escape.txt", "flat"},
            {"licence.txt", "protected", 0644, true},
        }));
    }

    // Working folder and arguments a stand-in program recorded.
    QStringList Recorded(const char* name) const {
        const QString text = QString::fromLocal8Bit(ReadFileBytes(Record(name)));
        return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir temp;
    AppState state;
    FakeSecuritySystem system;
    std::unique_ptr<FilesShell> files = MakeNativeFilesShell();
    ScriptedUiServices ui;
    Platform platform{system, *files, ui};
    LoopbackServer server;
};

}  // namespace korvane::testing
