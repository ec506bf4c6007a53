#include "core/download_links.h"

#include "core/case_insensitive_search.h"
#include "core/text_util.h"

#include <algorithm>

namespace korvane {

namespace {

constexpr std::string_view kMarker = "FREE DOWNLOAD";
constexpr std::string_view kArchive = "/mwav.exe";
constexpr std::string_view kHref = "href=\"";

// The last href=" that ends at or before a position, for positions that only
// grow: each part of the page is searched once, however many archive names
// follow one another.
class NearestHrefBefore {
public:
    explicit NearestHrefBefore(std::string_view page) : page_(page) {}

    // Start of the last href=" ending at or before end; npos if none.
    std::size_t At(std::size_t end) {
        if (end > searchedUpTo_) {
            const std::string_view upTo = page_.substr(0, end);
            // A match may straddle the part searched before.
            std::size_t from = searchedUpTo_ >= kHref.size() ? searchedUpTo_ - kHref.size() + 1 : 0;
            for (std::size_t at = href_.Find(upTo, from); at != std::string_view::npos;
                 at = href_.Find(upTo, at + 1)) {
                last_ = at;
            }
            searchedUpTo_ = end;
        }
        return last_;
    }

private:
    std::string_view page_;
    CaseInsensitiveSearcher href_{kHref};
    std::size_t searchedUpTo_ = 0;
    std::size_t last_ = std::string_view::npos;
};

}  // namespace

std::vector<std::string> ExtractDownloadLinks(std::string_view page) {
    bool capped = false;
    return ExtractDownloadLinks(page, capped);
}

std::vector<std::string> ExtractDownloadLinks(std::string_view page, bool& capped) {
    std::vector<std::string> links;
    capped = false;
    const std::size_t marker = FindIgnoreCase(page, kMarker);
    if (marker == std::string_view::npos) return links;
    NearestHrefBefore hrefs(page);
    const CaseInsensitiveSearcher archiveName(kArchive);
    std::size_t archive = archiveName.Find(page, marker + 1);
    while (archive != std::string_view::npos) {
        if (links.size() == kMaximumDownloadLinks) {
            // Only a further link that would have been kept counts as more.
            const std::size_t href = hrefs.At(archive);
            if (href != std::string_view::npos &&
                archive + kArchive.size() - (href + kHref.size()) <= kMaximumLinkLength) {
                capped = true;
                break;
            }
            archive = archiveName.Find(page, archive + kArchive.size());
            continue;
        }
        const std::size_t href = hrefs.At(archive);
        if (href != std::string_view::npos) {
            const std::size_t start = href + kHref.size();
            const std::size_t length = archive + kArchive.size() - start;
            if (length <= kMaximumLinkLength) links.emplace_back(page.substr(start, length));
        }
        archive = archiveName.Find(page, archive + kArchive.size());
    }
    return links;
}

bool IsTriableLink(std::string_view link) {
    return link.size() > 4 && (ContainsIgnoreCase(link, "http://") || ContainsIgnoreCase(link, "https://"));
}

bool IsHttpsLink(std::string_view link) {
    return FindIgnoreCase(link, "https://") == 0;
}

void PreferHttpsLinks(std::vector<std::string>& links) {
    std::stable_partition(links.begin(), links.end(),
                          [](const std::string& link) { return IsHttpsLink(link); });
}

}  // namespace korvane
