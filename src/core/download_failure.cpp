#include "core/download_failure.h"

#include "core/more_text.h"

namespace korvane {

std::string WithNumber(std::string text, std::int64_t value) {
    const std::string number = std::to_string(value);
    for (std::size_t at = text.find("%1"); at != std::string::npos; at = text.find("%1", at + number.size()))
        text.replace(at, 2, number);
    return text;
}

std::string DescribeDownloadFailure(const DownloadResult& result, UiLanguage language) {
    const auto text = [language](MoreText id) { return More(id, language); };
    switch (result.failure) {
        case DownloadFailure::None:
        case DownloadFailure::Cancelled:
            return {};
        case DownloadFailure::HttpStatus:
            return text(MoreText::ReasonHttpStatus) + std::to_string(result.httpStatus);
        case DownloadFailure::NoData:
            return WithNumber(text(MoreText::ReasonNoData), result.limit);
        case DownloadFailure::TooLarge:
            return text(MoreText::ReasonTooLarge);
        case DownloadFailure::Deadline:
            return WithNumber(text(MoreText::ReasonDeadline), result.limit);
        case DownloadFailure::TooSlow:
            return WithNumber(text(MoreText::ReasonTooSlow), result.limit);
        case DownloadFailure::Incomplete:
            return text(MoreText::ReasonIncomplete);
        case DownloadFailure::RedirectRefused:
            return text(MoreText::ReasonRedirect);
        case DownloadFailure::WriteFailed:
            return text(MoreText::ReasonWriteFailed);
        case DownloadFailure::BadAddress:
        case DownloadFailure::Network:
            break;
    }
    return result.detail;
}

}  // namespace korvane
