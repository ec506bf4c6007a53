#pragma once
#include <cstdint>
#include <optional>

namespace korvane {

// Whether the two restart options (delete all on reboot, restart now) are
// enabled after start-up: on the NT family exactly for an administrator; on
// every other system they keep their design state (nullopt).
std::optional<bool> RebootOptionsEnabled(std::int16_t osVersion, bool userIsAdmin);

}  // namespace korvane
