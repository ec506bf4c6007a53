#include "core/download_failure.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(DownloadFailure, EveryReasonIsSaidInBothLanguages) {
    struct Case {
        DownloadResult result;
        const char* german;
        const char* english;
    };
    const Case cases[] = {
        {{DownloadFailure::HttpStatus, 404, 0, {}}, "HTTP-Status 404", "HTTP status 404"},
        {{DownloadFailure::NoData, 0, 30, {}}, "keine Daten seit 30 s", "no data for 30 s"},
        {{DownloadFailure::TooLarge, 0, 0, {}}, "größer als die Grenze", "larger than the limit"},
        {{DownloadFailure::Deadline, 0, 7200, {}}, "nicht in 7200 s fertig", "not finished within 7200 s"},
        {{DownloadFailure::TooSlow, 0, 1024, {}}, "langsamer als 1024 Bytes/s", "slower than 1024 bytes/s"},
        {{DownloadFailure::Incomplete, 0, 0, {}}, "unvollständig", "incomplete"},
        {{DownloadFailure::Network, 0, 0, "Connection refused"}, "Connection refused", "Connection refused"},
        {{DownloadFailure::Cancelled, 0, 0, {}}, "", ""},
        {{}, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescribeDownloadFailure(c.result, UiLanguage::German), c.german);
        EXPECT_EQ(DescribeDownloadFailure(c.result, UiLanguage::English), c.english);
    }
    EXPECT_EQ(WithNumber("%1 of %1", 12), "12 of 12");
}

}  // namespace
}  // namespace korvane
