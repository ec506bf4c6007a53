#include "log/result_list_sorter.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>

#include "log/result_list_model.h"

namespace korvane {

namespace {

const std::string& Field(const ResultRow& row, int column) {
    if (column == 0) return row.Status;
    return column == 1 ? row.Path : row.Name;
}

unsigned char Lower(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// -1, 0 or 1 as a is before, equal to or after b, ignoring ASCII case.
int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t i = 0;
    while (i < common) {
        // Bytes that are equal are equal ignoring case too: skip them fast.
        i = static_cast<std::size_t>(std::mismatch(a.begin() + static_cast<std::ptrdiff_t>(i),
                                                   a.begin() + static_cast<std::ptrdiff_t>(common),
                                                   b.begin() + static_cast<std::ptrdiff_t>(i))
                                         .first -
                                     a.begin());
        if (i == common) break;
        const unsigned char x = Lower(a[i]);
        const unsigned char y = Lower(b[i]);
        if (x != y) return x < y ? -1 : 1;
        ++i;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

// Whether model row a is shown before model row b.
struct RowOrder {
    const std::vector<ResultRow>* rows = nullptr;
    int column = -1;
    bool ascending = true;

    bool operator()(int a, int b) const {
        if (rows == nullptr || column < 0 || column > 2) return a < b;
        const int order = CompareIgnoringCase(Field((*rows)[static_cast<std::size_t>(a)], column),
                                              Field((*rows)[static_cast<std::size_t>(b)], column));
        // Equal texts keep the order of the log, whichever the direction.
        if (order == 0) return a < b;
        return ascending ? order < 0 : order > 0;
    }
};

ResultListSorter::ResultListSorter(QObject* parent) : QAbstractProxyModel(parent) {}

const ResultListModel* ResultListSorter::Rows() const {
    return qobject_cast<const ResultListModel*>(sourceModel());
}

void ResultListSorter::setSourceModel(QAbstractItemModel* source) {
    beginResetModel();
    if (sourceModel() != nullptr) disconnect(sourceModel(), nullptr, this, nullptr);
    QAbstractProxyModel::setSourceModel(source);
    if (source != nullptr) {
        connect(source, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
        connect(source, &QAbstractItemModel::modelReset, this, [this] {
            Identity();
            Sort();
            endResetModel();
        });
        connect(source, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex&, int first, int last) { SourceRowsInserted(first, last); });
        connect(source, &QAbstractItemModel::dataChanged, this, &ResultListSorter::SourceDataChanged);
        connect(source, &QAbstractItemModel::headerDataChanged, this, &QAbstractItemModel::headerDataChanged);
        connect(source, &QAbstractItemModel::layoutChanged, this, [this] {
            beginResetModel();
            Identity();
            Sort();
            endResetModel();
        });
    }
    Identity();
    Sort();
    endResetModel();
}

void ResultListSorter::Identity() {
    const int count = sourceModel() != nullptr ? sourceModel()->rowCount() : 0;
    toSource_.resize(static_cast<std::size_t>(count));
    std::iota(toSource_.begin(), toSource_.end(), 0);
}

RowOrder ResultListSorter::Order() const {
    const ResultListModel* model = Rows();
    return {model != nullptr ? &model->Rows() : nullptr, column_, order_ == Qt::AscendingOrder};
}
void ResultListSorter::Sort() {
    const RowOrder order = Order();
    if (order.rows == nullptr || order.column < 0 || order.column > 2) {
        std::sort(toSource_.begin(), toSource_.end());
        MapBack();
        return;
    }
    // Each text once in lower case, side by side: the comparisons are then
    // plain byte comparisons that do not wander through the rows.
    struct Key {
        std::string text;
        int row;
    };
    std::vector<Key> keys;
    keys.reserve(toSource_.size());
    for (const int row : toSource_) {
        std::string text = Field((*order.rows)[static_cast<std::size_t>(row)], order.column);
        for (char& c : text) c = static_cast<char>(Lower(c));
        keys.push_back({std::move(text), row});
    }
    std::sort(keys.begin(), keys.end(), [ascending = order.ascending](const Key& a, const Key& b) {
        const int compared = std::string_view(a.text).compare(b.text);
        if (compared == 0) return a.row < b.row;
        return ascending ? compared < 0 : compared > 0;
    });
    for (std::size_t i = 0; i < keys.size(); ++i) toSource_[i] = keys[i].row;
    MapBack();
}

void ResultListSorter::MapBack() {
    fromSource_.assign(toSource_.size(), 0);
    for (std::size_t proxyRow = 0; proxyRow < toSource_.size(); ++proxyRow)
        fromSource_[static_cast<std::size_t>(toSource_[proxyRow])] = static_cast<int>(proxyRow);
}

void ResultListSorter::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList sources;
    sources.reserve(before.size());
    for (const QModelIndex& index : before) sources.push_back(mapToSource(index));
    column_ = column;
    order_ = order;
    Sort();
    QModelIndexList after;
    after.reserve(sources.size());
    for (const QModelIndex& source : sources) after.push_back(mapFromSource(source));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultListSorter::SourceRowsInserted(int first, int last) {
    // Unsorted, new rows join at the end, as in the model.
    if (column_ < 0) {
        const int at = static_cast<int>(toSource_.size());
        beginInsertRows({}, at, at + (last - first));
        for (int row = first; row <= last; ++row) {
            toSource_.push_back(row);
            fromSource_.push_back(static_cast<int>(toSource_.size()) - 1);
        }
        endInsertRows();
        return;
    }
    // Sorted, a row added by hand lands at its sorted place; a large batch
    // is sorted in with the rest.
    if (last - first >= 64) {
        const int at = static_cast<int>(toSource_.size());
        beginInsertRows({}, at, at + (last - first));
        for (int row = first; row <= last; ++row) toSource_.push_back(row);
        MapBack();
        endInsertRows();
        sort(column_, order_);
        return;
    }
    for (int row = first; row <= last; ++row) {
        const auto place = std::upper_bound(toSource_.begin(), toSource_.end(), row, Order());
        const int at = static_cast<int>(place - toSource_.begin());
        beginInsertRows({}, at, at);
        toSource_.insert(place, row);
        MapBack();
        endInsertRows();
    }
}

void ResultListSorter::SourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                         const QList<int>& roles) {
    if (!topLeft.isValid() || !bottomRight.isValid() || toSource_.empty()) return;
    const int firstColumn = topLeft.column();
    const int lastColumn = bottomRight.column();
    if (topLeft.row() == bottomRight.row()) {
        const int row = fromSource_[static_cast<std::size_t>(topLeft.row())];
        emit dataChanged(index(row, firstColumn), index(row, lastColumn), roles);
        return;
    }
    // A range of the model is scattered in the list: the whole list is told.
    emit dataChanged(index(0, firstColumn), index(static_cast<int>(toSource_.size()) - 1, lastColumn), roles);
}

QModelIndex ResultListSorter::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
    return createIndex(row, column);
}

QModelIndex ResultListSorter::parent(const QModelIndex&) const {
    return {};
}

int ResultListSorter::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(toSource_.size());
}

int ResultListSorter::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || sourceModel() == nullptr ? 0 : sourceModel()->columnCount();
}

QModelIndex ResultListSorter::mapToSource(const QModelIndex& proxyIndex) const {
    if (!proxyIndex.isValid() || sourceModel() == nullptr ||
        proxyIndex.row() >= static_cast<int>(toSource_.size()))
        return {};
    return sourceModel()->index(toSource_[static_cast<std::size_t>(proxyIndex.row())], proxyIndex.column());
}

QVariant ResultListSorter::headerData(int section, Qt::Orientation orientation, int role) const {
    if (sourceModel() == nullptr) return {};
    if (orientation == Qt::Vertical) {
        if (section < 0 || section >= static_cast<int>(toSource_.size())) return {};
        section = toSource_[static_cast<std::size_t>(section)];
    }
    return sourceModel()->headerData(section, orientation, role);
}

QModelIndex ResultListSorter::mapFromSource(const QModelIndex& sourceIndex) const {
    if (!sourceIndex.isValid() || sourceIndex.row() >= static_cast<int>(fromSource_.size())) return {};
    return index(fromSource_[static_cast<std::size_t>(sourceIndex.row())], sourceIndex.column());
}

}  // namespace korvane
