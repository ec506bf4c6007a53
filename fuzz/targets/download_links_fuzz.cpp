// libs: korvane_core
// Link extraction over an arbitrary download page: every link is a piece of
// the page that follows an href=" and ends with "/mwav.exe", no nearer href="
// lies inside it, and there is none without the "FREE DOWNLOAD" text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/download_links.h"
#include "core/text_util.h"
#include "fuzz_bytes.h"

using korvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> links = korvane::ExtractDownloadLinks(page);

    const std::size_t marker = korvane::FindIgnoreCase(page, "FREE DOWNLOAD");
    if (marker == std::string_view::npos) Require(links.empty(), "links without the marker text");

    std::size_t archives = 0;
    if (marker != std::string_view::npos) {
        for (std::size_t at = korvane::FindIgnoreCase(page, "/mwav.exe", marker + 1); at != std::string_view::npos;
             at = korvane::FindIgnoreCase(page, "/mwav.exe", at + 9)) {
            ++archives;
        }
    }
    Require(links.size() <= archives, "more links than archive names after the marker");

    for (const std::string& link : links) {
        Require(link.size() >= 9, "link shorter than /mwav.exe");
        const std::string_view tail = std::string_view(link).substr(link.size() - 9);
        Require(korvane::FindIgnoreCase(tail, "/mwav.exe") == 0, "link does not end in /mwav.exe");
        const std::string_view body = std::string_view(link).substr(0, link.size() - 9);
        Require(korvane::FindIgnoreCase(body, "href=\"") == std::string_view::npos, "a nearer href= inside the link");
        // The link stands in the page right after an href=".
        bool found = false;
        for (std::size_t at = page.find(link); at != std::string_view::npos && !found; at = page.find(link, at + 1)) {
            found = at >= 6 && korvane::FindIgnoreCase(page.substr(at - 6, 6), "href=\"") == 0;
        }
        Require(found, "link not taken from the page after href=\"");
        (void)korvane::IsTriableLink(link);
    }
    return 0;
}
