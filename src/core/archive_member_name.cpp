#include "core/archive_member_name.h"

namespace korvane {

std::string FlatMemberName(std::string_view storedName) {
    const std::size_t cut = storedName.find_last_of("/\\");
    std::string_view name = cut == std::string_view::npos ? storedName : storedName.substr(cut + 1);
    if (name.empty() || name == "." || name == "..") return {};
    return std::string(name);
}

std::uint32_t ExtractedFileMode(std::uint32_t storedMode) {
    const std::uint32_t permissions = storedMode & 07777u;
    if (permissions == 0) return 0644u;
    return permissions & ~(04000u | 02000u | 01000u | 0002u);
}

}  // namespace korvane
