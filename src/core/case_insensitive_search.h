#pragma once
// Fast ASCII case-insensitive search for one fixed word in a long text
// (Boyer-Moore-Horspool over case-folded bytes), so a log of a gigabyte is
// scanned with skips instead of byte by byte.
#include <array>
#include <cstddef>
#include <cstdint>
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

// Finds the first place where any of several words occurs (ASCII case
// ignored) in one pass: sixteen start positions at a time where SSE2 is
// there, else skipping by pairs of bytes (Wu-Manber). A handful of words
// costs little more than one.
class WordSetSearcher {
public:
    // words: not empty, none of them empty.
    explicit WordSetSearcher(const std::vector<std::string_view>& words);

    // Position of the first occurrence of any word at or after from; npos if none.
    std::size_t Find(std::string_view text, std::size_t from = 0) const;

private:
    bool WordAt(const unsigned char* data, std::size_t size, std::size_t at) const;
    bool WordIsAt(std::size_t word, const unsigned char* data, std::size_t size, std::size_t at) const;

    // First, second and last byte of a word (bit 5 set) and the last one's offset.
    struct Probe {
        char first;
        char second;
        char last;
        std::size_t lastOffset;
    };

    std::vector<std::string> words_;  // lower-cased
    std::vector<Probe> probes_;
    std::size_t shortest_ = 0;
    std::size_t longest_ = 0;
    std::vector<std::uint8_t> shift_;  // by byte pair as it stands in the text
};

// A line of a log ends at "\n"; one "\r" right before it belongs to the line
// end, not to the line.
inline std::string_view WithoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// Walks the lines of a text that contain at least one of the searcher's words,
// in text order, each such line once.
class LinesContaining {
public:
    // Lines from the one that holds from on (from: a line's start).
    LinesContaining(std::string_view text, const WordSetSearcher& words, std::size_t from = 0);
    // Start and end (exclusive, before its line end) of the next such line; false when none is left.
    bool Next(std::size_t& lineStart, std::size_t& lineEnd);

private:
    std::string_view text_;
    const WordSetSearcher& words_;
    std::size_t next_ = 0;
};

// The line before the one starting at lineStart (false for the first line).
bool LineBefore(std::string_view text, std::size_t lineStart, std::size_t& start, std::size_t& end);

}  // namespace korvane
