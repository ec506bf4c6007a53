#include <gtest/gtest.h>

#include "core/os_version.h"

namespace korvane {
namespace {

struct Case {
    const char* system;
    std::uint32_t platform, major, minor, build;
    std::int16_t code;
};

TEST(MapOsVersion, KnownAndUnknownSystems) {
    const Case cases[] = {
        {"Win32s", 0, 3, 10, 0, -1},
        {"Windows 95", 1, 4, 0, 950, 1},
        {"Windows 98", 1, 4, 10, 1998, 2},
        {"Windows 98 SE", 1, 4, 10, 2222, 3},
        {"98 build in high word", 1, 4, 10, 0x040A07CE, 2},
        {"9x with major 5", 1, 5, 0, 1998, 2},
        {"9x with major 5, other build", 1, 5, 0, 100, 3},
        {"9x unknown minor", 1, 4, 50, 0, 0},
        {"9x major 3", 1, 3, 0, 0, 0},
        {"Windows ME", 1, 4, 90, 3000, 4},
        {"NT 3.51", 2, 3, 51, 1057, 0},
        {"NT 4", 2, 4, 0, 1381, 5},
        {"Windows 2000", 2, 5, 0, 2195, 6},
        {"Windows XP", 2, 5, 1, 2600, 7},
        {"Server 2003", 2, 5, 2, 3790, 8},
        {"NT 5.3", 2, 5, 3, 0, 0},
        {"Vista", 2, 6, 0, 6000, 9},
        {"Windows 10", 2, 10, 0, 19045, 9},
        {"unknown platform id", 3, 4, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MapOsVersion(c.platform, c.major, c.minor, c.build), c.code) << c.system;
    }
}

TEST(MapOsVersion, FamilyFollowsTheCode) {
    EXPECT_TRUE(IsNtFamily(kOsLaterNt));
    EXPECT_TRUE(IsNtFamily(5));
    EXPECT_FALSE(IsNtFamily(4));
    EXPECT_FALSE(IsNtFamily(0));
    EXPECT_FALSE(IsNtFamily(-1));
}

}  // namespace
}  // namespace korvane
