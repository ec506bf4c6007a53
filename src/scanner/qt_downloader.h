#pragma once
// Downloads with Qt Network on a local event loop, so the window keeps
// painting while the handler waits.
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

    // A transfer that receives nothing for stallTimeout ends as a failure.
    explicit QtDownloader(std::chrono::milliseconds stallTimeout = kDefaultStallTimeout)
        : stallTimeout_(stallTimeout) {}

    bool DownloadFile(const std::string& url, const std::string& target,
                      const ProgressSink& progress) override;

private:
    std::chrono::milliseconds stallTimeout_;
};

}  // namespace korvane
