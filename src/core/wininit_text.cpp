#include "core/wininit_text.h"

#include <cstdint>
#include <set>

#include "core/text_util.h"

namespace korvane {

namespace {

const char kCrLf[] = "\r\n";

std::string AsciiUpperCopy(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

std::string NumberedBackupName(const std::string& fileName, int number) {
    return fileName.substr(0, 5) + "_~" + std::to_string(number) + ".bkp";
}

std::string BuildWininitText(const WininitRequest& request, const WininitQueries& queries) {
    std::string text;
    if (request.fileExists) {
        text = request.existingText;
        if (text.size() < 2 || text.compare(text.size() - 2, 2, kCrLf) != 0) text += kCrLf;
    } else {
        text = std::string("[rename]") + kCrLf;
    }

    // The counter is 16-bit and shared by all entries of one call.
    std::int16_t counter = 0;
    std::set<std::string> givenOut;  // upper-cased targets chosen in this call
    std::string target;
    for (std::size_t i = 1; i < request.entries.size(); ++i) {
        const std::string& entry = request.entries[i];
        if (request.backup) {
            const auto slash = entry.find_last_of(request.separator);
            if (slash == std::string::npos || queries.isFolder(entry)) {
                target.clear();
            } else {
                const std::string name = entry.substr(slash + 1);
                const auto taken = [&](const std::string& candidate) {
                    const std::string full = request.shortBackupFolder + candidate;
                    return queries.exists(full) || givenOut.count(AsciiUpperCopy(full)) != 0;
                };
                std::string candidate = NumberedBackupName(name, 1);
                // At the counter's end the last name is kept: the rename then
                // fails at the start and the file stays where it is.
                while (taken(candidate) && counter < INT16_MAX) {
                    ++counter;
                    candidate = NumberedBackupName(name, counter);
                }
                target = AsciiUpperCopy(request.shortBackupFolder + candidate);
                givenOut.insert(target);
            }
        }
        if (queries.processEvents) queries.processEvents();
        text += (target.empty() ? std::string("NUL") : target) + "=" + queries.shortPath(entry) + kCrLf;
    }
    return text;
}

}  // namespace korvane
