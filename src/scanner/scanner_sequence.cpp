#include "scanner/scanner_sequence.h"

#include "core/download_failure.h"
#include "core/download_links.h"
#include "core/download_progress_text.h"
#include "core/more_text.h"
#include "core/scanner_options.h"
#include "core/vendor_host.h"
#include "core/whole_file.h"
#include "scanner/archive_extraction.h"
#include "scanner/scanner_folder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>

namespace korvane {

namespace {

constexpr const char* kPasswordPrompt = "Please Enter The Password!";

std::string Sha256Of(const std::string& path) {
    QFile file(QString::fromLocal8Bit(path.c_str()));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) return {};
    return hash.result().toHex().toStdString();
}

}  // namespace

ScannerSequence::ScannerSequence(AppState& state, Platform& platform, Downloader& downloader,
                                 ProcessRunner& processes, ScannerBoxes& boxes, ScannerView& view,
                                 std::string vendorHost)
    : state_(state),
      platform_(platform),
      downloader_(downloader),
      processes_(processes),
      boxes_(boxes),
      view_(view),
      vendorHost_(std::move(vendorHost)),
      scannerOptions_(kDefaultScannerOptions) {}

std::string ScannerSequence::ProgramFolderPath() const {
    std::string folder = state_.ProgramFolder;
    if (folder.size() > 1 && folder.back() == state_.PathSeparator) folder.pop_back();
    return folder;
}

std::string ScannerSequence::ArchiveFile() const {
    return ProgramFolderPath() + state_.PathSeparator + "mwav.exe";
}

std::string ScannerSequence::ScannerFolder() const {
    return state_.ScannerFolderPath();
}

std::string ScannerSequence::InScannerFolder(const std::string& name) const {
    return ScannerFolder() + state_.PathSeparator + name;
}

std::string ScannerSequence::PageFile() const {
    std::string folder = state_.TempDir;
    if (!folder.empty() && folder.back() != state_.PathSeparator) folder.push_back(state_.PathSeparator);
    return folder + "mwav.asp";
}

std::string ScannerSequence::UniqueSuffix() {
    return std::to_string(QCoreApplication::applicationPid()) + "-" +
           std::to_string(QDateTime::currentMSecsSinceEpoch()) + "-" + std::to_string(++uniqueCounter_);
}

void ScannerSequence::Status(const std::string& text) {
    view_.ShowStatus(text);
    // The history keeps what the status bar shows only for a moment.
    view_.AppendStatusLine(text);
}

DownloadResult ScannerSequence::DownloadFileProgress(const std::string& url, const std::string& target) {
    const DownloadResult result =
        downloader_.DownloadFile(url, target, [this](const DownloadNotification& n) {
            const DownloadProgressView shown = DescribeDownloadProgress(n, *state_.Table, state_.Language);
            view_.AppendByteLog(shown.byteLine);
            view_.ShowDownloadProgress(shown.percent);
            if (shown.panelText) view_.ShowStatus(*shown.panelText);
            if (!shown.statusText.empty()) view_.AppendStatusLine(shown.statusText);
        });
    view_.HideDownloadProgress();
    return result;
}

void ScannerSequence::BuildScannerOptions() {
    ScannerOptionInput input;
    for (int i = 1; i <= 9; ++i) input.checked[i] = boxes_.Option(i);
    input.scanFolder = state_.ScanFolder;
    if (!input.scanFolder.empty()) {
        input.scanFolderExists = platform_.files.FileExists(input.scanFolder);
        if (input.scanFolderExists) {
            input.scanFolderShort = platform_.files.ShortPathOf(input.scanFolder);
            // Without a short form the scanner still gets the folder, not an empty switch.
            if (input.scanFolderShort.empty()) input.scanFolderShort = input.scanFolder;
        }
    }
    scannerOptions_ = korvane::BuildScannerOptions(input);
    scannerArguments_ = BuildScannerArguments(input);
}

