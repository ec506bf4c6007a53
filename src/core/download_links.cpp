#include "core/download_links.h"

#include "core/text_util.h"

namespace korvane {

namespace {

constexpr std::string_view kMarker = "FREE DOWNLOAD";
constexpr std::string_view kArchive = "/mwav.exe";
constexpr std::string_view kHref = "href=\"";

// Start of the last href=" that ends at or before end; npos if none.
std::size_t FindHrefBefore(std::string_view page, std::size_t end) {
    if (end < kHref.size()) return std::string_view::npos;
    for (std::size_t at = end - kHref.size() + 1; at-- > 0;) {
        if (FindIgnoreCase(page.substr(at, kHref.size()), kHref) == 0) return at;
    }
    return std::string_view::npos;
}

}  // namespace

std::vector<std::string> ExtractDownloadLinks(std::string_view page) {
    std::vector<std::string> links;
    const std::size_t marker = FindIgnoreCase(page, kMarker);
    if (marker == std::string_view::npos) return links;
    std::size_t archive = FindIgnoreCase(page, kArchive, marker + 1);
    while (archive != std::string_view::npos) {
        const std::size_t href = FindHrefBefore(page, archive);
        if (href != std::string_view::npos) {
            const std::size_t start = href + kHref.size();
            links.emplace_back(page.substr(start, archive + kArchive.size() - start));
        }
        archive = FindIgnoreCase(page, kArchive, archive + kArchive.size());
    }
    return links;
}

bool IsTriableLink(std::string_view link) {
    return link.size() > 4 && ContainsIgnoreCase(link, "http://");
}

}  // namespace korvane
