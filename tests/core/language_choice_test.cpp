#include <gtest/gtest.h>

#include "core/language_choice.h"

namespace korvane {
namespace {

TEST(ChooseLanguage, OnlyDeutschGivesGerman) {
    const std::pair<const char*, UiLanguage> cases[] = {
        {"Deutsch", UiLanguage::German},
        {"  DEUTSCH ", UiLanguage::German},
        {"", UiLanguage::English},
        {"English", UiLanguage::English},
        {"Schweizerdeutsch", UiLanguage::English},
        {"deutsch (alt)", UiLanguage::English},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(ChooseLanguage(NormaliseLocaleLanguageName(name)), expected) << '"' << name << '"';
    }
}

}  // namespace
}  // namespace korvane