void ScannerSequence::RemoveLeftovers() {
    // What a run that was killed left behind: staging folders beside the
    // scanner folder, half-written downloads beside the archive, half-written
    // members in the scanner folder. A running run of this process has none.
    namespace fs = std::filesystem;
    const fs::path scanner(ScannerFolder());
    const std::string stagingPrefix = scanner.filename().string() + ".staging-";
    const std::string archiveName = fs::path(ArchiveFile()).filename().string();
    const auto sweep = [](const fs::path& folder, const auto& isLeftover) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            const std::string name = it->path().filename().string();
            std::error_code ignored;
            if (isLeftover(name)) fs::remove_all(it->path(), ignored);
        }
    };
    sweep(scanner.parent_path(), [&](const std::string& name) { return name.rfind(stagingPrefix, 0) == 0; });
    sweep(fs::path(ProgramFolderPath()),
          [&](const std::string& name) { return name.rfind(archiveName + ".download-", 0) == 0; });
    sweep(scanner, [](const std::string& name) { return name.find(".part-") != std::string::npos; });
}

void ScannerSequence::Run() {
    if (IsRunning()) return;
    running_ = true;
    cancelRequested_ = false;
    links_.clear();
    view_.ClearStatusLog();
    unpackRetried_ = false;
    outcome_ = {};
    BuildScannerOptions();
    SetControlsEnabled(boxes_, false);
    view_.BoxesChanged();
    view_.RunningChanged(true);
    RemoveLeftovers();

    // A stage that fails ends the run: nothing later works on what it left.
    bool ok = true;
    if (boxes_.Checked(kCheckDownload)) ok = DownloadStage();
    if (ok && boxes_.Checked(kCheckUpdate)) ok = UpdateStage();
    if (ok && boxes_.Checked(kCheckStart) && !cancelRequested_) {
        if (!StartStage()) {
            running_ = false;
            if (!outcome_.startDelayed) view_.RunningChanged(false);
            return;
        }
        ok = outcome_.startSucceeded;
    }
    outcome_.failed = !ok;
    Finish();
}

void ScannerSequence::Finish() {
    if (cancelRequested_) {
        outcome_.cancelled = true;
        outcome_.failed = true;
        Status(More(MoreText::ScannerCancelled, state_.Language));
    }
    running_ = false;
    EnableAfterRun(boxes_);
    view_.BoxesChanged();
    view_.FocusCloseButton();
    view_.RunningChanged(false);
}

void ScannerSequence::Cancel() {
    if (running_) {
        cancelRequested_ = true;
        downloader_.Cancel();
        processes_.Cancel();
        return;
    }
    if (outcome_.startDelayed) {
        view_.StopDelayTimer();
        outcome_.startDelayed = false;
        cancelRequested_ = true;
        Finish();
    }
}

bool ScannerSequence::DownloadPage(std::string& page) {
    // A private folder: nobody else can plant a link or read the page there.
    QTemporaryDir folder(QDir(QString::fromLocal8Bit(state_.TempDir.c_str())).filePath(QStringLiteral("korvane-XXXXXX")));
    const std::string pageFile = folder.isValid()
                                     ? folder.filePath(QStringLiteral("mwav.asp")).toLocal8Bit().toStdString()
                                     : std::string();
    const DownloadResult result = pageFile.empty()
                                      ? DownloadResult{DownloadFailure::WriteFailed, 0, 0, {}}
                                      : DownloadFileProgress(VendorPageAddress(vendorHost_), pageFile);
    if (!result) {
        if (!cancelRequested_) Status(WithReason(state_.Text(55), result));
        return false;
    }
    page = ReadWholeFile(pageFile);
    return true;
}

std::string ScannerSequence::WithReason(const std::string& text, const DownloadResult& result) const {
    const std::string reason = DescribeDownloadFailure(result, state_.Language);
    return reason.empty() ? text : text + " (" + reason + ")";
}

bool ScannerSequence::DownloadArchive(const std::string& link) {
    namespace fs = std::filesystem;
    const std::string archive = ArchiveFile();
    // The good archive of an earlier run stays until the new one proved to be one.
    const std::string incoming = archive + ".download-" + UniqueSuffix();
    DownloadResult result = DownloadFileProgress(link, incoming);
    std::string error;
    if (result && !IsReadableArchive(incoming, error)) {
        result.failure = DownloadFailure::Network;
        result.detail = More(MoreText::ReasonNotAnArchive, state_.Language);
    }
    std::error_code renamed;
    if (result) fs::rename(fs::path(incoming), fs::path(archive), renamed);
    if (renamed) {
        result.failure = DownloadFailure::WriteFailed;
    }
    if (!result) {
        std::error_code ignored;
        fs::remove(fs::path(incoming), ignored);
        if (!cancelRequested_) Status(WithReason(state_.Text(51), result));
        return false;
    }
    Status(More(MoreText::ArchiveSha256, state_.Language) + Sha256Of(archive));
    Status("Mwav.exe in " + ProgramFolderPath() + state_.Text(50));
    return true;
}

