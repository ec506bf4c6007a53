// Loading a log from a file or from the clipboard.
#include <QDir>
#include <QFutureWatcher>
#include <QMainWindow>
#include <QProgressDialog>
#include <QTimer>
#include <QTreeView>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>

#include "core/log_read_warnings.h"
#include "core/more_text.h"
#include "core/text_util.h"
#include "core/whole_file.h"
#include "log/log_bytes.h"
#include "log/log_evaluation_controller.h"

namespace korvane {

namespace {
constexpr int kOpenLogTitleRow = 2;
constexpr int kAllFilesRow = 24;
constexpr int kNoFileInformationRow = 25;
}  // namespace

std::string LogEvaluationController::ShowFileDialog(const std::string& title,
                                                    const std::vector<FileFilter>& filters,
                                                    const std::string& initialFolder) {
    state_.DialogFolder =
        !initialFolder.empty() ? initialFolder : QDir::currentPath().toLocal8Bit().toStdString();
    const std::string chosen = platform_.ui.OpenFile({title, filters, state_.DialogFolder});
    if (chosen.empty()) return {};
    const std::size_t nameAt = chosen.find_last_of(state_.PathSeparator == '\\' ? "\\" : "/\\");
    state_.DialogFolder = nameAt == std::string::npos ? std::string() : chosen.substr(0, nameAt + 1);
    return chosen;
}

void LogEvaluationController::mnuOpen_Escan_Click() {
    const std::string scannerFolder = state_.ScannerFolderPath();
    const std::string initialFolder =
        platform_.files.FileExists(scannerFolder) ? scannerFolder : std::string();
    // The first, preselected filter shows only the scanner's log; the second
    // all files. The dialog shows each pattern after its description.
    const std::vector<FileFilter> filters = {{"eScan-log ", "mwav.log"},
                                             {state_.Text(kAllFilesRow), kAllFilesPattern}};
    const std::string path = ShowFileDialog(state_.Text(kOpenLogTitleRow), filters, initialFolder);
    if (path.empty()) return;
    OpenLogFile(path);
}

void LogEvaluationController::OpenLogFile(const std::string& path) {
    if (loading_) return;
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(path), sizeError);
    // What has no size (a device, a pipe) may never end: the worker's reading
    // stops it with an error instead of filling the memory.
    std::error_code existsError;
    const bool sizeless = sizeError && std::filesystem::exists(std::filesystem::path(path), existsError) &&
                          !std::filesystem::is_directory(std::filesystem::path(path), existsError);
    // A UTF-16 log is converted whole, so it takes the direct road.
    if (sizeless || (!sizeError && size >= workerFromBytes && !LogFileIsUtf16(path))) {
        OpenLogFileInWorker(path, sizeless ? 0 : size);
        return;
    }
    // An unreadable file counts as empty text.
    std::string text = LogTextFromLoadedBytes(ReadWholeFile(path));
    if (!ContainsIgnoreCase(text, "file")) {
        const std::string& row = state_.Text(kNoFileInformationRow);
        SetCaption(QString::fromUtf8(row.data(), static_cast<qsizetype>(row.size())));
        return;
    }
    state_.LogText = std::move(text);
    SetCaption(QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())));
    ParseLog(state_.LogText, path);
}

void LogEvaluationController::OpenLogFileInWorker(const std::string& path, std::uint64_t size) {
    loading_ = true;
    // The dialog shows the bytes read; the window keeps repainting meanwhile.
    auto* progress = new QProgressDialog(parts_.window);
    progress->setObjectName(QStringLiteral("logProgress"));
    const std::string& caption = More(MoreText::LogReadingProgress, state_.Language);
    progress->setLabelText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    progress->setCancelButton(nullptr);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(0);
    // Without a size the bar only shows that something happens.
    progress->setRange(0, size == 0 ? 0 : 1000);
    progress->setValue(0);
    auto bytesRead = std::make_shared<std::atomic<std::uint64_t>>(0);
    auto* ticker = new QTimer(progress);
    connect(ticker, &QTimer::timeout, progress, [progress, bytesRead, size] {
        progress->setValue(
            static_cast<int>(size == 0 ? 0 : std::min<std::uint64_t>(1000, *bytesRead * 1000 / size)));
    });
    ticker->start(50);

    const std::span<const LogEntry> kept = EntriesKeptByEvaluation(state_);
    auto* watcher = new QFutureWatcher<LoadedLog>(this);
    connect(watcher, &QFutureWatcher<LoadedLog>::finished, this, [this, watcher, progress, path] {
        progress->deleteLater();
        watcher->deleteLater();
        FinishLoading(path, watcher->result());
    });
    watcher->setFuture(QtConcurrent::run([path, kept = std::vector<LogEntry>(kept.begin(), kept.end()),
                                          header = ReportHeaderBytes(), bytesRead] {
        return LoadLogFile(path, kept, header, [&](std::uint64_t read) { *bytesRead = read; });
    }));
}

void LogEvaluationController::FinishLoading(const std::string& path, LoadedLog loaded) {
    if (loaded.openError || !ContainsIgnoreCase(loaded.text, "file")) {
        const std::string& row = state_.Text(kNoFileInformationRow);
        SetCaption(QString::fromUtf8(row.data(), static_cast<qsizetype>(row.size())));
    } else {
        state_.LogText = std::move(loaded.text);
        SetCaption(QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())));
        ShowEvaluation(TakeEvaluatedEntries(state_, std::move(loaded.found)), true);
        DeliverReport(loaded.report);
    }
    // A log that changed while it was read, or had lines left out, is shown
    // as far as it was read; one that is no log at all is not. The user is told.
    std::string warnings;
    for (const std::string& warning : LogReadWarnings(loaded.outcome, state_.Language))
        warnings += (warnings.empty() ? "" : "\r\n") + warning;
    if (!warnings.empty())
        platform_.ui.ShowMessage({warnings, state_.AppTitle, MessageButtons::Ok, MessageIcon::Warning});
    loading_ = false;
    emit logLoaded();
}

void LogEvaluationController::mnuAnalyzeClipboard_Click() {
    if (loading_) return;
    std::string text = LogTextFromLoadedBytes(platform_.ui.ClipboardText());
    if (text.size() <= 4 || !ContainsIgnoreCase(text, "file")) return;
    state_.LogText = std::move(text);
    ParseLog(state_.LogText, {});
    parts_.autoSizeColumns();
}

}  // namespace korvane
