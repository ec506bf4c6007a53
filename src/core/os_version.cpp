#include "core/os_version.h"

namespace korvane {

std::int16_t MapOsVersion(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                          std::uint32_t build) {
    const auto buildValue = static_cast<std::int16_t>(static_cast<std::uint16_t>(build & 0xFFFFu));
    switch (platformId) {
    case 2:  // NT
        if (major == 4) return 5;
        if (major == 5) {
            if (minor == 0) return 6;
            if (minor == 1) return 7;
            if (minor == 2) return 8;
            return 0;
        }
        // Vista and later: treating them as unknown (0) would send them down the
        // Wininit.ini road, which they ignore, so nothing would ever be deleted.
        if (major >= 6) return kOsLaterNt;
        return 0;
    case 1: {  // 9x
        const std::int16_t second = buildValue == 1998 ? 2 : 3;
        if (major > 4) return second;
        if (major == 4) {
            if (minor == 10) return second;
            if (minor == 0) return 1;
            if (minor == 90) return 4;
        }
        return 0;
    }
    case 0:
        return -1;
    default:
        return 0;
    }
}

}  // namespace korvane
