#pragma once
// Archive member names and file names pass through the C library's character
// conversion. Under the "C" locale every name that is not ASCII fails to
// convert, so the program runs with a UTF-8 character locale where the
// system has one.

namespace korvane {

// Sets LC_CTYPE from the environment and, when its codeset is not UTF-8,
// switches it to a UTF-8 locale. Call before Qt starts.
void UseUtf8CharacterLocale();

// Whether the current LC_CTYPE uses UTF-8 (always true where names are not
// converted through the C library).
bool CharacterLocaleIsUtf8();

}  // namespace korvane
