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

namespace {

void AppendPercentByte(std::string& out, unsigned char byte) {
    constexpr char kHex[] = "0123456789ABCDEF";
    out.push_back('%');
    out.push_back(kHex[byte >> 4]);
    out.push_back(kHex[byte & 0x0F]);
}

}  // namespace

std::string PercentEncode(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved)
            out.push_back(c);
        else
            AppendPercentByte(out, byte);
    }
    return out;
}

std::string VirusDescriptionAddress(std::string_view urlTemplate, std::string_view cleanedName) {
    const std::string name = PercentEncode(cleanedName);
    constexpr std::string_view kSlot = "%s";
    if (urlTemplate.find(kSlot) == npos) return std::string(urlTemplate) + name;
    std::string address;
    for (std::size_t at = 0; at < urlTemplate.size();) {
        if (urlTemplate.substr(at, kSlot.size()) == kSlot) {
            address += name;
            at += kSlot.size();
        } else {
            address.push_back(urlTemplate[at++]);
        }
    }
    return address;
}

std::string BrowserArgumentForAddress(std::string_view address) {
    std::string argument = "\"";
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\' || c == ' ' || byte < 0x20 || byte == 0x7F)
            AppendPercentByte(argument, byte);
        else
            argument.push_back(c);
    }
    argument.push_back('"');
    return argument;
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
