#pragma once
// Why a download ended without a file, and the reason as the user reads it.
#include <cstdint>
#include <string>

#include "core/ui_text.h"

namespace korvane {

enum class DownloadFailure {
    None,
    BadAddress,       // not an http(s) address
    HttpStatus,       // the server answered with a status other than 2xx
    NoData,           // nothing arrived for the stall timeout
    TooLarge,         // announced or sent more than the size limit
    Deadline,         // not finished within the overall deadline
    TooSlow,          // the average rate fell below the minimum
    Incomplete,       // fewer bytes than announced
    RedirectRefused,  // a redirect to a scheme we do not follow
    WriteFailed,      // the file could not be written
    Network,          // the network's own error text is in detail
    Cancelled,
};

struct DownloadResult {
    DownloadFailure failure = DownloadFailure::None;
    int httpStatus = 0;
    std::int64_t limit = 0;  // the limit that was hit: seconds or bytes per second
    std::string detail;      // the network's error text, UTF-8

    bool Ok() const { return failure == DownloadFailure::None; }
    explicit operator bool() const { return Ok(); }
};

// The reason in the current language, such as "HTTP status 404" or
// "no data for 30 s"; empty for a success or a cancelled download.
std::string DescribeDownloadFailure(const DownloadResult& result, UiLanguage language);

// text with every "%1" replaced by value.
std::string WithNumber(std::string text, std::int64_t value);

}  // namespace korvane
