#include "core/download_progress_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvane {
namespace {

DownloadProgressView Describe(std::uint32_t progress, std::uint32_t maximum, int code, const char* text,
                              UiLanguage language = UiLanguage::German) {
    return DescribeDownloadProgress({progress, maximum, code, text}, Texts(), language);
}

TEST(DownloadProgressText, DataNotificationShowsTruncatedPercentage) {
    const DownloadProgressView view = Describe(512, 2048, kDownloadData, "http://h/mwav.exe");
    EXPECT_EQ(view.byteLine, "512 ---- of 2048 recieved\r\n");
    EXPECT_EQ(view.statusText, "Lade http://h/mwav.exe");
    EXPECT_EQ(view.panelText, "Lade http://h/mwav.exe ( 25% )");
    EXPECT_EQ(view.percent, 25);
    EXPECT_EQ(Describe(1999, 2000, kDownloadData, "x").percent, 99);
}

TEST(DownloadProgressText, UnknownTotalKeepsThePanelButLogsTheText) {
    const DownloadProgressView view = Describe(0, 0, kDownloadSendingRequest, "");
    EXPECT_EQ(view.statusText, "Sende Anfrage...");
    EXPECT_FALSE(view.panelText.has_value());
    EXPECT_FALSE(view.percent.has_value());
}

TEST(DownloadProgressText, UnknownCodeShowsNothingButTheByteLine) {
    const DownloadProgressView view = Describe(10, 100, 13, "whatever");
    EXPECT_EQ(view.byteLine, "10 ---- of 100 recieved\r\n");
    EXPECT_TRUE(view.statusText.empty());
    EXPECT_FALSE(view.panelText.has_value());
}

TEST(DownloadProgressText, ProgressBeyondTheMaximumIsShownAsComputed) {
    EXPECT_EQ(Describe(300, 200, kDownloadData, "x").panelText, "Lade x ( 150% )");
}

TEST(DownloadProgressText, PercentageIsTheExactTruncatedShare) {
    struct Case {
        std::uint32_t progress, maximum;
        int percent;
    };
    for (const Case& c : {Case{7, 7, 100}, Case{14, 7, 200}, Case{17, 17, 100}, Case{1999, 2000, 99},
                          Case{0xFFFFFFFFu, 0xFFFFFFFFu, 100}, Case{0xFFFFFFFFu, 10000, 42949672},
                          Case{0xFFFFFFFFu, 1, std::numeric_limits<int>::max()}}) {
        EXPECT_EQ(DownloadPercent(c.progress, c.maximum), c.percent) << c.progress << " of " << c.maximum;
    }
}

TEST(DownloadProgressText, EveryCodeHasItsRow) {
    EXPECT_EQ(Describe(0, 1, kDownloadFinding, "h", UiLanguage::English).statusText, "Search h");
    EXPECT_EQ(Describe(0, 1, kDownloadConnecting, "h", UiLanguage::English).statusText, "Connect to h");
    EXPECT_EQ(Describe(0, 1, kDownloadRedirecting, "u", UiLanguage::English).statusText, "Redirect to u");
    EXPECT_EQ(Describe(0, 1, kDownloadBeginData, "u", UiLanguage::English).statusText, "Downloade: u");
    EXPECT_EQ(Describe(0, 1, kDownloadEndData, "u", UiLanguage::English).statusText,
              "Download successfully: u");
    EXPECT_EQ(Describe(0, 1, kDownloadCacheCopy, "u", UiLanguage::English).statusText,
              "File loads from the Cache...");
}

TEST(DownloadProgressText, CountsAboveTwoGigabytesShowAsSignedNumbers) {
    EXPECT_EQ(Describe(0x80000000u, 0xFFFFFFFFu, 13, "").byteLine, "-2147483648 ---- of -1 recieved\r\n");
}

}  // namespace
}  // namespace korvane
