#include "core/text_util.h"

#include <algorithm>

namespace korvane {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string AsciiLowerCopy(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
    return out;
}

std::string TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::size_t FindIgnoreCase(std::string_view haystack, std::string_view needle, std::size_t from) {
    if (needle.empty()) return from <= haystack.size() ? from : std::string_view::npos;
    if (from >= haystack.size() || haystack.size() - from < needle.size()) return std::string_view::npos;
    const auto it = std::search(haystack.begin() + static_cast<std::ptrdiff_t>(from), haystack.end(),
                                needle.begin(), needle.end(),
                                [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
    return it == haystack.end() ? std::string_view::npos
                                : static_cast<std::size_t>(it - haystack.begin());
}

bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle) {
    return FindIgnoreCase(haystack, needle) != std::string_view::npos;
}

std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < values.size()) {
                text.append(values.begin()[index]);
                ++i;
                continue;
            }
        }
        text.push_back(pattern[i]);
    }
    return text;
}

}  // namespace korvane
