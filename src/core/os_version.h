#pragma once
#include <cstdint>

namespace korvane {

// System codes: -1 Win32s, 0 unknown, 1 95, 2 98 (build 1998), 3 other 98,
// 4 ME, 5 NT 4, 6 2000, 7 XP, 8 Server 2003, 9 later NT family (Vista on).
inline constexpr std::int16_t kOsLaterNt = 9;

// Maps what the system reports to a system code. Only the low 16 bits of the
// build count, read as a signed number.
std::int16_t MapOsVersion(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                          std::uint32_t build);

// Codes 5 and above use the NT restart mechanisms; all others the older ones.
inline bool IsNtFamily(std::int16_t osVersion) { return osVersion >= 5; }

}  // namespace korvane
