#include "scanner/scanner_settings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

#include "scanner/test_archive.h"

namespace korvane {
namespace {

TEST(ScannerSettings, LimitsComeFromTheSettingsFileOrTheirDefaults) {
    QTemporaryDir temp;
    const QString file = temp.filePath(QStringLiteral("korvane.ini"));
    testing::WriteFileBytes(file.toStdString(),
                            "[scanner]\n"
                            "download-maximum-bytes=5000\n"
                            "download-stall-seconds=7\n"
                            "download-deadline-seconds=60\n"
                            "unpack-maximum-ratio=20\n"
                            "updater-time-limit-seconds=90\n"
                            "start-time-limit-seconds=not a number\n"
                            "unpack-free-space-margin-bytes=-5\n");
    ::setenv("KORVANE_SETTINGS", file.toLocal8Bit().constData(), 1);
    EXPECT_EQ(SettingsFilePath(), file);
    const ScannerLimits limits = ReadScannerLimits();
    ::unsetenv("KORVANE_SETTINGS");

    const ScannerLimits defaults;
    EXPECT_EQ(limits.downloadMaximumBytes, 5000);
    EXPECT_EQ(limits.stallTimeout, std::chrono::seconds(7));
    EXPECT_EQ(limits.downloadDeadline, std::chrono::seconds(60));
    EXPECT_EQ(limits.unpackMaximumRatio, 20);
    EXPECT_EQ(limits.updaterTimeLimit, std::chrono::seconds(90));
    // Missing, unreadable or not above zero: the default stays.
    EXPECT_EQ(limits.startTimeLimit, defaults.startTimeLimit);
    EXPECT_EQ(limits.freeSpaceMargin, defaults.freeSpaceMargin);
    EXPECT_EQ(limits.minimumBytesPerSecond, defaults.minimumBytesPerSecond);
    EXPECT_EQ(limits.unpackMaximumBytes, defaults.unpackMaximumBytes);
}

}  // namespace
}  // namespace korvane
