#pragma once
// Downloads with Qt Network on a local event loop, so the window keeps
// painting (and its Cancel button works) while the handler waits.
#include <QtGlobal>
#include <chrono>
#include <functional>

#include "core/scanner_limits.h"
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
                          qint64 maximumSize = kDefaultMaximumSize);
    // Besides, one that is not finished by the deadline, or whose average rate
    // is below the minimum once the grace time has passed.
    explicit QtDownloader(const ScannerLimits& limits);

    DownloadResult DownloadFile(const std::string& url, const std::string& target,
                                const ProgressSink& progress) override;
    void Cancel() override;

private:
    ScannerLimits limits_;
    std::function<void()> cancel_;  // set while a transfer runs
};

}  // namespace korvane
