#include "core/scanner_options.h"

#include "core/text_util.h"

namespace korvane {

namespace {

constexpr const char* kSwitches[10] = {"",     "/MEM",     "/REG",        "/STARTUP", "/SysFolder",
                                       "/SER", "/FOLDER=", "/SubFolders", "/DRIVE",   "/WaitToExit"};

bool StartsWithSwitch(const std::string& text, std::size_t at) {
    static constexpr const char* kAll[] = {"/MEM",     "/REG",        "/STARTUP", "/SysFolder",  "/SER",
                                           "/FOLDER=", "/SubFolders", "/DRIVE",   "/WaitToExit", "/SNOC"};
    for (const char* name : kAll) {
        const std::string_view candidate(name);
        if (text.size() - at < candidate.size()) continue;
        if (FindIgnoreCase(std::string_view(text).substr(at, candidate.size()), candidate) != 0) continue;
        const std::size_t end = at + candidate.size();
        // "/SER" must not match the start of "/SERVICES"; "/FOLDER=" carries its value.
        if (candidate.back() == '=' || end == text.size() || text[end] == ' ') return true;
    }
    return false;
}

}  // namespace

const char* ScannerSwitch(int box) {
    return box >= 1 && box <= 9 ? kSwitches[box] : "";
}

std::string BuildScannerOptions(const ScannerOptionInput& input) {
    std::string options;
    for (int box = 1; box <= 9; ++box) {
        if (!input.checked[box]) continue;
        if (box == 6) {
            if (input.scanFolder.empty() || !input.scanFolderExists) {
                options += std::string(" ") + kSwitches[8];
            } else {
                options += std::string(" ") + kSwitches[6] + input.scanFolderShort;
            }
        } else if (box == 7) {
            if (ContainsIgnoreCase(options, kSwitches[6])) options += std::string(" ") + kSwitches[7];
        } else {
            options += std::string(" ") + kSwitches[box];
        }
    }
    if (options.empty()) return kDefaultScannerOptions;
    return options + " /SNOC";
}

std::vector<std::string> SplitScannerOptions(const std::string& options) {
    std::vector<std::string> arguments;
    std::string current;
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (options[i] == ' ' && (current.empty() || StartsWithSwitch(options, i + 1))) {
            if (!current.empty()) arguments.push_back(current);
            current.clear();
            continue;
        }
        current.push_back(options[i]);
    }
    if (!current.empty()) arguments.push_back(current);
    return arguments;
}

}  // namespace korvane
