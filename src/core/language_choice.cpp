#include "core/language_choice.h"

#include "core/text_util.h"

namespace korvane {

std::string NormaliseLocaleLanguageName(const std::string& nativeName) {
    return TrimBlanks(AsciiLowerCopy(nativeName));
}

UiLanguage ChooseLanguage(const std::string& localeLanguageName) {
    return localeLanguageName == "deutsch" ? UiLanguage::German : UiLanguage::English;
}

}  // namespace korvane
