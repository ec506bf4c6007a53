#pragma once
// Byte-string helpers. Searching is ASCII case-insensitive, so bytes of the
// system code page above 127 are compared as they are.
#include <string>
#include <string_view>

namespace korvane {

char AsciiLower(char c);
std::string AsciiLowerCopy(std::string_view text);
// Removes blanks (spaces only) at both ends.
std::string TrimBlanks(std::string_view text);
bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle);
// Position of needle in haystack at or after from, ASCII case-insensitive; npos if absent.
std::size_t FindIgnoreCase(std::string_view haystack, std::string_view needle, std::size_t from = 0);

}  // namespace korvane
