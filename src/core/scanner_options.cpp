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

std::vector<std::string> BuildScannerArguments(const ScannerOptionInput& input) {
    std::vector<std::string> arguments;
    bool folderGiven = false;
    for (int box = 1; box <= 9; ++box) {
        if (!input.checked[box]) continue;
        if (box == 6) {
            if (input.scanFolder.empty() || !input.scanFolderExists) {
                arguments.emplace_back(kSwitches[8]);
            } else {
                arguments.push_back(kSwitches[6] + input.scanFolderShort);
                folderGiven = true;
            }
        } else if (box == 7) {
            if (folderGiven) arguments.emplace_back(kSwitches[7]);
        } else {
            arguments.emplace_back(kSwitches[box]);
        }
    }
    if (arguments.empty()) return SplitScannerOptions(kDefaultScannerOptions);
    arguments.emplace_back("/SNOC");
    return arguments;
}

std::string BuildScannerOptions(const ScannerOptionInput& input) {
    std::string options;
    for (const std::string& argument : BuildScannerArguments(input)) options += " " + argument;
    return options;
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
