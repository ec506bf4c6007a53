#include "core/virus_description.h"

#include "core/text_util.h"

namespace korvane {

namespace {
constexpr auto npos = std::string_view::npos;
}

std::string CleanVirusName(std::string_view clickedName) {
    std::string_view name = clickedName;
    constexpr std::string_view kTagged = "tagged:";
    const std::size_t taggedAt = FindIgnoreCase(name, kTagged);
    if (taggedAt != npos) name.remove_prefix(taggedAt + kTagged.size());
    if (!name.empty() && name.back() == '.') name.remove_suffix(1);
    return std::string(name);
}

std::string VirusDescriptionAddress(std::string_view host, std::string_view cleanedName) {
    std::string address = "http://";
    address.append(host).append("/en/find?search_mode=virus&words=").append(cleanedName);
    return address;
}

std::string BrowserProgramFromCommand(std::string_view command) {
    const std::string lower = AsciiLowerCopy(command);
    const std::size_t driveMark = lower.find(":\\");
    if (driveMark != npos && driveMark >= 1) {
        // Without ".exe" after the drive the cut would end inside the path
        // (a bare "C:\"), so only a found ".exe" takes this form.
        const std::size_t exeAt = lower.find(".exe", driveMark);
        if (exeAt != npos) {
            const std::size_t from = driveMark - 1;
            return std::string(command.substr(from, exeAt + 4 - from));
        }
    }
    const std::size_t lastBackslash = command.rfind('\\');
    if (lastBackslash != npos) {
        const std::size_t blank = command.find(' ', lastBackslash);
        if (blank != npos) return std::string(command.substr(0, blank));
    }
    return std::string(command);
}

}  // namespace korvane
