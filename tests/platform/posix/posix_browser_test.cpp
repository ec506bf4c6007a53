#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/posix/posix_files_shell.h"

namespace korvane {
namespace {

const std::string kAddress = "http://h.test/en/find?search_mode=virus&words=Worm X";

TEST(PosixBrowser, WithoutBrowserVariableTheDesktopDefaultOpens) {
    const std::vector<BrowserLaunch> expected = {{"xdg-open", {kAddress}}};
    EXPECT_EQ(BrowserLaunchCandidates(kAddress, ""), expected);
}

TEST(PosixBrowser, BrowserVariableEntriesComeFirst) {
    const std::vector<BrowserLaunch> expected = {
        {"web", {"--new-tab", kAddress}}, {"lynx", {"-dump", kAddress + "#top"}}, {"xdg-open", {kAddress}}};
    EXPECT_EQ(BrowserLaunchCandidates(kAddress, "web --new-tab::lynx -dump %s#top"), expected);
}

TEST(PosixBrowser, TriesTheNextCommandWhenOneDoesNotStart) {
    ::setenv("BROWSER", "missing-browser", 1);
    PosixFilesShell shell;
    std::vector<std::string> started;
    shell.startDetached = [&](const std::string& program, const std::vector<std::string>& arguments) {
        started.push_back(program + " " + arguments.back());
        return program == "xdg-open";
    };
    EXPECT_TRUE(shell.OpenUrlInBrowser(kAddress));
    EXPECT_EQ(started, (std::vector<std::string>{"missing-browser " + kAddress, "xdg-open " + kAddress}));
    ::unsetenv("BROWSER");
}

}  // namespace
}  // namespace korvane
