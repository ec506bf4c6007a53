#pragma once
// The scanner's limits from the settings file, group [scanner].
#include <QString>

#include "core/scanner_limits.h"
#include "platform/settings_file.h"

class QSettings;

namespace korvane {

// Each limit the file sets replaces the default; a value that is missing,
// not a number or not above zero keeps the default. Sizes are bytes, times
// seconds:
//   download-maximum-bytes, download-stall-seconds, download-deadline-seconds,
//   download-minimum-bytes-per-second, download-minimum-rate-after-seconds,
//   unpack-maximum-bytes, unpack-maximum-ratio, unpack-free-space-margin-bytes,
//   updater-time-limit-seconds, start-time-limit-seconds
ScannerLimits ReadScannerLimits(QSettings& settings);
ScannerLimits ReadScannerLimits();

}  // namespace korvane
