#pragma once
// The archive links on the vendor's download page.
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// Every link to "/mwav.exe" after the page's "FREE DOWNLOAD" text, in page
// order, duplicates kept. Each link runs from the nearest href=" before its
// "/mwav.exe" (which may lie before the marker text) to the end of
// "/mwav.exe", unchanged. Letter case is ignored in the search.
std::vector<std::string> ExtractDownloadLinks(std::string_view page);

// Whether a link is worth a download attempt: longer than four characters
// and an absolute http:// address.
bool IsTriableLink(std::string_view link);

}  // namespace korvane
