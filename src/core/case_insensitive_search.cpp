#include "core/case_insensitive_search.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

WordSetSearcher::WordSetSearcher(const std::vector<std::string_view>& words) {
    for (std::string_view w : words) {
        std::string folded(w);
        for (char& c : folded) c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
        words_.push_back(std::move(folded));
    }
    shortest_ = words_.empty() ? 0 : words_.front().size();
    for (const std::string& w : words_) {
        shortest_ = std::min(shortest_, w.size());
        longest_ = std::max(longest_, w.size());
        if (!w.empty()) {
            probes_.push_back(Probe{static_cast<char>(w.front() | 0x20),
                                    static_cast<char>(w[w.size() > 1 ? 1 : 0] | 0x20),
                                    static_cast<char>(w.back() | 0x20), w.size() - 1});
        }
    }
    // A window of the shortest length ends in a byte pair; the table tells how
    // far the window may move before that pair could end a word's beginning.
    const std::size_t m = shortest_;
    const auto most = static_cast<std::uint8_t>(std::min<std::size_t>(m >= 2 ? m - 1 : 0, 255));
    shift_.assign(1 << 16, most);
    // The table is indexed by the pair as it stands in the text, every case
    // of it filled in, so the search loop does not fold bytes.
    const auto cases = [](unsigned char c) {
        std::vector<unsigned char> all{c};
        if (c >= 'a' && c <= 'z') all.push_back(static_cast<unsigned char>(c - 32));
        return all;
    };
    for (const std::string& w : words_) {
        for (std::size_t j = 1; j < m; ++j) {
            const auto shift = static_cast<std::uint8_t>(m - 1 - j);
            for (unsigned char first : cases(static_cast<unsigned char>(w[j - 1]))) {
                for (unsigned char second : cases(static_cast<unsigned char>(w[j]))) {
                    std::uint8_t& entry = shift_[static_cast<std::size_t>(first) << 8 | second];
                    entry = std::min(entry, shift);
                }
            }
        }
    }
}

bool WordSetSearcher::WordIsAt(std::size_t word, const unsigned char* data, std::size_t size,
                               std::size_t at) const {
    const std::string& w = words_[word];
    if (size - at < w.size()) return false;
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (Fold(data[at + i]) != static_cast<unsigned char>(w[i])) return false;
    }
    return true;
}

bool WordSetSearcher::WordAt(const unsigned char* data, std::size_t size, std::size_t at) const {
    for (const std::string& w : words_) {
        if (size - at < w.size()) continue;
        std::size_t i = 0;
        while (i < w.size() && Fold(data[at + i]) == static_cast<unsigned char>(w[i])) ++i;
        if (i == w.size()) return true;
    }
    return false;
}

std::size_t WordSetSearcher::Find(std::string_view text, std::size_t from) const {
    const std::size_t m = shortest_;
    if (m == 0 || from > text.size() || text.size() - from < m) return npos;
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t at = from;
#if defined(__SSE2__)
    // Sixteen start positions at a time: a word can only start where its
    // first, second and last bytes all match (compared with bit 5 set, which
    // folds ASCII letters to lower case); only there is it compared in full.
    constexpr std::size_t kMostProbes = 8;
    const std::size_t probes = probes_.size();
    if (probes <= kMostProbes) {
        const __m128i caseBit = _mm_set1_epi8(0x20);
        __m128i first[kMostProbes], second[kMostProbes], last[kMostProbes], anySecond[kMostProbes];
        for (std::size_t k = 0; k < probes; ++k) {
            first[k] = _mm_set1_epi8(probes_[k].first);
            second[k] = _mm_set1_epi8(probes_[k].second);
            last[k] = _mm_set1_epi8(probes_[k].last);
            // A word of one byte has no second byte to match.
            anySecond[k] = _mm_set1_epi8(probes_[k].lastOffset == 0 ? static_cast<char>(-1) : 0);
        }
        const auto load = [&](std::size_t offset) {
            return _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + offset)), caseBit);
        };
        // The loads reach at most longest_ bytes past the block's last start.
        while (at + 16 + longest_ <= text.size()) {
            const __m128i head = load(at);
            const __m128i next = load(at + 1);
            unsigned masks[kMostProbes];
            unsigned any = 0;
            for (std::size_t k = 0; k < probes; ++k) {
                const __m128i both =
                    _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(head, first[k]),
                                                _mm_or_si128(_mm_cmpeq_epi8(next, second[k]), anySecond[k])),
                                  _mm_cmpeq_epi8(load(at + probes_[k].lastOffset), last[k]));
                masks[k] = static_cast<unsigned>(_mm_movemask_epi8(both));
                any |= masks[k];
            }
            while (any != 0) {
                const unsigned bit = any & (~any + 1);
                const std::size_t candidate = at + static_cast<std::size_t>(std::countr_zero(any));
                for (std::size_t k = 0; k < probes; ++k) {
                    if ((masks[k] & bit) != 0 && WordIsAt(k, data, text.size(), candidate)) return candidate;
                }
                any &= any - 1;
            }
            at += 16;
        }
    }
#endif
    if (m == 1) {
        for (; at < text.size(); ++at) {
            if (WordAt(data, text.size(), at)) return at;
        }
        return npos;
    }
    if (text.size() - at < m) return npos;
    const std::size_t stop = text.size() - m;
    while (at <= stop) {
        const std::size_t pair = static_cast<std::size_t>(data[at + m - 2]) << 8 | data[at + m - 1];
        const std::uint8_t shift = shift_[pair];
        if (shift != 0) {
            at += shift;
            continue;
        }
        if (WordAt(data, text.size(), at)) return at;
        ++at;
    }
    return npos;
}

LinesContaining::LinesContaining(std::string_view text, const WordSetSearcher& words, std::size_t from)
    : text_(text), words_(words), next_(words.Find(text, from)) {}

namespace {

// End of the line that holds position at: before its "\n" (and one "\r" right
// before that), or the text's end.
std::size_t LineEndFrom(std::string_view text, std::size_t at, std::size_t& next) {
    const std::size_t newline = text.find('\n', at);
    if (newline == npos) {
        next = npos;
        return text.size();
    }
    next = newline + 1;
    return newline > at && text[newline - 1] == '\r' ? newline - 1 : newline;
}

}  // namespace

bool LinesContaining::Next(std::size_t& lineStart, std::size_t& lineEnd) {
    const std::size_t hit = next_;
    if (hit == npos) return false;
    // The words hold no line break, so the hit lies inside one line.
    const std::size_t before = hit >= 1 ? text_.rfind('\n', hit - 1) : npos;
    lineStart = before == npos ? 0 : before + 1;
    std::size_t following = npos;
    lineEnd = LineEndFrom(text_, hit, following);
    next_ = following == npos ? npos : words_.Find(text_, following);
    return true;
}

bool LineBefore(std::string_view text, std::size_t lineStart, std::size_t& start, std::size_t& end) {
    if (lineStart < 1) return false;
    end = lineStart - 1;
    const std::size_t before = end >= 1 ? text.rfind('\n', end - 1) : npos;
    start = before == npos ? 0 : before + 1;
    if (end > start && text[end - 1] == '\r') --end;
    return true;
}

}  // namespace korvane
