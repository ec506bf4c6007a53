#include "log/result_list_model.h"

#include "core/text_util.h"
#include "log/log_bytes.h"

namespace korvane {

namespace {
// Log paths are bytes in the system code page; UI texts are UTF-8.
QString FromPath(const std::string& path) { return ShownLogBytes(path); }
QString FromUi(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
}  // namespace

ResultListModel::ResultListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const ResultRow& row = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case 0: return FromUi(row.Status);
        case 1: return FromPath(row.Path);
        case 2: return FromPath(row.Name);
        default: return {};
        }
    }
    if (role == Qt::CheckStateRole && index.column() == 0) {
        return row.Checked ? Qt::Checked : Qt::Unchecked;
    }
    return {};
}

bool ResultListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole) return false;
    SetChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags ResultListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < headers_.size()) {
        return headers_[section];
    }
    return {};
}

void ResultListModel::SetHeaders(const QStringList& headers) {
    headers_ = headers;
    emit headerDataChanged(Qt::Horizontal, 0, 2);
}

void ResultListModel::ReplaceRows(std::vector<ResultRow> rows) {
    if (rows.size() != rows_.size()) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
        return;
    }
    rows_ = std::move(rows);
    if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 2));
}

void ResultListModel::AppendRow(ResultRow row) {
    const int at = rowCount();
    beginInsertRows({}, at, at);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void ResultListModel::AppendRows(std::vector<ResultRow> rows) {
    if (rows.empty()) return;
    const int at = rowCount();
    beginInsertRows({}, at, at + static_cast<int>(rows.size()) - 1);
    rows_.reserve(rows_.size() + rows.size());
    for (ResultRow& row : rows) rows_.push_back(std::move(row));
    endInsertRows();
}

void ResultListModel::CheckRowsWhere(bool checked, bool (*applies)(const ResultRow&)) {
    if (rows_.empty()) return;
    for (ResultRow& row : rows_) {
        if (applies(row)) row.Checked = checked;
    }
    emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
}

void ResultListModel::MarkAll() {
    CheckRowsWhere(true, [](const ResultRow&) { return true; });
}

void ResultListModel::UnmarkAll() {
    CheckRowsWhere(false, [](const ResultRow&) { return true; });
}

void ResultListModel::MarkInfected() {
    CheckRowsWhere(true, [](const ResultRow& row) { return !ContainsIgnoreCase(row.Name, "tagged"); });
}

void ResultListModel::Clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void ResultListModel::SetChecked(int index, bool checked) {
    rows_[static_cast<std::size_t>(index)].Checked = checked;
    emit dataChanged(this->index(index, 0), this->index(index, 0), {Qt::CheckStateRole});
}

void ResultListModel::SetStatus(int index, const std::string& status) {
    rows_[static_cast<std::size_t>(index)].Status = status;
    emit dataChanged(this->index(index, 0), this->index(index, 0), {Qt::DisplayRole});
}

}  // namespace korvane
