#pragma once
// A download target in a temporary folder that already holds an older file,
// and a loopback server to fetch from.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "scanner/loopback_server.h"
#include "scanner/qt_downloader.h"
#include "scanner/test_archive.h"

namespace korvane::testing {

class DownloadFixture : public ::testing::Test {
protected:
    void SetUp() override { WriteFileBytes(target, "older archive"); }
    DownloadResult Fetch(const QString& url, QtDownloader& downloader) {
        notes.clear();
        return downloader.DownloadFile(url.toStdString(), target,
                                       [this](const DownloadNotification& n) { notes.push_back(n); });
    }
    bool Notified(int code) const {
        return std::any_of(notes.begin(), notes.end(), [code](const auto& n) { return n.code == code; });
    }
    // The older file is kept and nothing partial lies beside it.
    void ExpectOlderFileOnly() {
        EXPECT_EQ(ReadFileBytes(target), "older archive");
        EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"mwav.exe"});
    }

    QTemporaryDir temp;
    std::string target = temp.path().toStdString() + "/mwav.exe";
    LoopbackServer server;
    std::vector<DownloadNotification> notes;
};

}  // namespace korvane::testing
