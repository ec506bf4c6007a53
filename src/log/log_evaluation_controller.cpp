#include "log/log_evaluation_controller.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTreeView>
#include <QUrl>

#include "core/log_evaluation.h"
#include "log/local_path_bytes.h"
#include "log/result_list_model.h"
#include "log/result_list_sorter.h"

namespace korvane {

namespace {
constexpr int kNoFilesFoundRow = 93;
}

LogEvaluationController::LogEvaluationController(AppState& state, Platform& platform, MainWindowParts parts,
                                                 QObject* parent)
    : QObject(parent), state_(state), platform_(platform), parts_(std::move(parts)) {
    setObjectName(QStringLiteral("LogEvaluation"));
    showPopup = [](QMenu& menu, const QPoint& at) { menu.popup(at); };
    openWithDesktop = [](const std::string& address) {
        return QDesktopServices::openUrl(
            QUrl(QString::fromLocal8Bit(address.data(), static_cast<qsizetype>(address.size()))));
    };

    // Sorting changes only what the list shows; the model keeps entry order.
    sorter_ = new ResultListSorter(this);
    sorter_->setSourceModel(parts_.model);
    parts_.list->setModel(sorter_);

    QHeaderView* header = parts_.list->header();
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &LogEvaluationController::ListView1_ColumnClick);

    parts_.list->setAcceptDrops(true);
    parts_.list->viewport()->setAcceptDrops(true);
    parts_.list->viewport()->installEventFilter(this);
    parts_.list->installEventFilter(this);
}

bool LogEvaluationController::ListKeyboardEvent(QEvent* event) {
    if (event->type() == QEvent::ContextMenu) {
        if (static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Mouse) return false;
        ShowPopupMenuForCurrentRow();
        return true;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        ShowPopupMenuForCurrentRow();
        return true;
    }
    if (key->key() == Qt::Key_Space && modifiers == Qt::NoModifier) {
        ToggleCurrentRow();
        return true;
    }
    return false;
}

bool LogEvaluationController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parts_.list) return ListKeyboardEvent(event);
    if (watched != parts_.list->viewport()) return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            ListView1_MouseUp(mouse->button(), mouse->position().toPoint(),
                              mouse->globalPosition().toPoint());
            return false;  // the view still toggles check boxes and selects
        }
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!drag->mimeData()->hasUrls()) return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!drop->mimeData()->hasUrls()) return false;
            std::vector<std::string> paths;
            for (const QUrl& url : drop->mimeData()->urls()) {
                if (url.isLocalFile()) paths.push_back(LocalPathBytes(url));
            }
            drop->acceptProposedAction();
            ListView1_OLEDragDrop(paths);
            return true;
        }
        default:
            return false;
    }
}

void LogEvaluationController::SetCaption(const QString& suffix) {
    parts_.window->setWindowTitle(
        QString::fromUtf8(state_.AppTitle.data(), static_cast<qsizetype>(state_.AppTitle.size())) +
        QStringLiteral(" ---> ") + suffix);
}

void LogEvaluationController::SwitchSortingOff() {
    sorted_ = false;
    sorter_->sort(-1);
    parts_.list->header()->setSortIndicatorShown(false);
}

void LogEvaluationController::AppendEntryRow(std::size_t index) {
    parts_.model->AppendRow(RowForEntry(state_, index));
}

void LogEvaluationController::ParseLog(const std::string& logText, const std::string& /*sourceName*/) {
    ShowEvaluation(EvaluateLogIntoEntries(state_, logText), false);
    mnuCopyToClipBoard_Click();
}

void LogEvaluationController::ShowEvaluation(const LogEvaluation& evaluation, bool inBatches) {
    if (evaluation.entriesReplaced) {
        parts_.model->Clear();
        SwitchSortingOff();
        parts_.showColumnHeaders();
    }
    // A large log fills the list a batch at a time, so the window repaints in between.
    constexpr std::size_t kBatch = 50000;
    std::vector<ResultRow> rows;
    for (std::size_t i = evaluation.firstNewIndex; i <= state_.EntryCount(); ++i) {
        rows.push_back(RowForEntry(state_, i));
        if ((inBatches && rows.size() == kBatch) || i == state_.EntryCount()) {
            parts_.model->AppendRows(std::move(rows));
            rows.clear();
            parts_.showColumnHeaders();
            if (inBatches) QCoreApplication::processEvents();
        }
    }
    parts_.autoSizeColumns();
    if (state_.EntryCount() == 0) {
        platform_.ui.ShowMessage(
            {state_.Text(kNoFilesFoundRow), state_.AppTitle, MessageButtons::Ok, MessageIcon::None});
    }
}

}  // namespace korvane
