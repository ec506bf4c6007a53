#pragma once
// Where the scanner is downloaded from.
#include <string>

namespace korvane {

// The scanner vendor's web server. KORVANE_VENDOR_HOST (host or host:port)
// replaces it, for a mirror or a local test server.
inline constexpr const char* kVendorHost = "download.escan.example";
inline constexpr const char* kVendorHostVariable = "KORVANE_VENDOR_HOST";

// The host to use: the variable's value when set and not empty, else kVendorHost.
std::string VendorHost(const char* variableValue);
// VendorHost of this process's environment.
std::string VendorHostFromEnvironment();

std::string VendorPageAddress(const std::string& host);    // http://HOST/antivirus/mwav.asp
std::string StandardArchiveLink(const std::string& host);  // http://HOST/download/tools/mwav.exe

}  // namespace korvane
