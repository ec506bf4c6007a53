#pragma once
// Byte-string helpers. Searching is ASCII case-insensitive, so bytes of the
// system code page above 127 are compared as they are.
#include <initializer_list>
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

// The pattern with "%1", "%2", ... replaced by the values in order (at most nine).
std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace korvane
