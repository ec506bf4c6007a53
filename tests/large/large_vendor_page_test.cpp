// Vendor pages far larger than a real one, built to make the link search slow
// or its result huge: the search stays one pass and the list stays small.
#include <gtest/gtest.h>

#include <string>

#include "core/download_links.h"

namespace korvane {
namespace {

constexpr std::size_t kPageSize = 100u << 20;

// 100 MB with 100 000 anchors to the archive, each amid a kilobyte of text.
TEST(LargeVendorPage, HundredThousandAnchorsGiveTheFirstThousandLinks) {
    std::string page = "<html><body><h1>FREE DOWNLOAD</h1>\n";
    page.reserve(kPageSize + 4096);
    const std::string filler(kPageSize / 100000 - 64, 'p');
    for (int i = 0; page.size() < kPageSize; ++i) {
        page +=
            "<p>" + filler + "</p><a href=\"http://m" + std::to_string(i) + ".example/mwav.exe\">get</a>\n";
    }
    const std::vector<std::string> links = ExtractDownloadLinks(page);
    ASSERT_EQ(links.size(), kMaximumDownloadLinks);
    EXPECT_EQ(links.front(), "http://m0.example/mwav.exe");
    EXPECT_EQ(links.back(), "http://m999.example/mwav.exe");
}

// One anchor at the top and then 100 MB of archive names without one: every
// name's nearest anchor is the first, so a backward search from each name
// would cross the whole page every time, and each text would span megabytes.
TEST(LargeVendorPage, ArchiveNamesFarFromAnyAnchorAreLeftOut) {
    std::string page = "FREE DOWNLOAD <a href=\"http://a.example/mwav.exe\">";
    page.reserve(kPageSize + 64);
    while (page.size() < kPageSize) page += "/mwav.exe and some text between them ";
    const std::vector<std::string> links = ExtractDownloadLinks(page);
    // Those within an address's length of the anchor, the first one included.
    ASSERT_GT(links.size(), 1u);
    EXPECT_LT(links.size(), 100u);
    EXPECT_EQ(links.front(), "http://a.example/mwav.exe");
    for (const std::string& link : links) EXPECT_LE(link.size(), kMaximumLinkLength);
}

// Archive names and no anchor at all.
TEST(LargeVendorPage, NoAnchorNoLinksInOnePass) {
    std::string page = "FREE DOWNLOAD ";
    page.reserve(kPageSize + 64);
    while (page.size() < kPageSize) page += "/MWAV.EXE/mwav.exe href= \"";
    EXPECT_TRUE(ExtractDownloadLinks(page).empty());
}

}  // namespace
}  // namespace korvane
