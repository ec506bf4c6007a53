// Where the subsystems attach their handlers to the main window's controls.
#include "app/log_check.h"
#include "delete/delete_controller.h"

namespace korvane {

void LogCheck::InstallSubsystems() {
    // log evaluation

    // deletion
    subsystems_.push_back(std::make_shared<DeleteController>(
        state_, platform_, Parts(),
        DeleteController::Controls{CB_DelFiles, Check_FileBackup, Check_DelAllOnReboot, Check_Reboot, Text1,
                                   MenuItem(QStringLiteral("mnuCleanBackupFolder"))}));

    // scanner

}

}  // namespace korvane
