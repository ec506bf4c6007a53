#pragma once
// Which model row each line of the result list shows, top to bottom.
#include <vector>

#include "log/main_window_parts.h"

namespace korvane {

// Model row indices in display order; a sorting proxy between list and model
// is followed back to the model's rows.
std::vector<int> RowsInDisplayOrder(const MainWindowParts& parts);

}  // namespace korvane
