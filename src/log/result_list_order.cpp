#include "log/result_list_order.h"

#include <QAbstractItemView>
#include <QAbstractProxyModel>

namespace korvane {

std::vector<int> RowsInDisplayOrder(const QAbstractItemView& list) {
    std::vector<int> rows;
    const QAbstractItemModel* shown = list.model();
    if (shown == nullptr) return rows;
    const auto* proxy = qobject_cast<const QAbstractProxyModel*>(shown);
    const int count = shown->rowCount();
    rows.reserve(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r) {
        rows.push_back(proxy != nullptr ? proxy->mapToSource(proxy->index(r, 0)).row() : r);
    }
    return rows;
}

}  // namespace korvane
