#include <gtest/gtest.h>

#include "core/start_up_rules.h"

namespace korvane {
namespace {

TEST(RebootOptionsEnabled, ByFamilyAndRights) {
    for (std::int16_t older : {-1, 0, 1, 2, 3, 4}) {
        EXPECT_EQ(RebootOptionsEnabled(older, true), std::nullopt) << older;
        EXPECT_EQ(RebootOptionsEnabled(older, false), std::nullopt) << older;
    }
    for (std::int16_t nt : {5, 6, 7, 8, 9}) {
        EXPECT_EQ(RebootOptionsEnabled(nt, true), std::optional<bool>(true)) << nt;
        EXPECT_EQ(RebootOptionsEnabled(nt, false), std::optional<bool>(false)) << nt;
    }
}

}  // namespace
}  // namespace korvane
