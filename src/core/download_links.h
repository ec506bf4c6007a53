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
// A page written to harm cannot make the list huge: a text longer than
// kMaximumLinkLength spans page markup rather than an address and is left
// out, and the list ends after kMaximumDownloadLinks links. The work grows
// with the page's length, however the page is made.
std::vector<std::string> ExtractDownloadLinks(std::string_view page);
// The same; capped tells whether the page held more links than the list keeps.
std::vector<std::string> ExtractDownloadLinks(std::string_view page, bool& capped);

// Browsers and servers take no longer addresses.
inline constexpr std::size_t kMaximumLinkLength = 2048;
// More than a vendor page ever holds, and more than anyone waits for.
inline constexpr std::size_t kMaximumDownloadLinks = 1000;

// Whether a link is worth a download attempt: longer than four characters
// and an absolute http:// or https:// address.
bool IsTriableLink(std::string_view link);

// Moves the https:// links in front of the others, each group in page order,
// so an encrypted road is tried first when the page offers both.
void PreferHttpsLinks(std::vector<std::string>& links);

}  // namespace korvane
