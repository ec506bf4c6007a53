#pragma once
#include <vector>

#include "core/result_row.h"
#include "core/ui_text.h"

namespace korvane {

// After a language switch: status texts of rows 21, 22, 23 and 29 and the
// hand-added name (row 39) of the previous language become the new language's.
// Any other text stays as it is.
void RelabelRows(std::vector<ResultRow>& rows, const UiText& table, UiLanguage previous,
                 UiLanguage current);

}  // namespace korvane
