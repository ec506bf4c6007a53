#include <gtest/gtest.h>

#include "core/virus_description.h"

namespace korvane {
namespace {

TEST(VirusDescription, CleansTheRememberedName) {
    EXPECT_EQ(CleanVirusName("tagged:Adware.Foo."), "Adware.Foo");
    EXPECT_EQ(CleanVirusName("TAGGED:Tool"), "Tool");
    EXPECT_EQ(CleanVirusName("Trojan.Bar.."), "Trojan.Bar.");
    EXPECT_EQ(CleanVirusName("Worm X"), "Worm X");
    EXPECT_EQ(CleanVirusName(""), "");
}

TEST(VirusDescription, AddressKeepsTheNameUnencoded) {
    EXPECT_EQ(VirusDescriptionAddress("host.test", "Worm X&y"),
              "http://host.test/en/find?search_mode=virus&words=Worm X&y");
}

struct CommandCase {
    const char* command;
    const char* program;
};

class BrowserCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(BrowserCommand, CutsTheProgram) {
    EXPECT_EQ(BrowserProgramFromCommand(GetParam().command), GetParam().program) << GetParam().command;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, BrowserCommand,
    ::testing::Values(
        CommandCase{R"("C:\Program Files\Web\web.exe" -nohome "%1")", R"(C:\Program Files\Web\web.exe)"},
        CommandCase{R"(C:\PROGRA~1\Web\WEB.EXE -url "%1")", R"(C:\PROGRA~1\Web\WEB.EXE)"},
        CommandCase{R"("C:\Program Files\Web\web.exe")", R"(C:\Program Files\Web\web.exe)"},
        CommandCase{R"(\\server\share\web -url %1)", R"(\\server\share\web)"},
        CommandCase{R"(tools\web -url %1)", R"(tools\web)"},
        CommandCase{R"(web.exe -nohome "%1")", R"(web.exe -nohome "%1")"},
        CommandCase{R"(C:\Web\browser -url %1)", R"(C:\Web\browser)"},  // no ".exe": not cut to "C:\"
        CommandCase{"", ""}));

}  // namespace
}  // namespace korvane
