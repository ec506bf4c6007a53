#pragma once
// Downloads with Qt Network on a local event loop, so the window keeps
// painting while the handler waits.
#include <QtGlobal>
#include <chrono>

#include "platform/download.h"

class QNetworkAccessManager;

namespace korvane {

// The one network access manager of the program, created on first use.
QNetworkAccessManager& SharedNetworkAccess();

class QtDownloader : public Downloader {
public:
    static constexpr std::chrono::milliseconds kDefaultStallTimeout{30000};
    static constexpr int kMaximumRedirects = 10;
    // Neither the vendor page nor the scanner archive comes near this; a
    // larger answer would only fill the disk of a computer already in trouble.
    static constexpr qint64 kDefaultMaximumSize = qint64{1} << 30;

    // A transfer that receives nothing for stallTimeout ends as a failure, and
    // so does one that announces or sends more than maximumSize bytes.
    explicit QtDownloader(std::chrono::milliseconds stallTimeout = kDefaultStallTimeout,
                          qint64 maximumSize = kDefaultMaximumSize)
        : stallTimeout_(stallTimeout), maximumSize_(maximumSize) {}

    bool DownloadFile(const std::string& url, const std::string& target,
                      const ProgressSink& progress) override;

private:
    std::chrono::milliseconds stallTimeout_;
    qint64 maximumSize_;
};

}  // namespace korvane
