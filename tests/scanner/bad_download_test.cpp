// Answers a download must refuse: more than the size limit, announced or
// sent, and a server that sends its headers and then nothing more.
#include <gtest/gtest.h>


#include "scanner/download_fixture.h"

namespace korvane {
namespace {

using testing::CannedResponse;
using testing::ReadFileBytes;

class BadDownload : public testing::DownloadFixture {
protected:
    DownloadResult Download(const QString& path, QtDownloader downloader) {
        return Fetch(server.Url(path), downloader);
    }
    // The older file is kept, nothing partial lies beside it, and nothing
    // claimed the download was complete.
    void ExpectOlderFileOnly() {
        DownloadFixture::ExpectOlderFileOnly();
        EXPECT_FALSE(Notified(kDownloadEndData));
    }
};

// The server announces 2 GiB and then stalls: the download is refused on the
// headers alone, before any data is taken in and long before the stall timer.
TEST_F(BadDownload, AnnouncedSizeAboveOneGibibyteIsRefusedAtTheHeaders) {
    CannedResponse huge{200, QByteArray(4096, 'h'), {}, true, false};
    huge.announcedLength = qint64{2} << 30;
    server.Serve("/huge", huge);
    EXPECT_FALSE(Download("/huge", QtDownloader()));
    EXPECT_FALSE(Notified(kDownloadBeginData));
    ExpectOlderFileOnly();
}

TEST_F(BadDownload, SizeLimitCountsAnnouncedAndReceivedBytes) {
    CannedResponse exact{200, QByteArray(1000, 'e'), {}, false, false};
    server.Serve("/exact", exact);
    CannedResponse announced{200, QByteArray(1001, 'a'), {}, false, false};
    server.Serve("/announced", announced);
    // Without a length the server just keeps sending until it closes.
    CannedResponse unannounced{200, QByteArray(300000, 'u'), {}, false, false};
    unannounced.announcedLength = CannedResponse::kNoLength;
    server.Serve("/unannounced", unannounced);

    const QtDownloader limited(QtDownloader::kDefaultStallTimeout, 1000);
    EXPECT_FALSE(Download("/announced", limited));
    ExpectOlderFileOnly();
    EXPECT_FALSE(Download("/unannounced", limited));
    ExpectOlderFileOnly();
    EXPECT_TRUE(Download("/exact", limited));
    EXPECT_EQ(ReadFileBytes(target), QByteArray(1000, 'e'));
    EXPECT_TRUE(Download("/unannounced", QtDownloader()));
    EXPECT_EQ(ReadFileBytes(target).size(), 300000);
}

// Headers, then silence: the stall timer ends the download as a failure.
TEST_F(BadDownload, HeadersThenSilenceFailsAfterTheStallTimeout) {
    CannedResponse silent{200, QByteArray(), {}, true, false};
    silent.announcedLength = 100000;
    server.Serve("/silent", silent);
    EXPECT_FALSE(Download("/silent", QtDownloader(std::chrono::milliseconds(200))));
    EXPECT_TRUE(Notified(kDownloadBeginData));
    ExpectOlderFileOnly();
}

}  // namespace
}  // namespace korvane