bool ScannerSequence::DownloadStage() {
    Status(state_.Text(47));
    std::string page;
    if (!DownloadPage(page)) return false;
    if (page.empty()) {
        Status(state_.Text(54));
        return false;
    }
    Status(state_.Text(48));
    bool capped = false;
    links_ = ExtractDownloadLinks(page, capped);
    PreferHttpsLinks(links_);
    if (links_.empty()) {
        Status(state_.Text(53));
        links_.push_back(StandardArchiveLink(vendorHost_));
    }
    if (capped) {
        Status(WithNumber(More(MoreText::LinksCapped, state_.Language), kMaximumDownloadLinks));
    } else {
        Status(std::to_string(links_.size()) + state_.Text(49));
    }
    platform_.files.CreateFolderPath(ScannerFolder() + state_.PathSeparator);
    for (const std::string& link : links_) {
        if (cancelRequested_) return false;
        if (!IsTriableLink(link)) continue;
        if (DownloadArchive(link)) {
            outcome_.downloadSucceeded = true;
            return true;
        }
    }
    if (!cancelRequested_) Status(state_.Text(52));
    return false;
}

void ScannerSequence::ShowUnpackStatus() {
    Status(state_.Text(56) + ArchiveFile() + " " + state_.Text(57) + " " + ScannerFolder());
}

bool ScannerSequence::UnpackArchive(const std::string& archivePath) {
    namespace fs = std::filesystem;
    const PasswordPrompt askPassword = [this] {
        return platform_.ui.AskPassword(kPasswordPrompt, state_.AppTitle);
    };
    // Programs put where others can write could be swapped before they run.
    if (!ProgramFolderIsSafe()) return false;
    platform_.files.CreateFolderPath(ScannerFolder() + state_.PathSeparator);
    // Unpacked beside the scanner folder, on the same file system, and moved
    // in only when every member is complete: a damaged archive never leaves
    // a new updater beside an old scanner.
    const fs::path staging(ScannerFolder() + ".staging-" + UniqueSuffix());
    std::error_code error;
    fs::create_directory(staging, error);
    ExtractOutcome outcome;
    if (error) {
        outcome.result = kExtractError;
        outcome.messages = staging.string() + ": " + error.message() + "\n";
    } else {
        ExtractLimits limits;
        limits.maximumTotal = static_cast<std::uintmax_t>(limits_.unpackMaximumBytes);
        limits.maximumRatio = static_cast<std::uintmax_t>(limits_.unpackMaximumRatio);
        limits.freeSpaceMargin = static_cast<std::uintmax_t>(limits_.freeSpaceMargin);
        outcome = ExtractArchiveFlat(archivePath, staging.string(), state_.PathSeparator, askPassword,
                                     FreeDiskSpace, limits);
    }
    if (outcome.result == kExtractOk) {
        for (fs::directory_iterator it(staging, error), end; !error && it != end; it.increment(error)) {
            fs::rename(it->path(), fs::path(ScannerFolder()) / it->path().filename(), error);
            if (error) break;
        }
        if (error) {
            outcome.result = kExtractError;
            outcome.messages = ScannerFolder() + ": " + error.message() + "\n";
        }
    }
    fs::remove_all(staging, error);
    if (outcome.result == kExtractOk) return true;
    MessageRequest message;
    message.text = outcome.messages;
    message.title = state_.AppTitle;
    platform_.ui.ShowMessage(message);
    const std::string firstLine = outcome.messages.substr(0, outcome.messages.find('\n'));
    Status(firstLine.empty() ? state_.Text(63) : state_.Text(63) + " (" + firstLine + ")");
    return false;
}

