#include <langinfo.h>
#include <strings.h>

#include <clocale>
#include <cstdlib>
#include <initializer_list>

#include "platform/character_locale.h"

namespace korvane {

bool CharacterLocaleIsUtf8() {
    const char* codeset = nl_langinfo(CODESET);
    return codeset != nullptr && (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0);
}

void UseUtf8CharacterLocale() {
    if (std::setlocale(LC_CTYPE, "") != nullptr && CharacterLocaleIsUtf8()) return;
    for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
        if (std::setlocale(LC_CTYPE, name) == nullptr || !CharacterLocaleIsUtf8()) continue;
        // Qt sets the locale from the environment again when it starts; where
        // LC_ALL does not override it, the variable keeps this choice.
        const char* all = std::getenv("LC_ALL");
        if (all == nullptr || *all == '\0') ::setenv("LC_CTYPE", name, 1);
        return;
    }
}

}  // namespace korvane
