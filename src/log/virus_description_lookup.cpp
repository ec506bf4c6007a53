// Looking up the clicked malware name online.
#include <QByteArray>
#include <QSettings>
#include <QtGlobal>

#include "core/virus_description.h"
#include "log/log_bytes.h"
#include "log/log_evaluation_controller.h"
#include "platform/settings_file.h"

namespace korvane {

std::string VirusInfoUrlTemplate() {
    const QByteArray variable = qgetenv(kVirusInfoUrlVariable);
    if (!variable.isEmpty()) return variable.toStdString();
    const QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    const QString setting = settings.value(QString::fromLatin1(kVirusInfoUrlSetting)).toString();
    return setting.isEmpty() ? std::string(kDefaultVirusInfoUrl) : setting.toStdString();
}

void LogEvaluationController::mnuGotoVirList_Click() {
    if (state_.ClickedSubItemIndex != 2) return;
    // The name as the list shows it, so the search gets UTF-8 whatever the log's code page.
    const std::string name = ShownLogBytes(CleanVirusName(state_.ClickedSubItemText)).toUtf8().toStdString();
    const std::string address = VirusDescriptionAddress(VirusInfoUrlTemplate(), name);
    // No message on failure: the click then simply shows nothing.
    if (!platform_.files.OpenUrlInBrowser(address)) openWithDesktop(address);
}

}  // namespace korvane