bool ScannerSequence::ProgramFolderIsSafe() {
    if (IsSafeProgramFolder(ScannerFolder())) return true;
    Status(More(MoreText::FolderUnsafe, state_.Language) + ScannerFolder());
    return false;
}

bool ScannerSequence::RunUpdater(const std::string& updater) {
    if (cancelRequested_ || !ProgramFolderIsSafe()) return false;
    Status(state_.Text(43) + "...");
    const ProcessOutcome ran = processes_.RunAndWait(updater, -1, limits_.updaterTimeLimit);
    const auto text = [this](MoreText id) { return More(id, state_.Language); };
    switch (ran.kind) {
        case ProcessOutcome::Cancelled:
            return false;
        case ProcessOutcome::NotStarted:
            Status(text(MoreText::UpdaterNotStarted));
            return false;
        case ProcessOutcome::Crashed:
            Status(text(MoreText::UpdaterCrashed));
            return false;
        case ProcessOutcome::TimedOut:
            Status(text(MoreText::UpdaterTimedOut));
            return false;
        case ProcessOutcome::Finished:
            break;
    }
    if (ran.exitCode != 0) {
        Status(text(MoreText::UpdaterExitCode) + std::to_string(ran.exitCode));
        return false;
    }
    Status(state_.Text(boxes_.Checked(kCheckStart) ? 58 : 59));
    outcome_.updateSucceeded = true;
    return true;
}

bool ScannerSequence::UpdateStage() {
    const std::string archive = ArchiveFile();
    if (boxes_.Checked(kCheckDownload) && outcome_.downloadSucceeded) {
        ShowUnpackStatus();
        if (!UnpackArchive(archive)) return false;
    }
    const std::string updater = InScannerFolder("KAVUpd.exe");
    for (;;) {
        if (cancelRequested_) return false;
        if (platform_.files.FileExists(updater)) return RunUpdater(updater);
        if (platform_.files.FileExists(archive) && !unpackRetried_) {
            unpackRetried_ = true;
            ShowUnpackStatus();
            if (!UnpackArchive(archive)) return false;
            continue;
        }
        Status(state_.Text(60));
        return false;
    }
}

bool ScannerSequence::LaunchScanner() {
    if (!ProgramFolderIsSafe()) return false;
    if (!processes_.Launch("mwavscan.com", scannerOptions_, scannerArguments_,
                           ScannerFolder() + state_.PathSeparator, limits_.startTimeLimit)) {
        Status(state_.Text(61));
        return false;
    }
    outcome_.startSucceeded = true;
    view_.CloseWindow();
    return true;
}

bool ScannerSequence::StartStage() {
    if (boxes_.Checked(kCheckUpdate)) {
        outcome_.startDelayed = true;
        view_.StartDelayTimer();
        return false;
    }
    const std::string archive = ArchiveFile();
    if (platform_.files.FileExists(InScannerFolder("mwavscan.com"))) {
        if (LaunchScanner()) return false;
    } else if (platform_.files.FileExists(archive)) {
        if (UnpackArchive(archive)) {
            if (LaunchScanner()) return false;
        } else {
            Status(state_.Text(62));
        }
    } else {
        Status(state_.Text(62));
    }
    return true;
}

void ScannerSequence::DelayedStart() {
    // One start per run: the timer does not fire again.
    view_.StopDelayTimer();
    if (!outcome_.startDelayed) return;
    outcome_.startDelayed = false;
    Status(state_.Text(72));
    if (platform_.files.FileExists(InScannerFolder("mwavscan.com"))) {
        if (LaunchScanner()) {
            EnableAfterRun(boxes_);
            view_.BoxesChanged();
            view_.RunningChanged(false);
            return;
        }
    } else {
        Status(state_.Text(62));
    }
    outcome_.failed = true;
    Finish();
}
void ScannerSequence::CleanUpOnUnload() {
    scannerOptions_.clear();
    unpackRetried_ = false;
    if (state_.InternetCacheDir.empty()) return;
    std::string cached = state_.InternetCacheDir;
    if (cached.back() != state_.PathSeparator) cached.push_back(state_.PathSeparator);
    cached += "mwav.exe";
    if (platform_.files.FileExists(cached)) platform_.files.RemoveFile(cached);
}

}  // namespace korvane
