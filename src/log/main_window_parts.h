#pragma once
// What the main window hands to the subsystems that act on it. Controls and
// menu items are also reachable by their design names (findChild).
#include <functional>

class QMainWindow;
class QMenu;
class QTreeView;

namespace korvane {

class ResultListModel;

struct MainWindowParts {
    QMainWindow* window = nullptr;
    QTreeView* list = nullptr;      // ListView1
    ResultListModel* model = nullptr;
    QMenu* popupMenu = nullptr;     // mnurclick
    std::function<void()> autoSizeColumns;
    std::function<void()> showColumnHeaders;
};

}  // namespace korvane
