#include "platform/character_locale.h"

namespace korvane {

// Names stay in the system code page here; nothing to switch.
void UseUtf8CharacterLocale() {}

bool CharacterLocaleIsUtf8() {
    return true;
}

}  // namespace korvane
