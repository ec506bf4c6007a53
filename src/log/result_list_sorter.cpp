#include "log/result_list_sorter.h"

#include <string>

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
int CompareIgnoringCase(const std::string& a, const std::string& b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = Lower(a[i]);
        const unsigned char y = Lower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

bool ResultListSorter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const auto* model = qobject_cast<const ResultListModel*>(sourceModel());
    if (model == nullptr) return QSortFilterProxyModel::lessThan(left, right);
    const int column = left.column();
    const int order =
        CompareIgnoringCase(Field(model->Row(left.row()), column), Field(model->Row(right.row()), column));
    // Equal texts keep the order of the log.
    return order != 0 ? order < 0 : left.row() < right.row();
}

}  // namespace korvane
