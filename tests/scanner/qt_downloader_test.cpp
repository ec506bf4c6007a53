#include "scanner/qt_downloader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "scanner/loopback_server.h"
#include "scanner/test_archive.h"

namespace korvane {
namespace {

using testing::CannedResponse;
using testing::LoopbackServer;
using testing::ReadFileBytes;

class QtDownloaderTest : public ::testing::Test {
protected:
    DownloadResult Download(const QString& url, std::chrono::milliseconds stall = QtDownloader::kDefaultStallTimeout) {
        QtDownloader downloader(stall);
        notes.clear();
        return downloader.DownloadFile(url.toStdString(), target,
                                       [this](const DownloadNotification& n) { notes.push_back(n); });
    }
    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const auto& n : notes) {
            if (codes.empty() || codes.back() != n.code) codes.push_back(n.code);
        }
        return codes;
    }
    QStringList FolderContents() const {
        return QDir(temp.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir temp;
    std::string target = temp.path().toStdString() + "/mwav.exe";
    LoopbackServer server;
    std::vector<DownloadNotification> notes;
};

TEST_F(QtDownloaderTest, WritesTheWholeFileAndReportsEachPhase) {
    const QByteArray body(100000, 'z');
    server.Serve("/a", {200, body, {}, false, false});
    ASSERT_TRUE(Download(server.Url("/a")));
    EXPECT_EQ(ReadFileBytes(target), body);
    const std::vector<int> codes = Codes();
    ASSERT_GE(codes.size(), 5u);
    EXPECT_EQ(codes.front(), kDownloadFinding);
    EXPECT_EQ(notes.front().text, "127.0.0.1");
    EXPECT_EQ(codes[1], kDownloadConnecting);
    EXPECT_EQ(codes[2], kDownloadSendingRequest);
    EXPECT_EQ(codes[3], kDownloadBeginData);
    EXPECT_EQ(codes.back(), kDownloadEndData);
    EXPECT_EQ(notes.back().progress, 100000u);
    EXPECT_EQ(notes.back().maximum, 100000u);
    EXPECT_EQ(FolderContents(), QStringList{"mwav.exe"});
}

TEST_F(QtDownloaderTest, FollowsARedirectAndSaysWhere) {
    server.Serve("/old", {302, "", server.Url("/new").toLatin1(), false, false});
    server.Serve("/new", {200, "archive", {}, false, false});
    ASSERT_TRUE(Download(server.Url("/old")));
    EXPECT_EQ(ReadFileBytes(target), "archive");
    const auto redirect = std::find_if(notes.begin(), notes.end(),
                                       [](const auto& n) { return n.code == kDownloadRedirecting; });
    ASSERT_NE(redirect, notes.end());
    EXPECT_EQ(redirect->text, server.Url("/new").toStdString());
}

struct FailureCase {
    const char* name;
    CannedResponse response;
};

class DownloadFailures : public QtDownloaderTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DownloadFailures, KeepTheOlderFileAndLeaveNoPartialOne) {
    testing::WriteFileBytes(target, "older archive");
    server.Serve("/x", GetParam().response);
    server.Serve("/loop", {302, "", server.Url("/loop").toLatin1(), false, false});
    EXPECT_FALSE(Download(server.Url("/x"), std::chrono::milliseconds(300)));
    EXPECT_EQ(ReadFileBytes(target), "older archive");
    EXPECT_EQ(FolderContents(), QStringList{"mwav.exe"});
    EXPECT_TRUE(
        std::none_of(notes.begin(), notes.end(), [](const auto& n) { return n.code == kDownloadEndData; }));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DownloadFailures,
    ::testing::Values(FailureCase{"NotFound", {404, "missing", {}, false, false}},
                      FailureCase{"ServerError", {500, "oops", {}, false, false}},
                      FailureCase{"Stalled", {200, QByteArray(4096, 's'), {}, true, false}},
                      FailureCase{"CutShort", {200, QByteArray(4096, 'c'), {}, false, true}},
                      FailureCase{"TooManyRedirects", {302, "", "/loop", false, false}},
                      FailureCase{"RedirectToAnotherScheme",
                                  {302, "", "ftp://127.0.0.1:1/x", false, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QtDownloaderTest, RefusedConnectionFails) {
    testing::WriteFileBytes(target, "older archive");
    EXPECT_FALSE(Download(QStringLiteral("http://127.0.0.1:%1/x").arg(testing::ClosedLoopbackPort())));
    EXPECT_EQ(ReadFileBytes(target), "older archive");
}

TEST_F(QtDownloaderTest, MissingTargetFolderFails) {
    server.Serve("/a", {200, "data", {}, false, false});
    target = temp.path().toStdString() + "/no/such/folder/mwav.exe";
    EXPECT_FALSE(Download(server.Url("/a")));
}

}  // namespace
}  // namespace korvane
