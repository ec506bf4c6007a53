#include "core/vendor_host.h"

#include <cstdlib>

namespace korvane {

std::string VendorHost(const char* variableValue) {
    if (variableValue != nullptr && *variableValue != '\0') return variableValue;
    return kVendorHost;
}

std::string VendorHostFromEnvironment() {
    return VendorHost(std::getenv(kVendorHostVariable));
}

std::string VendorPageAddress(const std::string& host) {
    return "http://" + host + "/antivirus/mwav.asp";
}

std::string StandardArchiveLink(const std::string& host) {
    return "http://" + host + "/download/tools/mwav.exe";
}

}  // namespace korvane
