// A hostile or merely unlucky site: redirects on connections kept alive,
// drip-feeding, redirects to https, a cancel from the window. The download
// succeeds exactly when the whole file arrived, and says why it did not.
#include <gtest/gtest.h>

#include <QSslSocket>
#include <QTimer>

#include "scanner/download_fixture.h"

namespace korvane {
namespace {

using testing::CannedResponse;
using testing::ReadFileBytes;

class HostileDownload : public testing::DownloadFixture {
protected:
    // One byte every 20 ms: it never stalls, and it never ends in time.
    static CannedResponse Drip() {
        CannedResponse drip{200, QByteArray(100000, 'd'), {}, false, false};
        drip.dripMilliseconds = 20;
        return drip;
    }
};

// The redirect's own body and length arrive on the connection that then
// carries the file; the size check must use the file's length.
TEST_F(HostileDownload, RedirectOnAKeptAliveConnectionThenTheWholeFile) {
    CannedResponse moved{302, "moved: this body has a length of its own", server.Url("/file").toLatin1(),
                         false, false};
    server.Serve("/moved", moved);
    const QByteArray file(200000, 'f');
    server.Serve("/file", {200, file, {}, false, false});
    QtDownloader downloader;
    for (int round = 0; round < 3; ++round) {
        const DownloadResult result = Fetch(server.Url("/moved"), downloader);
        ASSERT_TRUE(result) << DescribeDownloadFailure(result, UiLanguage::English);
        EXPECT_EQ(ReadFileBytes(target), file);
        EXPECT_TRUE(Notified(kDownloadRedirecting));
    }
    // Requests went over connections already open.
    EXPECT_GE(server.requests.size(), 6);
    EXPECT_LT(server.connections, server.requests.size());
}

TEST_F(HostileDownload, DripFeedEndsAtTheDeadline) {
    server.Serve("/drip", Drip());
    ScannerLimits limits;
    limits.downloadDeadline = std::chrono::milliseconds(400);
    limits.minimumBytesPerSecond = 0;
    QtDownloader downloader(limits);
    const DownloadResult result = Fetch(server.Url("/drip"), downloader);
    EXPECT_EQ(result.failure, DownloadFailure::Deadline);
    EXPECT_EQ(DescribeDownloadFailure(result, UiLanguage::English), "not finished within 1 s");
    ExpectOlderFileOnly();
}

TEST_F(HostileDownload, DripFeedBelowTheMinimumRateEnds) {
    server.Serve("/drip", Drip());
    ScannerLimits limits;
    limits.minimumBytesPerSecond = 100000;
    limits.minimumRateAfter = std::chrono::milliseconds(200);
    QtDownloader downloader(limits);
    const DownloadResult result = Fetch(server.Url("/drip"), downloader);
    EXPECT_EQ(result.failure, DownloadFailure::TooSlow);
    EXPECT_EQ(DescribeDownloadFailure(result, UiLanguage::German), "langsamer als 100000 Bytes/s");
    ExpectOlderFileOnly();
}

TEST_F(HostileDownload, CancelAbortsTheTransferAndKeepsTheOlderFile) {
    server.Serve("/drip", Drip());
    QtDownloader downloader;
    QTimer::singleShot(200, [&] { downloader.Cancel(); });
    const DownloadResult result = Fetch(server.Url("/drip"), downloader);
    EXPECT_EQ(result.failure, DownloadFailure::Cancelled);
    EXPECT_EQ(DescribeDownloadFailure(result, UiLanguage::English), "");
    ExpectOlderFileOnly();
    downloader.Cancel();  // nothing runs: nothing happens
}

// http may lead to https: the redirect is followed (and fails here only
// because nothing listens there); a scheme other than http(s) is not.
TEST_F(HostileDownload, RedirectToHttpsIsFollowedOtherSchemesAreNot) {
    const QByteArray https =
        QStringLiteral("https://127.0.0.1:%1/mwav.exe").arg(testing::ClosedLoopbackPort()).toLatin1();
    server.Serve("/to-https", {301, "", https, false, false});
    server.Serve("/to-file", {301, "", "file:///etc/passwd", false, false});
    QtDownloader downloader;
    DownloadResult result = Fetch(server.Url("/to-https"), downloader);
    EXPECT_EQ(result.failure, DownloadFailure::Network);
    EXPECT_TRUE(Notified(kDownloadRedirecting));
    EXPECT_FALSE(result.detail.empty());
    result = Fetch(server.Url("/to-file"), downloader);
    EXPECT_FALSE(result);
    EXPECT_FALSE(DescribeDownloadFailure(result, UiLanguage::English).empty());
    ExpectOlderFileOnly();
}

TEST_F(HostileDownload, ReasonsNameTheStatusTheStallAndTheLimit) {
    server.Serve("/silent", {200, QByteArray(4096, 's'), {}, true, false});
    CannedResponse huge{200, QByteArray(10, 'h'), {}, false, false};
    huge.announcedLength = 5000;
    server.Serve("/huge", huge);
    QtDownloader stalling(std::chrono::milliseconds(200));
    QtDownloader small(QtDownloader::kDefaultStallTimeout, 1000);
    EXPECT_EQ(DescribeDownloadFailure(Fetch(server.Url("/nothing"), stalling), UiLanguage::English),
              "HTTP status 404");
    EXPECT_EQ(DescribeDownloadFailure(Fetch(server.Url("/silent"), stalling), UiLanguage::English),
              "no data for 1 s");
    EXPECT_EQ(DescribeDownloadFailure(Fetch(server.Url("/huge"), small), UiLanguage::English),
              "larger than the limit");
    ExpectOlderFileOnly();
}

TEST(TlsBackend, QtNetworkCanSpeakTls) {
    EXPECT_TRUE(QSslSocket::supportsSsl())
        << "available TLS backends: " << QSslSocket::availableBackends().join(", ").toStdString();
}

}  // namespace
}  // namespace korvane
