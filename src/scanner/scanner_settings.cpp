#include "scanner/scanner_settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace korvane {

namespace {

void Read(QSettings& settings, const char* key, std::int64_t& value) {
    bool ok = false;
    const qlonglong read = settings.value(QLatin1String(key)).toLongLong(&ok);
    if (ok && read > 0) value = read;
}

void Read(QSettings& settings, const char* key, std::chrono::milliseconds& value) {
    std::int64_t seconds = 0;
    Read(settings, key, seconds);
    if (seconds > 0 && seconds < std::int64_t{1} << 40) value = std::chrono::seconds(seconds);
}

}  // namespace

ScannerLimits ReadScannerLimits(QSettings& settings) {
    ScannerLimits limits;
    settings.beginGroup(QStringLiteral("scanner"));
    Read(settings, "download-maximum-bytes", limits.downloadMaximumBytes);
    Read(settings, "download-stall-seconds", limits.stallTimeout);
    Read(settings, "download-deadline-seconds", limits.downloadDeadline);
    Read(settings, "download-minimum-bytes-per-second", limits.minimumBytesPerSecond);
    Read(settings, "download-minimum-rate-after-seconds", limits.minimumRateAfter);
    Read(settings, "unpack-maximum-bytes", limits.unpackMaximumBytes);
    Read(settings, "unpack-maximum-ratio", limits.unpackMaximumRatio);
    Read(settings, "unpack-free-space-margin-bytes", limits.freeSpaceMargin);
    Read(settings, "updater-time-limit-seconds", limits.updaterTimeLimit);
    Read(settings, "start-time-limit-seconds", limits.startTimeLimit);
    settings.endGroup();
    return limits;
}

ScannerLimits ReadScannerLimits() {
    QSettings settings(SettingsFilePath(), QSettings::IniFormat);
    return ReadScannerLimits(settings);
}

}  // namespace korvane
