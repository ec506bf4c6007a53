#pragma once
// The result list in the order the user chose: a permutation of the model's
// rows, sorted by the rows' own bytes (ASCII case ignored, equal texts in log
// order). It sorts the permutation itself instead of going through
// QSortFilterProxyModel, whose comparisons through model indexes and shown
// texts take many seconds on a list of a million rows.
//
// The model only ever appends rows or is reset; both are followed (a row
// added while sorted lands at its sorted place). A change of a row's status
// or check box is shown in place: rows do not move under the user while a
// delete run writes their statuses.
#include <QAbstractProxyModel>
#include <vector>

namespace korvane {

class ResultListModel;
struct RowOrder;

class ResultListSorter : public QAbstractProxyModel {
    Q_OBJECT
public:
    explicit ResultListSorter(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    // The columns' captions, also while the list is empty.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // column -1: the model's own order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    int SortColumn() const { return column_; }

private:
    const ResultListModel* Rows() const;
    void Identity();
    // The chosen order of model rows.
    RowOrder Order() const;
    // Puts toSource_ in the chosen order and rebuilds fromSource_.
    void Sort();
    void MapBack();
    void SourceRowsInserted(int first, int last);
    void SourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                           const QList<int>& roles);

    std::vector<int> toSource_;    // proxy row -> model row
    std::vector<int> fromSource_;  // model row -> proxy row
    int column_ = -1;
    Qt::SortOrder order_ = Qt::AscendingOrder;
};

}  // namespace korvane
