#include <gtest/gtest.h>

#include <string>
#include <vector>

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

struct AddressCase {
    const char* urlTemplate;
    std::string name;
    const char* address;
};

class DescriptionAddress : public ::testing::TestWithParam<AddressCase> {};

TEST_P(DescriptionAddress, PutsTheEncodedNameIntoTheTemplate) {
    const AddressCase& c = GetParam();
    EXPECT_EQ(VirusDescriptionAddress(c.urlTemplate, c.name), c.address) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DescriptionAddress,
    ::testing::Values(
        AddressCase{kDefaultVirusInfoUrl, "Trojan.Win32.Agent-x_1~",
                    "https://duckduckgo.com/?q=%22Trojan.Win32.Agent-x_1~%22"},
        AddressCase{kDefaultVirusInfoUrl, "Worm X&y=1", "https://duckduckgo.com/?q=%22Worm%20X%26y%3D1%22"},
        AddressCase{"http://i.test/find?w=%s&lang=en", "a\"b\tc#d%s",
                    "http://i.test/find?w=a%22b%09c%23d%25s&lang=en"},
        AddressCase{"http://i.test/%s/%s", "W\xc3\xa4rm/..", "http://i.test/W%C3%A4rm%2F../W%C3%A4rm%2F.."},
        AddressCase{"http://i.test/?q=", "Worm", "http://i.test/?q=Worm"},
        AddressCase{"http://i.test/?q=%s", "", "http://i.test/?q="}));

// The Windows browser command line: whatever the name, the address stays one
// quoted argument. Split as Windows programs split their command line.
std::vector<std::string> SplitLikeWindows(const std::string& line) {
    std::vector<std::string> arguments;
    std::string current;
    bool inQuotes = false, any = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\') {
            std::size_t slashes = 0;
            while (i < line.size() && line[i] == '\\') ++slashes, ++i;
            if (i < line.size() && line[i] == '"') {
                current.append(slashes / 2, '\\');
                if (slashes % 2 == 1)
                    current.push_back('"');
                else
                    --i;
            } else {
                current.append(slashes, '\\');
                --i;
            }
            any = true;
        } else if (c == '"') {
            inQuotes = !inQuotes;
            any = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (any) arguments.push_back(current);
            current.clear();
            any = false;
        } else {
            current.push_back(c);
            any = true;
        }
    }
    if (any) arguments.push_back(current);
    return arguments;
}

class BrowserArgument : public ::testing::TestWithParam<std::string> {};

TEST_P(BrowserArgument, NoNameAddsAnArgument) {
    for (const char* urlTemplate : {kDefaultVirusInfoUrl, "http://i.test/?q=%s&x=\"%s\"\\"}) {
        const std::string address = VirusDescriptionAddress(urlTemplate, GetParam());
        const std::string argument = BrowserArgumentForAddress(address);
        EXPECT_EQ(SplitLikeWindows("web.exe " + argument).size(), 2u) << argument;
        EXPECT_EQ(argument.front(), '"');
        EXPECT_EQ(argument.back(), '"');
        EXPECT_EQ(argument.find_first_of("\" \t\\", 1), argument.size() - 1) << argument;
    }
}

INSTANTIATE_TEST_SUITE_P(Names, BrowserArgument,
                         ::testing::Values("Worm", "a\" -new-window \"file:///c:/", "tab\there",
                                           "x & calc.exe", "ends\\", "\\\"", "line\r\nbreak", "%1 %*",
                                           "^&|<>"));

TEST(BrowserArgument, QuotesAndBackslashesInTheAddressAreEncoded) {
    EXPECT_EQ(BrowserArgumentForAddress("http://i.test/?q=\"a b\"\\"), "\"http://i.test/?q=%22a%20b%22%5C\"");
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
