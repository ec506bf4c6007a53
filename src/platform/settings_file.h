#pragma once
// The one settings file (scanner limits, the online description's address):
// KORVANE_SETTINGS when set, else korvane/korvane.ini in the user's
// configuration folder (~/.config on Linux). Qt side only.
#include <QDir>
#include <QStandardPaths>
#include <QString>

namespace korvane {

inline QString SettingsFilePath() {
    const QString chosen = qEnvironmentVariable("KORVANE_SETTINGS");
    if (!chosen.isEmpty()) return chosen;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("korvane/korvane.ini"));
}

}  // namespace korvane
