#include "core/start_up_rules.h"

#include "core/os_version.h"

namespace korvane {

std::optional<bool> RebootOptionsEnabled(std::int16_t osVersion, bool userIsAdmin) {
    if (!IsNtFamily(osVersion)) return std::nullopt;
    return userIsAdmin;
}

}  // namespace korvane
