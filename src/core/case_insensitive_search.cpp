#include "core/case_insensitive_search.h"

#include <algorithm>

namespace korvane {

namespace {

constexpr auto npos = std::string_view::npos;

constexpr unsigned char Fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

}  // namespace

CaseInsensitiveSearcher::CaseInsensitiveSearcher(std::string_view word) : word_(word) {
    for (char& c : word_) c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
    const std::size_t m = word_.size();
    skip_.fill(m);
    for (std::size_t i = 0; i + 1 < m; ++i) {
        const auto c = static_cast<unsigned char>(word_[i]);
        skip_[c] = m - 1 - i;
        if (c >= 'a' && c <= 'z') skip_[static_cast<unsigned char>(c - 32)] = m - 1 - i;
    }
}

std::size_t CaseInsensitiveSearcher::Find(std::string_view text, std::size_t from) const {
    const std::size_t m = word_.size();
    if (m == 0) return from <= text.size() ? from : npos;
    if (from > text.size() || text.size() - from < m) return npos;
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    const auto* word = reinterpret_cast<const unsigned char*>(word_.data());
    const unsigned char last = word[m - 1];
    std::size_t at = from;
    const std::size_t stop = text.size() - m;
    while (at <= stop) {
        const unsigned char c = data[at + m - 1];
        if (Fold(c) == last) {
            std::size_t i = m - 1;
            while (i > 0 && Fold(data[at + i - 1]) == word[i - 1]) --i;
            if (i == 0) return at;
        }
        at += skip_[c];
    }
    return npos;
}

LinesContaining::LinesContaining(std::string_view text,
                                 const std::vector<const CaseInsensitiveSearcher*>& words)
    : text_(text), words_(words) {
    next_.reserve(words_.size());
    for (const CaseInsensitiveSearcher* w : words_) next_.push_back(w->Find(text_, 0));
}

bool LinesContaining::Next(std::size_t& lineStart, std::size_t& lineEnd) {
    const std::size_t hit = next_.empty() ? npos : *std::min_element(next_.begin(), next_.end());
    if (hit == npos) return false;
    // The words hold no line break, so the hit lies inside one line.
    const std::size_t before = hit >= 2 ? text_.rfind("\r\n", hit - 2) : npos;
    lineStart = before == npos ? 0 : before + 2;
    const std::size_t after = text_.find("\r\n", hit);
    lineEnd = after == npos ? text_.size() : after;
    const std::size_t resume = after == npos ? text_.size() : after + 2;
    for (std::size_t i = 0; i < words_.size(); ++i) {
        if (next_[i] != npos && next_[i] < resume) next_[i] = words_[i]->Find(text_, resume);
    }
    return true;
}

bool LineBefore(std::string_view text, std::size_t lineStart, std::size_t& start, std::size_t& end) {
    if (lineStart < 2) return false;
    end = lineStart - 2;
    const std::size_t before = end >= 2 ? text.rfind("\r\n", end - 2) : npos;
    start = before == npos ? 0 : before + 2;
    return true;
}

}  // namespace korvane
