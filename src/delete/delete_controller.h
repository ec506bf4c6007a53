#pragma once
// The deletion handlers of the main window: the delete button and the
// backup-folder menu command.
#include <QObject>

#include "core/app_state.h"
#include "delete/delete_run.h"
#include "log/main_window_parts.h"
#include "platform/platform.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace korvane {

class DeleteController : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QPushButton* CB_DelFiles = nullptr;
        QCheckBox* Check_FileBackup = nullptr;
        QCheckBox* Check_DelAllOnReboot = nullptr;
        QCheckBox* Check_Reboot = nullptr;
        QLineEdit* Text1 = nullptr;
        QAction* mnuCleanBackupFolder = nullptr;
    };

    DeleteController(AppState& state, Platform& platform, MainWindowParts parts, Controls controls,
                     QObject* parent = nullptr);

    // The delete run over the list as shown. The button stays disabled while
    // it runs, and a press that arrives meanwhile is ignored.
    DeleteRunResult CB_DelFiles_Click();
    void mnuCleanBackupFolder_Click();

    bool Running() const { return running_; }
    DeleteOptions Options() const;

private:
    AppState& state_;
    Platform& platform_;
    MainWindowParts parts_;
    Controls controls_;
    bool running_ = false;
};

}  // namespace korvane
