#include "core/archive_member_name.h"

namespace korvane {

namespace {

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
    }
    return upper;
}

}  // namespace

std::string FlatMemberName(std::string_view storedName) {
    const std::size_t cut = storedName.find_last_of("/\\");
    std::string_view name = cut == std::string_view::npos ? storedName : storedName.substr(cut + 1);
    if (name.empty() || name == "." || name == "..") return {};
    return std::string(name);
}

bool IsUsableWindowsFileName(std::string_view name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) return false;
        if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos) return false;
    }
    // Windows opens the device for the bare name and for the name with any
    // extension ("nul.txt"); blanks before the dot do not help.
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    const std::string upper = AsciiUpper(stem);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (upper == device) return false;
    }
    if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '0' &&
        upper[3] <= '9') {
        return false;
    }
    return true;
}

std::uint32_t ExtractedFileMode(std::uint32_t storedMode) {
    const std::uint32_t permissions = storedMode & 07777u;
    if (permissions == 0) return 0644u;
    return permissions & ~(04000u | 02000u | 01000u | 0002u);
}

}  // namespace korvane
