#pragma once
#include <string>

#include "core/ui_text.h"

namespace korvane {

// Lower-cases and trims the locale's native language name as start-up stores it.
std::string NormaliseLocaleLanguageName(const std::string& nativeName);
// German exactly when the stored name is "deutsch"; English otherwise.
UiLanguage ChooseLanguage(const std::string& localeLanguageName);

}  // namespace korvane
