#pragma once
// Fetching a URL into a file, with progress notifications.
#include <functional>
#include <string>

#include "core/download_failure.h"
#include "core/download_progress_text.h"

namespace korvane {

class Downloader {
public:
    using ProgressSink = std::function<void(const DownloadNotification&)>;

    virtual ~Downloader() = default;

    // Downloads url to the file target (bytes in the system code page). Blocks
    // the caller until the transfer has ended, while the program keeps handling
    // its events. Succeeds exactly when the whole file was written; on any
    // failure an existing file at target is left as it was, no partial file
    // remains, and the result says why.
    virtual DownloadResult DownloadFile(const std::string& url, const std::string& target,
                                        const ProgressSink& progress) = 0;

    // Ends a running transfer as cancelled; called from an event handler while
    // DownloadFile waits. Does nothing when no transfer runs.
    virtual void Cancel() {}
};

}  // namespace korvane
