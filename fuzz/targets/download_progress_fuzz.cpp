// libs: korvane_core
// One download progress notification from arbitrary numbers, code and text:
// the byte log line reads back as the two counts, the percentage is the
// exact truncated share, and the status bar text appears only with a status
// text and a known size.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/download_progress_text.h"
#include "core/ui_text.h"
#include "fuzz_bytes.h"

using korvane::fuzz::Require;

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane::fuzz::FuzzBytes input(data, size);
    korvane::DownloadNotification notification;
    notification.progress = input.Uint32();
    notification.maximum = input.Uint32();
    notification.code = static_cast<std::int8_t>(input.Byte());
    const auto language = (input.Byte() & 1) != 0 ? korvane::UiLanguage::English : korvane::UiLanguage::German;
    notification.text = std::string(input.Rest());

    const korvane::DownloadProgressView view =
        korvane::DescribeDownloadProgress(notification, korvane::Texts(), language);

    // "<progress> ---- of <maximum> recieved\r\n", both as signed 32-bit numbers.
    Require(EndsWith(view.byteLine, " recieved\r\n"), "byte line ending");
    const std::size_t of = view.byteLine.find(" ---- of ");
    Require(of != std::string::npos, "byte line without ' ---- of '");
    const long long progress = std::strtoll(view.byteLine.c_str(), nullptr, 10);
    const long long maximum = std::strtoll(view.byteLine.c_str() + of + 9, nullptr, 10);
    Require(static_cast<std::uint32_t>(progress) == notification.progress, "progress does not read back");
    Require(static_cast<std::uint32_t>(maximum) == notification.maximum, "maximum does not read back");
    Require(progress >= INT32_MIN && progress <= INT32_MAX && maximum >= INT32_MIN && maximum <= INT32_MAX,
            "counts not shown as signed 32-bit numbers");

    Require(view.percent.has_value() == (notification.maximum != 0), "percentage without a known size");
    if (view.percent) {
        // Capped where an int ends, far beyond any real download.
        const std::uint64_t exact = std::min<std::uint64_t>(
            std::uint64_t{notification.progress} * 100u / notification.maximum, INT32_MAX);
        Require(*view.percent >= 0 && static_cast<std::uint64_t>(*view.percent) == exact,
                "percentage is not the truncated share");
    }

    const bool shows = notification.code >= 1 && (notification.code <= 6 || notification.code == 10 ||
                                                  notification.code == 11);
    Require(view.statusText.empty() != shows, "status text for the wrong codes");
    if (shows && notification.code <= 6) Require(EndsWith(view.statusText, notification.text), "status text lost");
    Require(view.panelText.has_value() == (shows && notification.maximum != 0), "panel text when it must stay");
    if (view.panelText) {
        Require(view.panelText->rfind(view.statusText, 0) == 0, "panel text does not start with the status text");
        Require(EndsWith(*view.panelText, "% )"), "panel text ending");
    }
    return 0;
}
