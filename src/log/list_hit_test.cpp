#include "log/list_hit_test.h"

#include <QAbstractProxyModel>
#include <QTreeView>

namespace korvane {

namespace {
int ModelRow(const QTreeView& list, const QModelIndex& shown) {
    const auto* proxy = qobject_cast<const QAbstractProxyModel*>(list.model());
    return proxy != nullptr ? proxy->mapToSource(shown).row() : shown.row();
}
}  // namespace

ListHit HitTestList(const QTreeView& list, const QPoint& point) {
    ListHit hit;
    if (list.model() == nullptr || list.model()->rowCount() == 0) return hit;
    QModelIndex shown = list.indexAt(point);
    if (!shown.isValid()) {
        // Outside every column: take the row at that height, if there is one.
        const QModelIndex sameRow = list.indexAt(QPoint(list.columnViewportPosition(0) + 1, point.y()));
        if (!sameRow.isValid() || point.x() < list.columnViewportPosition(0)) return hit;
        hit.kind = ListHit::Kind::Row;
        hit.modelRow = ModelRow(list, sameRow);
        hit.column = 0;
        return hit;
    }
    hit.modelRow = ModelRow(list, shown);
    hit.column = shown.column();
    hit.kind = hit.column < 1 ? ListHit::Kind::Row : ListHit::Kind::Cell;
    return hit;
}

}  // namespace korvane
