#include "core/download_progress_text.h"

#include <algorithm>
#include <limits>

namespace korvane {

namespace {

std::string StatusTextOf(const DownloadNotification& n, const UiText& table, UiLanguage language) {
    switch (n.code) {
        case kDownloadFinding:
            return table.Get(64, language) + n.text;
        case kDownloadConnecting:
            return table.Get(65, language) + n.text;
        case kDownloadRedirecting:
            return table.Get(66, language) + n.text;
        case kDownloadBeginData:
            return table.Get(68, language) + n.text;
        case kDownloadData:
            return table.Get(69, language) + n.text;
        case kDownloadEndData:
            return table.Get(70, language) + n.text;
        case kDownloadCacheCopy:
            return table.Get(71, language);
        case kDownloadSendingRequest:
            return table.Get(67, language);
        default:
            return {};
    }
}

}  // namespace

std::optional<int> DownloadPercent(std::uint32_t progress, std::uint32_t maximum) {
    if (maximum == 0) return std::nullopt;
    // Whole numbers, not progress / (maximum / 100.0): in floating point a
    // complete download of 7 bytes came out as 99%. A progress far beyond the
    // maximum (up to 100 * 2^32 %) is capped at what an int holds.
    const std::uint64_t percent = std::uint64_t{progress} * 100u / maximum;
    return static_cast<int>(std::min<std::uint64_t>(percent, std::numeric_limits<int>::max()));
}

DownloadProgressView DescribeDownloadProgress(const DownloadNotification& n, const UiText& table,
                                              UiLanguage language) {
    DownloadProgressView view;
    // The counts are shown as the signed numbers the transfer's 32-bit fields hold.
    view.byteLine = std::to_string(static_cast<std::int32_t>(n.progress)) + " ---- of " +
                    std::to_string(static_cast<std::int32_t>(n.maximum)) + " recieved\r\n";
    view.statusText = StatusTextOf(n, table, language);
    view.percent = DownloadPercent(n.progress, n.maximum);
    if (!view.statusText.empty() && view.percent) {
        view.panelText = view.statusText + " ( " + std::to_string(*view.percent) + "% )";
    }
    return view;
}

}  // namespace korvane
