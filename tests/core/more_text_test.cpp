#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "core/more_text.h"

namespace korvane {
namespace {

struct Texts2 {
    std::string german, english;
};

// Reads the reference table: key, tab, German, tab, English; '#' lines and
// blank lines separate the blocks.
std::map<std::string, Texts2> ReadReference() {
    std::ifstream in(std::string(KORVANE_FIXTURES_DIR) + "/ui-text-more.tsv", std::ios::binary);
    EXPECT_TRUE(in) << "fixture ui-text-more.tsv missing";
    std::map<std::string, Texts2> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const auto tab1 = line.find('\t');
        const auto tab2 = line.find('\t', tab1 + 1);
        EXPECT_NE(tab2, std::string::npos) << "a row needs three columns: " << line;
        if (tab2 == std::string::npos) continue;
        const std::string key = line.substr(0, tab1);
        EXPECT_EQ(rows.count(key), 0u) << "key twice in the reference: " << key;
        rows[key] = {line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)};
    }
    return rows;
}

TEST(MoreText, EveryTextMatchesTheReferenceByteForByte) {
    auto reference = ReadReference();
    std::set<std::string> seen;
    const MoreTextRow* rows = MoreTextRows();
    for (std::size_t i = 0; i < static_cast<std::size_t>(MoreText::Count_); ++i) {
        const MoreTextRow& row = rows[i];
        if (row.key.empty()) continue;  // a block's placeholder
        const std::string key(row.key);
        EXPECT_TRUE(seen.insert(key).second) << "key twice in the table: " << key;
        ASSERT_EQ(reference.count(key), 1u) << "not in ui-text-more.tsv: " << key;
        EXPECT_FALSE(row.german.empty()) << key;
        EXPECT_FALSE(row.english.empty()) << key;
        EXPECT_EQ(More(row.id, UiLanguage::German), reference[key].german) << key;
        EXPECT_EQ(More(row.id, UiLanguage::English), reference[key].english) << key;
        reference.erase(key);
    }
    for (const auto& [key, texts] : reference) ADD_FAILURE() << "only in ui-text-more.tsv: " << key;
}

}  // namespace
}  // namespace korvane
