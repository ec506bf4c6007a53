#pragma once
// The log evaluation on the main window: loading a log from a file or the
// clipboard, the result list's marking, sorting and pop-up menu, adding
// objects by hand, the report and the online virus description.
#include <QObject>
#include <QPoint>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/log_evaluation.h"
#include "core/log_file_load.h"
#include "log/main_window_parts.h"
#include "platform/platform.h"

class QMenu;

namespace korvane {

class ResultListSorter;

class LogEvaluationController : public QObject {
    Q_OBJECT
public:
    // Puts a sorting proxy between the list and its model and connects the
    // list's header, mouse and drop events; menu items are connected by the
    // caller (see subsystems.cpp).
    LogEvaluationController(AppState& state, Platform& platform, MainWindowParts parts,
                            QObject* parent = nullptr);

    // Shows the pop-up menu without waiting; tests record the call instead.
    std::function<void(QMenu& menu, const QPoint& globalPosition)> showPopup;
    // Last resort for the online description: the desktop's own handler.
    std::function<bool(const std::string& address)> openWithDesktop;

    // Loading a log.
    void mnuOpen_Escan_Click();
    void mnuAnalyzeClipboard_Click();
    // The file loader from the chosen path on: read, test, caption, evaluate.
    // A log of workerFromBytes or more is read and evaluated in a worker
    // while a progress dialog shows the bytes read and the window repaints;
    // logLoaded tells when it is shown.
    void OpenLogFile(const std::string& path);
    std::uint64_t workerFromBytes = std::uint64_t{16} << 20;
    bool Loading() const { return loading_; }
    // Evaluates log text already stored in LogText; fills the list, tells the
    // user when nothing was found and produces the report.
    void ParseLog(const std::string& logText, const std::string& sourceName);

    // Adding by hand.
    void mnuAddFilemanual_Click();
    void mnuAddFileToDelete_Click();
    void ListView1_OLEDragDrop(const std::vector<std::string>& droppedPaths);

    // The result list.
    void mnuMarkAll_Click();
    void mnuMarkInfected_Click();
    void mnuUnmarkAll_Click();
    void ListView1_MouseUp(Qt::MouseButton button, const QPoint& viewportPosition,
                           const QPoint& globalPosition);
    void ListView1_ColumnClick(int column);
    // The pop-up menu with the items that fit the remembered click.
    void ShowPopupMenu(const QPoint& globalPosition);
    // Menu key or Shift+F10 on the list.
    void ShowPopupMenuForCurrentRow();
    void ToggleCurrentRow();

    void mnuCopyToClipBoard_Click();
    void mnuGotoVirList_Click();

    // Open-file dialog: starts in initialFolder (or the current folder) and
    // remembers the chosen file's folder in DialogFolder. Empty when cancelled.
    std::string ShowFileDialog(const std::string& title, const std::vector<FileFilter>& filters,
                               const std::string& initialFolder);

    // The list's sort state: on from the first header click until the next
    // evaluation that starts from an empty list.
    bool IsSorted() const { return sorted_; }
    Qt::SortOrder SortOrder() const { return sortOrder_; }

signals:
    void logLoaded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Menu key, Shift+F10 and Space on the list; true when handled.
    bool ListKeyboardEvent(QEvent* event);
    void AppendEntryRow(std::size_t index);
    void AppendByHand(const std::string& path);
    void SwitchSortingOff();
    void SetCaption(const QString& suffix);
    void OpenLogFileInWorker(const std::string& path, std::uint64_t size);
    void FinishLoading(const std::string& path, LoadedLog loaded);
    // The rows of a finished evaluation, and the message when it found nothing.
    void ShowEvaluation(const LogEvaluation& evaluation, bool inBatches);
    // Text row 96 in the report's code page.
    std::string ReportHeaderBytes() const;
    void DeliverReport(const std::string& report);

    AppState& state_;
    Platform& platform_;
    MainWindowParts parts_;
    ResultListSorter* sorter_ = nullptr;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    bool sorted_ = false;
    bool loading_ = false;
};

// Where names are looked up online: KORVANE_VIRUS_INFO_URL when set, else
// VirusInfoUrl in the settings file (korvane/korvane.ini in the user's
// configuration folder), else a web search; "%s" stands for the name.
std::string VirusInfoUrlTemplate();

}  // namespace korvane
