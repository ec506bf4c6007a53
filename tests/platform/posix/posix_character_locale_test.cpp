#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "platform/character_locale.h"

namespace korvane {
namespace {

TEST(CharacterLocale, PlainCLocaleIsSwitchedToUtf8) {
    const std::string before = std::setlocale(LC_CTYPE, nullptr);
    const char* all = std::getenv("LC_ALL");
    const std::string oldAll = all != nullptr ? all : "";
    ::setenv("LC_ALL", "C", 1);
    std::setlocale(LC_CTYPE, "C");
    ASSERT_FALSE(CharacterLocaleIsUtf8());

    UseUtf8CharacterLocale();
    EXPECT_TRUE(CharacterLocaleIsUtf8());

    if (all != nullptr) {
        ::setenv("LC_ALL", oldAll.c_str(), 1);
    } else {
        ::unsetenv("LC_ALL");
    }
    std::setlocale(LC_CTYPE, before.c_str());
}

}  // namespace
}  // namespace korvane
