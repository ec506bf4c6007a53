// Where the subsystems attach their handlers to the main window's controls.
#include "app/log_check.h"

#include <QAction>

#include "app/frm_restore.h"
#include "delete/delete_controller.h"
#include "log/log_evaluation_controller.h"
#include "scanner/frm_download.h"

namespace korvane {

void LogCheck::InstallSubsystems() {
    // log evaluation
    {
        // A child of the window, found by RunWindowed for "korvane LOGFILE".
        auto* log = new LogEvaluationController(state_, platform_, Parts(), this);
        const std::pair<const char*, void (LogEvaluationController::*)()> kLogItems[] = {
            {"mnuOpen_Escan", &LogEvaluationController::mnuOpen_Escan_Click},
            {"mnuAnalyzeClipboard", &LogEvaluationController::mnuAnalyzeClipboard_Click},
            {"mnuAddFileToDelete", &LogEvaluationController::mnuAddFileToDelete_Click},
            {"mnuAddFilemanual", &LogEvaluationController::mnuAddFilemanual_Click},
            {"mnuMarkInfected", &LogEvaluationController::mnuMarkInfected_Click},
            {"mnuMarkAll", &LogEvaluationController::mnuMarkAll_Click},
            {"mnuUnmarkAll", &LogEvaluationController::mnuUnmarkAll_Click},
            {"mnuCopyToClipBoard", &LogEvaluationController::mnuCopyToClipBoard_Click},
            {"mnuGotoVirList", &LogEvaluationController::mnuGotoVirList_Click},
        };
        for (const auto& [name, handler] : kLogItems) {
            connect(MenuItem(QString::fromLatin1(name)), &QAction::triggered, log, handler);
        }
    }

    // deletion
    subsystems_.push_back(std::make_shared<DeleteController>(
        state_, platform_, Parts(),
        DeleteController::Controls{CB_DelFiles, Check_FileBackup, Check_DelAllOnReboot, Check_Reboot, Text1,
                                   MenuItem(QStringLiteral("mnuCleanBackupFolder"))}));
    connect(MenuItem(QStringLiteral("mnuRestoreBackup")), &QAction::triggered, this, [this] {
        auto* restore = findChild<FrmRestore*>();
        if (restore == nullptr) restore = new FrmRestore(state_, platform_, this);
        restore->ApplyLanguage();
        restore->Reload();
        restore->open();
    });

    // scanner
    connect(MenuItem(QStringLiteral("mnuEscanDown")), &QAction::triggered, this,
            [this] { frmDownload_->ShowModal(); });

}

}  // namespace korvane
