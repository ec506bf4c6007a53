#pragma once
// The limits that keep a hostile site, a damaged archive or a hanging
// updater from filling the disk or holding the run forever. The defaults fit
// the real scanner archive (well under 1 GiB, a few hundred MB unpacked) on
// a slow line; each can be changed in the settings file.
#include <chrono>
#include <cstdint>

namespace korvane {

struct ScannerLimits {
    // Downloads
    std::int64_t downloadMaximumBytes = std::int64_t{1} << 30;
    std::chrono::milliseconds stallTimeout{30000};
    std::chrono::milliseconds downloadDeadline{std::chrono::hours(2)};
    // The average over the whole transfer, judged once minimumRateAfter has passed.
    std::int64_t minimumBytesPerSecond = 1024;
    std::chrono::milliseconds minimumRateAfter{60000};
    // Unpacking
    std::int64_t unpackMaximumBytes = std::int64_t{4} << 30;
    std::int64_t unpackMaximumRatio = 100;  // unpacked bytes per archive byte
    std::int64_t freeSpaceMargin = std::int64_t{64} << 20;
    // Waits for outside programs
    std::chrono::milliseconds updaterTimeLimit{std::chrono::hours(1)};
    std::chrono::milliseconds startTimeLimit{60000};
};

}  // namespace korvane
