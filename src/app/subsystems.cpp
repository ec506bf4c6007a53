// Where the subsystems attach their handlers to the main window's controls.
#include "app/log_check.h"

#include <QAction>

#include "scanner/frm_download.h"

namespace korvane {

void LogCheck::InstallSubsystems() {
    // log evaluation

    // deletion

    // scanner
    connect(MenuItem(QStringLiteral("mnuEscanDown")), &QAction::triggered, this,
            [this] { frmDownload_->ShowModal(); });

}

}  // namespace korvane
