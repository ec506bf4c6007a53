#include "delete/display_order.h"

#include <QAbstractProxyModel>
#include <QTreeView>

#include "log/result_list_model.h"

namespace korvane {

std::vector<int> RowsInDisplayOrder(const MainWindowParts& parts) {
    std::vector<int> order;
    if (parts.model == nullptr) return order;
    const QAbstractItemModel* shown = parts.list != nullptr ? parts.list->model() : nullptr;
    if (shown == nullptr || shown == parts.model) {
        for (int row = 0; row < parts.model->rowCount(); ++row) order.push_back(row);
        return order;
    }
    for (int row = 0; row < shown->rowCount(); ++row) {
        QModelIndex index = shown->index(row, 0);
        while (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(index.model())) {
            index = proxy->mapToSource(index);
        }
        if (index.isValid() && index.model() == parts.model) order.push_back(index.row());
    }
    return order;
}

}  // namespace korvane
