#pragma once
// The result list's rows in the order the user sees them. Sorting by a column
// changes only the display; the model's rows stay in entry order (row r holds
// entry r + 1). The delete run walks the rows this way and writes each row's
// status through ResultListModel::SetStatus(row, ...).
#include <vector>

class QAbstractItemView;

namespace korvane {

// Model row numbers (ResultListModel rows) in display order; works whether
// the view shows the model itself or a sorting proxy of it.
std::vector<int> RowsInDisplayOrder(const QAbstractItemView& list);

}  // namespace korvane
