#pragma once
// The result list's sorting: by the rows' own bytes, ignoring ASCII case,
// instead of by the texts the list shows. Comparing the shown texts would
// convert two strings for every comparison, which a list of a million rows
// makes tens of millions of times.
#include <QSortFilterProxyModel>

namespace korvane {

class ResultListSorter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

}  // namespace korvane
