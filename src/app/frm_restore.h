#pragma once
// The window behind "Restore from backup…": the backups in KRBackup (time,
// original path, malware name, size; sortable by each), and putting the
// chosen ones back, elsewhere, or deleting them.
#include <QDialog>
#include <cstdint>
#include <vector>

#include "core/app_state.h"
#include "platform/platform.h"

class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTreeView;

namespace korvane {

class FrmRestore : public QDialog {
    Q_OBJECT
public:
    FrmRestore(AppState& state, Platform& platform, QWidget* parent = nullptr);

    void ApplyLanguage();
    // Reads the manifest again and lists its backups; a damaged one is reported.
    void Reload();

    void CmdRestore_Click();
    void CmdRestoreTo_Click();
    void CmdDelete_Click();

    QTreeView* List = nullptr;
    QPushButton* CmdRestore = nullptr;
    QPushButton* CmdRestoreTo = nullptr;
    QPushButton* CmdDelete = nullptr;
    QPushButton* CmdClose = nullptr;

private:
    std::vector<std::uint64_t> SelectedIds() const;
    void Restore(const std::string& folder);
    void Tell(const std::string& text, MessageIcon icon);

    AppState& state_;
    Platform& platform_;
    QStandardItemModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
};

}  // namespace korvane
