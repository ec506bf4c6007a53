// Loading a log from a file or from the clipboard.
#include <QDir>
#include <QTreeView>

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

void LogEvaluationController::mnuAnalyzeClipboard_Click() {
    std::string text = LogTextFromLoadedBytes(platform_.ui.ClipboardText());
    if (text.size() <= 4 || !ContainsIgnoreCase(text, "file")) return;
    state_.LogText = std::move(text);
    ParseLog(state_.LogText, {});
    parts_.autoSizeColumns();
}

}  // namespace korvane
