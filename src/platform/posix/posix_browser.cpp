// Opening an address in the desktop's default web browser.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <sstream>

#include "platform/posix/posix_files_shell.h"

namespace korvane {

namespace {

std::vector<std::string> SplitAtBlanks(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

bool StartDetachedProcess(const std::string& program, const std::vector<std::string>& arguments) {
    QStringList args;
    for (const std::string& a : arguments)
        args << QString::fromLocal8Bit(a.data(), static_cast<qsizetype>(a.size()));
    return QProcess::startDetached(
        QString::fromLocal8Bit(program.data(), static_cast<qsizetype>(program.size())), args);
}

}  // namespace

std::vector<BrowserLaunch> BrowserLaunchCandidates(const std::string& address,
                                                   const std::string& browserVariable) {
    std::vector<BrowserLaunch> candidates;
    std::size_t start = 0;
    while (start <= browserVariable.size()) {
        std::size_t end = browserVariable.find(':', start);
        if (end == std::string::npos) end = browserVariable.size();
        std::vector<std::string> words = SplitAtBlanks(browserVariable.substr(start, end - start));
        if (!words.empty()) {
            BrowserLaunch launch{words.front(), {words.begin() + 1, words.end()}};
            bool placed = false;
            for (std::string& argument : launch.arguments) {
                for (std::size_t at = argument.find("%s"); at != std::string::npos;
                     at = argument.find("%s", at)) {
                    argument.replace(at, 2, address);
                    at += address.size();
                    placed = true;
                }
            }
            if (!placed) launch.arguments.push_back(address);
            candidates.push_back(std::move(launch));
        }
        start = end + 1;
    }
    candidates.push_back(BrowserLaunch{"xdg-open", {address}});
    return candidates;
}

bool PosixFilesShell::OpenUrlInBrowser(const std::string& address) {
    const char* browser = std::getenv("BROWSER");
    const auto start = startDetached ? startDetached : StartDetachedProcess;
    for (const BrowserLaunch& launch : BrowserLaunchCandidates(address, browser != nullptr ? browser : "")) {
        if (start(launch.program, launch.arguments)) return true;
    }
    return false;
}

}  // namespace korvane
