// The result list's marking operations, header clicks and mouse-up handling.
#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>

#include "log/list_hit_test.h"
#include "log/log_evaluation_controller.h"
#include "log/result_list_model.h"
#include "log/result_list_sorter.h"

namespace korvane {

void LogEvaluationController::mnuMarkAll_Click() {
    parts_.model->MarkAll();
}
void LogEvaluationController::mnuMarkInfected_Click() {
    parts_.model->MarkInfected();
}
void LogEvaluationController::mnuUnmarkAll_Click() {
    parts_.model->UnmarkAll();
}

void LogEvaluationController::ListView1_ColumnClick(int column) {
    QTreeView& list = *parts_.list;
    list.setUpdatesEnabled(false);
    // The order flips on every click, whichever column was clicked.
    sortOrder_ = sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sorted_ = true;
    sorter_->sort(column, sortOrder_);
    list.header()->setSortIndicatorShown(true);
    list.header()->setSortIndicator(column, sortOrder_);
    if (sorter_->rowCount() > 0) {
        const QModelIndex first = sorter_->index(0, 0);
        list.setCurrentIndex(first);
        list.scrollTo(first);
    }
    list.setUpdatesEnabled(true);
}

void LogEvaluationController::ListView1_MouseUp(Qt::MouseButton button, const QPoint& viewportPosition,
                                                const QPoint& globalPosition) {
    const ListHit hit = HitTestList(*parts_.list, viewportPosition);
    if (hit.kind == ListHit::Kind::Row) {
        state_.ClickedItemIndex = hit.modelRow + 1;
    } else if (hit.kind == ListHit::Kind::Cell) {
        const ResultRow& row = parts_.model->Row(hit.modelRow);
        state_.ClickedSubItemIndex = hit.column;
        state_.ClickedSubItemText = hit.column == 1 ? row.Path : row.Name;
    }
    if (button != Qt::RightButton) return;
    ShowPopupMenu(globalPosition);
}

void LogEvaluationController::ShowPopupMenu(const QPoint& globalPosition) {
    // The items belong to the main window and sit in the menu only as actions.
    const auto item = [this](const char* name) -> QAction* {
        for (QAction* action : parts_.popupMenu->actions()) {
            if (action->objectName() == QLatin1String(name)) return action;
        }
        return nullptr;
    };
    const bool onName = state_.ClickedSubItemIndex == 2;
    const bool hasEntries = state_.EntryCount() > 0;
    for (const char* name : {"mnuline4", "mnuGotoVirList"}) {
        if (QAction* a = item(name)) a->setVisible(onName);
    }
    for (const char* name : {"mnuline3", "mnuCopyToClipBoard"}) {
        if (QAction* a = item(name)) a->setVisible(hasEntries);
    }
    showPopup(*parts_.popupMenu, globalPosition);
}

void LogEvaluationController::ShowPopupMenuForCurrentRow() {
    // From the keyboard the pop-up acts as a right-click on the current row's
    // malware name, so every item, the online description too, can be reached.
    QTreeView& list = *parts_.list;
    const QModelIndex current = list.currentIndex();
    QPoint at = list.viewport()->rect().center();
    if (current.isValid()) {
        const int row = sorter_->mapToSource(current).row();
        state_.ClickedItemIndex = row + 1;
        state_.ClickedSubItemIndex = 2;
        state_.ClickedSubItemText = parts_.model->Row(row).Name;
        const QModelIndex name = current.siblingAtColumn(2);
        const QRect cell = list.visualRect(name).isValid() ? list.visualRect(name) : list.visualRect(current);
        if (list.viewport()->rect().intersects(cell)) at = cell.bottomLeft();
    }
    ShowPopupMenu(list.viewport()->mapToGlobal(at));
}

void LogEvaluationController::ToggleCurrentRow() {
    // Space ticks the row whichever of its cells is current.
    const QModelIndex current = parts_.list->currentIndex();
    if (!current.isValid()) return;
    const QModelIndex box = current.siblingAtColumn(0);
    const bool checked = box.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    sorter_->setData(box, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

}  // namespace korvane
