#pragma once
// What one download progress notification shows: the byte log line, the
// status text and the status bar text with its percentage.
#include <cstdint>
#include <optional>
#include <string>

#include "core/ui_text.h"

namespace korvane {

// Progress codes of a download, as the transfer reports them.
enum DownloadStatusCode : int {
    kDownloadFinding = 1,
    kDownloadConnecting = 2,
    kDownloadRedirecting = 3,
    kDownloadBeginData = 4,
    kDownloadData = 5,
    kDownloadEndData = 6,
    kDownloadCacheCopy = 10,
    kDownloadSendingRequest = 11,
};

struct DownloadNotification {
    std::uint32_t progress = 0;
    std::uint32_t maximum = 0;  // 0 when the size is unknown
    int code = 0;
    std::string text;  // host, address or file, as the code calls for
};

struct DownloadProgressView {
    std::string byteLine;                  // for the byte log, with CR LF
    std::string statusText;                // empty for codes that show nothing
    std::optional<std::string> panelText;  // absent: the status bar keeps its text
    std::optional<int> percent;            // absent when the size is unknown
};

// Percentage truncated toward zero; absent when the maximum is 0. Beyond the
// maximum it goes above 100, as computed.
std::optional<int> DownloadPercent(std::uint32_t progress, std::uint32_t maximum);

DownloadProgressView DescribeDownloadProgress(const DownloadNotification& notification, const UiText& table,
                                              UiLanguage language);

}  // namespace korvane
