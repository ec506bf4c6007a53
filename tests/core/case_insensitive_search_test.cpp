#include <gtest/gtest.h>

#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/case_insensitive_search.h"
#include "core/log_parser.h"
#include "core/text_util.h"

namespace korvane {
namespace {

// Random texts from pieces that make words, near-misses and line breaks.
std::string RandomText(std::mt19937& random, int pieces) {
    static const char* kPieces[] = {
        "file ",  "FILE ", "C:\\", "infected ", "InFeCtEd", " by \"",  "\"", "x",    "tagged as not-a-virus:",
        "TAGGED", " ",     "\r\n", "\r",        "\n",       "infecte", "d ", "\xe4", "Total ",
        "error!"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
    std::string text;
    for (int i = 0; i < pieces; ++i) text += kPieces[pick(random)];
    return text;
}

TEST(CaseInsensitiveSearch, FindsWhatTheSimpleSearchFinds) {
    std::mt19937 random(7);
    for (const char* word : {"infected ", "tagged as not-a-virus:", "x", "\r\n", "e"}) {
        const CaseInsensitiveSearcher searcher(word);
        for (int round = 0; round < 300; ++round) {
            const std::string text = RandomText(random, 40);
            for (std::size_t from = 0; from <= text.size() + 1; from += 7) {
                ASSERT_EQ(searcher.Find(text, from), FindIgnoreCase(text, word, from))
                    << word << " in " << text;
            }
        }
    }
}

TEST(CaseInsensitiveSearch, WordSetFindsTheFirstOfItsWords) {
    std::mt19937 random(5);
    const std::vector<std::vector<std::string_view>> sets = {
        {"infected ", "tagged as not-a-virus:"}, {"error!", "x", "total "}, {"\r\n", "file "}, {"e"}};
    for (const auto& set : sets) {
        const WordSetSearcher searcher(set);
        for (int round = 0; round < 300; ++round) {
            const std::string text = RandomText(random, 40);
            for (std::size_t from = 0; from <= text.size() + 1; from += 5) {
                std::size_t expected = std::string_view::npos;
                for (std::string_view w : set) expected = std::min(expected, FindIgnoreCase(text, w, from));
                ASSERT_EQ(searcher.Find(text, from), expected) << text;
            }
        }
    }
}

TEST(CaseInsensitiveSearch, LinesContainingVisitsEachMatchingLineOnceInOrder) {
    std::mt19937 random(11);
    const WordSetSearcher words({"infected ", "file "});
    for (int round = 0; round < 300; ++round) {
        const std::string text = RandomText(random, 60);
        std::vector<std::string> expected;
        ForEachLogLine(text, [&](std::string_view line) {
            if (ContainsIgnoreCase(line, "infected ") || ContainsIgnoreCase(line, "file ")) {
                expected.emplace_back(line);
            }
        });
        std::vector<std::string> found;
        LinesContaining lines(text, words);
        std::size_t start = 0, end = 0;
        while (lines.Next(start, end)) found.emplace_back(text.substr(start, end - start));
        ASSERT_EQ(found, expected) << text;
    }
}

TEST(CaseInsensitiveSearch, ParseLogAgreesWithLineByLineParsing) {
    std::mt19937 random(13);
    for (int round = 0; round < 500; ++round) {
        const std::string text = RandomText(random, 80);
        std::vector<LogEntry> expected;
        std::unordered_set<std::string> seen;
        ForEachLogLine(text, [&](std::string_view line) {
            if (auto entry = ParseObjectLine(line); entry && seen.insert(entry->FilePath).second) {
                expected.push_back(*entry);
            }
        });
        ASSERT_EQ(ParseLog(text), expected) << text;
    }
}

TEST(CaseInsensitiveSearch, LineBeforeCountsEmptyLines) {
    const std::string text = "a\r\n\r\nbc\r\n";
    std::size_t start = 0, end = 0;
    ASSERT_TRUE(LineBefore(text, 5, start, end));  // before "bc": the empty line
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 3u);
    ASSERT_TRUE(LineBefore(text, 3, start, end));
    EXPECT_EQ(text.substr(start, end - start), "a");
    EXPECT_FALSE(LineBefore(text, 0, start, end));
    // LF-only and mixed line ends; a CR not right before the LF stays.
    const std::string mixed = "a\nb\r\r\ncd";
    ASSERT_TRUE(LineBefore(mixed, 6, start, end));
    EXPECT_EQ(mixed.substr(start, end - start), "b\r");
    ASSERT_TRUE(LineBefore(mixed, 2, start, end));
    EXPECT_EQ(mixed.substr(start, end - start), "a");
}

}  // namespace
}  // namespace korvane
