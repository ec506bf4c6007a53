#pragma once
// The result list's rows: status (with the check box), path and malware name.
// Row i belongs to entry i of LogEntries; rows are only ever appended, and all
// of them are removed together at the start of an evaluation.
#include <QAbstractTableModel>
#include <vector>

#include "core/result_row.h"

namespace korvane {

class ResultListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetHeaders(const QStringList& headers);

    const std::vector<ResultRow>& Rows() const { return rows_; }
    const ResultRow& Row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
    // Replaces all rows' texts in place (same count), e.g. after relabelling.
    void ReplaceRows(std::vector<ResultRow> rows);
    void AppendRow(ResultRow row);
    // Many rows in one insertion, so a long log fills the list in one step.
    void AppendRows(std::vector<ResultRow> rows);
    void Clear();
    void SetChecked(int index, bool checked);
    void SetStatus(int index, const std::string& status);

    // The pop-up menu's marking operations.
    void MarkAll();
    void UnmarkAll();
    // Checks every row whose name does not contain "tagged" (any case): rows
    // added by hand, rows with an empty name and finished rows too. Tagged
    // rows keep their box as it is.
    void MarkInfected();

private:
    void CheckRowsWhere(bool checked, bool (*applies)(const ResultRow&));

    std::vector<ResultRow> rows_;
    QStringList headers_;
};

}  // namespace korvane
