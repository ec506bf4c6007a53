#pragma once
// Fast ASCII case-insensitive search for one fixed word in a long text
// (Boyer-Moore-Horspool over case-folded bytes), so a log of a gigabyte is
// scanned with skips instead of byte by byte.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class CaseInsensitiveSearcher {
public:
    // word: the text to find, in any case; not empty.
    explicit CaseInsensitiveSearcher(std::string_view word);

    // Position of the first occurrence at or after from; npos if none.
    std::size_t Find(std::string_view text, std::size_t from = 0) const;
    std::size_t size() const { return word_.size(); }

private:
    std::string word_;  // lower-cased
    std::array<std::size_t, 256> skip_{};
};

// Walks the lines (ended only by "\r\n") of a text that contain at least one
// of several words, in text order, each such line once.
class LinesContaining {
public:
    LinesContaining(std::string_view text, const std::vector<const CaseInsensitiveSearcher*>& words);
    // Start and end (exclusive, before its "\r\n") of the next such line; false when none is left.
    bool Next(std::size_t& lineStart, std::size_t& lineEnd);

private:
    std::string_view text_;
    std::vector<const CaseInsensitiveSearcher*> words_;
    std::vector<std::size_t> next_;
};

// The line before the one starting at lineStart (false for the first line).
bool LineBefore(std::string_view text, std::size_t lineStart, std::size_t& start, std::size_t& end);

}  // namespace korvane
