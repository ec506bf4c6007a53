// Looking up the clicked malware name in the online virus encyclopaedia.
#include <QByteArray>
#include <QtGlobal>

#include "core/virus_description.h"
#include "log/log_evaluation_controller.h"

namespace korvane {

std::string VirusInfoHost() {
    const QByteArray host = qgetenv(kVirusInfoHostVariable);
    return host.isEmpty() ? std::string(kDefaultVirusInfoHost) : host.toStdString();
}

void LogEvaluationController::mnuGotoVirList_Click() {
    if (state_.ClickedSubItemIndex != 2) return;
    const std::string address =
        VirusDescriptionAddress(VirusInfoHost(), CleanVirusName(state_.ClickedSubItemText));
    // No message on failure: the click then simply shows nothing.
    if (!platform_.files.OpenUrlInBrowser(address)) openWithDesktop(address);
}

}  // namespace korvane
