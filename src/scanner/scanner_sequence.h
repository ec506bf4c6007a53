#pragma once
// The scanner window's run: download, update and start, in that order, each
// switched on by its box. Shared by the window and the command line, which
// differ only in how they show what happens (ScannerView).
#include <optional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/scanner_boxes.h"
#include "core/scanner_limits.h"
#include "platform/download.h"
#include "platform/platform.h"
#include "platform/process_runner.h"

namespace korvane {

class ScannerView {
public:
    virtual ~ScannerView() = default;
    // Status bar panel 1 (UTF-8).
    virtual void ShowStatus(const std::string& text) = 0;
    // Status log Text1: one line, without the line break.
    virtual void AppendStatusLine(const std::string& line) = 0;
    virtual void ClearStatusLog() = 0;
    // Byte log Text2: text as it is appended, line break included.
    virtual void AppendByteLog(const std::string& text) = 0;
    // A download is running; percent is absent while the size is unknown.
    virtual void ShowDownloadProgress(std::optional<int> percent) = 0;
    virtual void HideDownloadProgress() = 0;
    // The boxes' values or enabled states changed.
    virtual void BoxesChanged() = 0;
    virtual void FocusCloseButton() = 0;
    // Closes the window as its close button does.
    virtual void CloseWindow() = 0;
    // Starts the delay after which DelayedStart runs.
    virtual void StartDelayTimer() = 0;
    virtual void StopDelayTimer() = 0;
    // A run began or ended (the delayed start counts as part of it), so the
    // Cancel button can follow.
    virtual void RunningChanged(bool) {}
};

// What the last run reached, for the command line's exit status.
struct ScannerRunOutcome {
    bool downloadSucceeded = false;  // "Mwav.exe in ... saved."
    bool updateSucceeded = false;    // the updater ran
    bool startSucceeded = false;     // the scanner was started
    bool startDelayed = false;       // the start waits for the delay timer
    bool failed = false;             // a stage failed; the last status says how
    bool cancelled = false;          // the user stopped the run
};

class ScannerSequence {
public:
    ScannerSequence(AppState& state, Platform& platform, Downloader& downloader, ProcessRunner& processes,
                    ScannerBoxes& boxes, ScannerView& view, std::string vendorHost);

    // Command1_Click: the whole run.
    void Run();
    // Timer1_Timer: the start after an update.
    void DelayedStart();
    // Unpacks the archive into the scanner folder; reports failures itself.
    bool UnpackArchive(const std::string& archivePath);
    // Form_Unload's file clean-up.
    void CleanUpOnUnload();
    // Stops the run from an event handler: the transfer is aborted, a waiting
    // updater ended, a pending delayed start dropped; the run then ends with
    // the status "cancelled" and removes what it left half done.
    void Cancel();
    void UseLimits(const ScannerLimits& limits) { limits_ = limits; }

    // Running, or waiting for the delayed start.
    bool IsRunning() const { return running_ || outcome_.startDelayed; }
    const ScannerRunOutcome& Outcome() const { return outcome_; }
    const std::string& ScannerOptions() const { return scannerOptions_; }
    void ClearScannerOptions() { scannerOptions_.clear(); }
    const std::vector<std::string>& Links() const { return links_; }

    std::string ArchiveFile() const;
    std::string ScannerFolder() const;  // without a trailing separator
    std::string PageFile() const;

private:
    DownloadResult DownloadFileProgress(const std::string& url, const std::string& target);
    // Each stage returns false when it failed or was cancelled; the run ends there.
    bool DownloadStage();
    bool DownloadPage(std::string& page);
    bool DownloadArchive(const std::string& link);
    bool UpdateStage();
    bool RunUpdater(const std::string& updater);
    bool ProgramFolderIsSafe();
    void RemoveLeftovers();
    void Finish();
    std::string UniqueSuffix();
    std::string WithReason(const std::string& text, const DownloadResult& result) const;
    // False when the run ends here (window closed or start handed to the timer).
    bool StartStage();
    bool LaunchScanner();
    void ShowUnpackStatus();
    void BuildScannerOptions();
    void Status(const std::string& text);
    std::string ProgramFolderPath() const;  // without a trailing separator
    std::string InScannerFolder(const std::string& name) const;

    AppState& state_;
    Platform& platform_;
    Downloader& downloader_;
    ProcessRunner& processes_;
    ScannerBoxes& boxes_;
    ScannerView& view_;
    std::string vendorHost_;

    ScannerLimits limits_;
    std::string scannerOptions_;
    std::vector<std::string> scannerArguments_;
    std::vector<std::string> links_;  // links found this run, in page order
    bool unpackRetried_ = false;
    bool running_ = false;
    bool cancelRequested_ = false;
    unsigned uniqueCounter_ = 0;
    ScannerRunOutcome outcome_;
};

}  // namespace korvane
