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
    EXPECT_FALSE(IsTriableLink("/files/mwav.exe"));
    EXPECT_FALSE(IsTriableLink("ftp://a.example/mwav.exe"));
    EXPECT_FALSE(IsTriableLink("http"));
}

}  // namespace
}  // namespace korvane
