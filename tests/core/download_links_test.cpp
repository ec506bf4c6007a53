#include "core/download_links.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using Links = std::vector<std::string>;

struct LinkCase {
    const char* name;
    const char* page;
    Links links;
};

class DownloadLinks : public ::testing::TestWithParam<LinkCase> {};

TEST_P(DownloadLinks, Extracts) {
    EXPECT_EQ(ExtractDownloadLinks(GetParam().page), GetParam().links);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, DownloadLinks,
    ::testing::Values(
        LinkCase{"IgnoresCaseAndKeepsThePagesSpelling",
                 "<p>free download</p><A HREF=\"http://Mirror.Example/Tools/MWAV.EXE\">x</A>",
                 {"http://Mirror.Example/Tools/MWAV.EXE"}},
        LinkCase{
            "LinkBeforeTheMarkerIsIgnored", "<a href=\"http://a.example/mwav.exe\">x</a> FREE DOWNLOAD", {}},
        LinkCase{"NoMarkerNoLinks", "<a href=\"http://a.example/mwav.exe\">", {}},
        LinkCase{
            "RelativeLinkIsCollected", "FREE DOWNLOAD <a href=\"/files/mwav.exe\">", {"/files/mwav.exe"}},
        LinkCase{
            "DuplicatesStay",
            "FREE DOWNLOAD <a href=\"http://a.example/mwav.exe\"> <a href=\"http://a.example/mwav.exe\">",
            {"http://a.example/mwav.exe", "http://a.example/mwav.exe"}},
        LinkCase{"ArchiveWithoutMarkerAddsNothingAndTheSearchGoesOn", "FREE DOWNLOAD see /mwav.exe", {}},
        LinkCase{"NearestMarkerMayBelongToAnEarlierAnchor",
                 "<a href=\"http://news.example/\">News</a> FREE DOWNLOAD: ftp://x/mwav.exe",
                 {"http://news.example/\">News</a> FREE DOWNLOAD: ftp://x/mwav.exe"}},
        LinkCase{"MarkerAndArchiveInOneTextStillFound",
                 "<a href=\"http://a.example/FREE DOWNLOAD/mwav.exe\">",
                 {"http://a.example/FREE DOWNLOAD/mwav.exe"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DownloadLinks, OnlyAbsoluteHttpLinksAreTried) {
    EXPECT_TRUE(IsTriableLink("http://a.example/mwav.exe"));
    EXPECT_TRUE(IsTriableLink("HTTP://A.EXAMPLE/MWAV.EXE"));
    EXPECT_TRUE(IsTriableLink("https://a.example/mwav.exe"));
    EXPECT_FALSE(IsTriableLink("/files/mwav.exe"));
    EXPECT_FALSE(IsTriableLink("ftp://a.example/mwav.exe"));
    EXPECT_FALSE(IsTriableLink("http"));
}

TEST(DownloadLinks, HttpsLinksAreTriedFirstEachGroupInPageOrder) {
    std::vector<std::string> links{"http://a/mwav.exe", "https://b/mwav.exe", "/c/mwav.exe",
                                   "HTTPS://d/mwav.exe", "http://e/mwav.exe"};
    PreferHttpsLinks(links);
    EXPECT_EQ(links, (std::vector<std::string>{"https://b/mwav.exe", "HTTPS://d/mwav.exe",
                                               "http://a/mwav.exe", "/c/mwav.exe", "http://e/mwav.exe"}));
}

TEST(DownloadLinks, APageWithMoreLinksThanTheCapSaysSo) {
    const auto page = [](std::size_t count) {
        std::string text = "FREE DOWNLOAD";
        for (std::size_t i = 0; i < count; ++i)
            text += "<a href=\"http://m" + std::to_string(i) + "/mwav.exe\">";
        return text;
    };
    bool capped = true;
    EXPECT_EQ(ExtractDownloadLinks(page(kMaximumDownloadLinks), capped).size(), kMaximumDownloadLinks);
    EXPECT_FALSE(capped);
    EXPECT_EQ(ExtractDownloadLinks(page(kMaximumDownloadLinks + 1), capped).size(), kMaximumDownloadLinks);
    EXPECT_TRUE(capped);
    // A further "/mwav.exe" that would not make a link (too far from any
    // href) is no reason to say so.
    EXPECT_EQ(ExtractDownloadLinks(page(kMaximumDownloadLinks) + std::string(3000, ' ') + "/mwav.exe", capped)
                  .size(),
              kMaximumDownloadLinks);
    EXPECT_FALSE(capped);
}

}  // namespace
}  // namespace korvane
