#pragma once
// Which row and which cell of the result list lie under a point.
#include <QPoint>

class QTreeView;

namespace korvane {

struct ListHit {
    enum class Kind { None, Row, Cell };
    Kind kind = Kind::None;
    int modelRow = -1;  // ResultListModel row (entry index - 1)
    int column = -1;    // 0 status, 1 path, 2 name
};

// point: in the list's viewport, in pixels. A point right of the last column
// still finds its row (as a hit on the row's first column).
ListHit HitTestList(const QTreeView& list, const QPoint& point);

}  // namespace korvane
