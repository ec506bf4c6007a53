#include "core/relabel_rows.h"

#include "core/status_rows.h"

namespace korvane {

void RelabelRows(std::vector<ResultRow>& rows, const UiText& table, UiLanguage previous,
                 UiLanguage current) {
    static constexpr int kStatusRows[] = {kStatusAdded, kStatusDeleted, kStatusFailed, kStatusReboot};
    for (ResultRow& row : rows) {
        for (int statusRow : kStatusRows) {
            if (row.Status == table.Get(statusRow, previous)) {
                row.Status = table.Get(statusRow, current);
                break;
            }
        }
        if (row.Name == table.Get(kAddedByUserName, previous)) {
            row.Name = table.Get(kAddedByUserName, current);
        }
    }
}

}  // namespace korvane
