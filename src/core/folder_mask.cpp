#include "core/folder_mask.h"

#include "core/text_util.h"

namespace korvane {

namespace {

std::string AsciiUpperCopy(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

}  // namespace

std::string FolderMaskFromText(std::string_view text) {
    std::string mask = TrimBlanks(AsciiUpperCopy(text));
    if (!mask.empty() && mask.front() == '*') {
        const auto dot = mask.find('.');
        const std::size_t position = dot == std::string::npos ? 0 : dot + 1;  // 1-based
        mask = mask.substr(position);
    }
    return mask;
}

bool FolderMaskAccepts(std::string_view mask, std::string_view name) {
    if (mask == "*") return true;
    if (mask.size() > name.size()) return false;
    return AsciiUpperCopy(name.substr(name.size() - mask.size())) == mask;
}

}  // namespace korvane
