#include "scanner/scanner_sequence.h"

#include "core/download_links.h"
#include "core/download_progress_text.h"
#include "core/scanner_options.h"
#include "core/vendor_host.h"
#include "core/whole_file.h"
#include "scanner/archive_extraction.h"

namespace korvane {

namespace {

constexpr const char* kPasswordPrompt = "Please Enter The Password!";

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
    return state_.DriveRoot + "bases_x";
}

std::string ScannerSequence::InScannerFolder(const std::string& name) const {
    return ScannerFolder() + state_.PathSeparator + name;
}

std::string ScannerSequence::PageFile() const {
    std::string folder = state_.TempDir;
    if (!folder.empty() && folder.back() != state_.PathSeparator) folder.push_back(state_.PathSeparator);
    return folder + "mwav.asp";
}

void ScannerSequence::Status(const std::string& text) {
    view_.ShowStatus(text);
}

bool ScannerSequence::DownloadFileProgress(const std::string& url, const std::string& target) {
    const bool ok = downloader_.DownloadFile(url, target, [this](const DownloadNotification& n) {
        const DownloadProgressView shown = DescribeDownloadProgress(n, *state_.Table, state_.Language);
        view_.AppendByteLog(shown.byteLine);
        view_.ShowDownloadProgress(shown.percent);
        if (shown.panelText) view_.ShowStatus(*shown.panelText);
        if (!shown.statusText.empty()) view_.AppendStatusLine(shown.statusText);
    });
    view_.HideDownloadProgress();
    return ok;
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
}

void ScannerSequence::Run() {
    if (running_) return;
    running_ = true;
    links_.clear();
    view_.ClearStatusLog();
    unpackRetried_ = false;
    outcome_ = {};
    BuildScannerOptions();
    SetControlsEnabled(boxes_, false);
    view_.BoxesChanged();

    if (boxes_.Checked(kCheckDownload)) DownloadStage();
    if (boxes_.Checked(kCheckUpdate)) UpdateStage();
    if (boxes_.Checked(kCheckStart) && !StartStage()) {
        running_ = false;
        return;
    }
    EnableAfterRun(boxes_);
    view_.BoxesChanged();
    view_.FocusCloseButton();
    running_ = false;
}

void ScannerSequence::DownloadStage() {
    Status(state_.Text(47));
    const std::string pageFile = PageFile();
    if (!DownloadFileProgress(VendorPageAddress(vendorHost_), pageFile)) {
        // The page file of an earlier run, if any, stays as it is.
        Status(state_.Text(55));
        return;
    }
    const std::string page = ReadWholeFile(pageFile);
    if (page.empty()) {
        Status(state_.Text(54));
    } else {
        Status(state_.Text(48));
        links_ = ExtractDownloadLinks(page);
        if (links_.empty()) {
            Status(state_.Text(53));
            links_.push_back(StandardArchiveLink(vendorHost_));
        }
        Status(std::to_string(links_.size()) + state_.Text(49));
        platform_.files.CreateFolderPath(ScannerFolder() + state_.PathSeparator);
        const std::string archive = ArchiveFile();
        for (const std::string& link : links_) {
            if (!IsTriableLink(link)) continue;
            if (DownloadFileProgress(link, archive)) {
                Status("Mwav.exe in " + ProgramFolderPath() + state_.Text(50));
                outcome_.downloadSucceeded = true;
                break;
            }
            Status(state_.Text(51));
        }
        if (!outcome_.downloadSucceeded) Status(state_.Text(52));
    }
    if (platform_.files.FileExists(pageFile)) platform_.files.RemoveFile(pageFile);
}

void ScannerSequence::ShowUnpackStatus() {
    Status(state_.Text(56) + ArchiveFile() + " " + state_.Text(57) + " " + ScannerFolder());
}

bool ScannerSequence::UnpackArchive(const std::string& archivePath) {
    const PasswordPrompt askPassword = [this] {
        return platform_.ui.AskPassword(kPasswordPrompt, state_.AppTitle);
    };
    platform_.files.CreateFolderPath(ScannerFolder() + state_.PathSeparator);
    const ExtractOutcome outcome =
        ExtractArchiveFlat(archivePath, ScannerFolder(), state_.PathSeparator, askPassword);
    if (outcome.result == kExtractOk) return true;
    MessageRequest message;
    message.text = outcome.messages;
    message.title = state_.AppTitle;
    platform_.ui.ShowMessage(message);
    Status(state_.Text(63));
    return false;
}

void ScannerSequence::UpdateStage() {
    const std::string archive = ArchiveFile();
    if (boxes_.Checked(kCheckDownload) && outcome_.downloadSucceeded) {
        ShowUnpackStatus();
        UnpackArchive(archive);
    }
    const std::string updater = InScannerFolder("KAVUpd.exe");
    for (;;) {
        if (platform_.files.FileExists(updater)) {
            Status(state_.Text(43) + "...");
            // An updater that cannot be started did not update anything.
            if (!processes_.RunAndWait(updater, -1)) {
                Status(state_.Text(60));
                return;
            }
            Status(state_.Text(boxes_.Checked(kCheckStart) ? 58 : 59));
            outcome_.updateSucceeded = true;
            return;
        }
        if (platform_.files.FileExists(archive) && !unpackRetried_) {
            unpackRetried_ = true;
            ShowUnpackStatus();
            UnpackArchive(archive);
            continue;
        }
        Status(state_.Text(60));
        return;
    }
}

bool ScannerSequence::LaunchScanner() {
    if (!processes_.Launch("mwavscan.com", scannerOptions_, ScannerFolder() + state_.PathSeparator))
        return false;
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
        Status(state_.Text(61));
    } else if (platform_.files.FileExists(archive)) {
        if (UnpackArchive(archive)) {
            if (LaunchScanner()) return false;
            Status(state_.Text(61));
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
    outcome_.startDelayed = false;
    Status(state_.Text(72));
    if (platform_.files.FileExists(InScannerFolder("mwavscan.com"))) {
        if (LaunchScanner()) {
            EnableAfterRun(boxes_);
            view_.BoxesChanged();
            return;
        }
        Status(state_.Text(61));
    } else {
        Status(state_.Text(62));
    }
    EnableAfterRun(boxes_);
    view_.BoxesChanged();
    view_.FocusCloseButton();
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
