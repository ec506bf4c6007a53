#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/log_parser.h"

namespace korvane {
namespace {

struct LineCase {
    const char* what;
    std::string line;
    std::optional<LogEntry> expected;  // nothing: the line is ignored
};

LogEntry Entry(std::string path, std::string name) {
    return {std::move(path), std::move(name)};
}

class ObjectLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ObjectLine, YieldsPathAndName) {
    const LineCase& c = GetParam();
    EXPECT_EQ(ParseObjectLine(c.line), c.expected) << c.what << ": " << c.line;
}

const LineCase kLineCases[] = {
    {"infected with a quoted name", R"(Scanning file C:\dir\a.exe infected by "Trojan.Generic.1" [Deleted])",
     Entry(R"(C:\dir\a.exe)", "Trojan.Generic.1")},
    {"verdict in other case", R"(file C:\Dir\A.exe Infected By "Worm.X")",
     Entry(R"(C:\Dir\A.exe)", "Worm.X")},
    {"infected without the quoted form", R"(file C:\dir\b.dll infected with something)",
     Entry(R"(C:\dir\b.dll)", "")},
    {"infected by without closing quote", R"(file C:\dir\b.dll infected by "Open)",
     Entry(R"(C:\dir\b.dll)", "")},
    {"tagged, blank after the colon", R"(file C:\t\adware.exe tagged as not-a-virus: AdWare.Win32.X found)",
     Entry(R"(C:\t\adware.exe)", "tagged:AdWare.Win32.X")},
    {"tagged, name right after the colon", R"(file C:\t\a.exe tagged as not-a-virus:RiskTool.Y (x))",
     Entry(R"(C:\t\a.exe)", "tagged:RiskTool.Y")},
    {"tagged, two blanks after the colon", R"(file C:\t\a.exe tagged as not-a-virus:  RiskTool.Y more)",
     Entry(R"(C:\t\a.exe)", "tagged:")},
    {"tagged, name runs to the end", R"(file C:\t\a.exe tagged as not-a-virus: RiskTool.Y)",
     Entry(R"(C:\t\a.exe)", "")},
    {"both verdicts: infected wins", R"(file C:\x.exe infected by "V" tagged as not-a-virus: T x)",
     Entry(R"(C:\x.exe)", "V")},
    {"path and verdict only", R"(file C:\ok.exe OK)", std::nullopt},
    {"no file word", R"(object C:\x.exe infected by "V")", std::nullopt},
    {"file word without its blank", R"(file:C:\x.exe infected by "V")", std::nullopt},
    {"no drive mark", R"(file /home/x infected by "V")", std::nullopt},
    {"drive mark after the name counts", R"(file x.exe infected by "V" see C:\log)", Entry("x.exe", "V")},
    {"verdict needs a character after file", R"(file infected by "V" C:\)", std::nullopt},
    {"blanks around the path and inside quotes", R"(file    C:\a b\c.exe    infected by "  Big Name  ")",
     Entry(R"(C:\a b\c.exe)", "Big Name")},
    {"empty path is ignored", R"(file   infected by "V" C:\)", std::nullopt},
    {"case of path and name kept", R"(FILE C:\MiXeD\Case.EXE INFECTED BY "Mixed.Name")",
     Entry(R"(C:\MiXeD\Case.EXE)", "Mixed.Name")},
    // A folder named "infected stuff" must not cut the path at that word: the
    // parent folder would otherwise become an entry that can be deleted whole.
    {"folder named infected", R"(file C:\infected stuff\evil.exe infected by "Trojan.Z")",
     Entry(R"(C:\infected stuff\evil.exe)", "Trojan.Z")},
    // Without the quoted form the verdict word follows a blank; a folder name
    // starting with it would otherwise make D:\data an entry that "Mark all
    // infected" ticks and the delete run removes with everything in it.
    {"tagged object in a folder named infected",
     R"(file D:\data\infected stuff\tool.exe tagged as not-a-virus: RiskTool.X found)",
     Entry(R"(D:\data\infected stuff\tool.exe)", "tagged:RiskTool.X")},
    {"unquoted verdict in a folder named infected",
     R"(file D:\infected files\a.exe infected with Worm.Y)", Entry(R"(D:\infected files\a.exe)", "")},
    {"code page bytes pass through", "file C:\\\xe4rger\\\xfc.exe infected by \"N\xe4me\"",
     Entry("C:\\\xe4rger\\\xfc.exe", "N\xe4me")},
};

INSTANTIATE_TEST_SUITE_P(Lines, ObjectLine, ::testing::ValuesIn(kLineCases));

TEST(ParseLog, SplitsOnlyAtCarriageReturnLineFeed) {
    const std::string log =
        "file C:\\a.exe infected by \"A\"\nfile C:\\b.exe infected by \"B\"\n"
        "file C:\\c.exe infected by \"C\"";
    const std::vector<LogEntry> entries = ParseLog(log);
    // A bare line feed does not end a line: one line, one entry.
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].FilePath, "C:\\a.exe");
}

TEST(ParseLog, FirstOccurrenceOfAPathWinsAndCaseCounts) {
    const std::string log =
        "header\r\n\r\n"
        "file C:\\A.EXE infected by \"First\"\r\n"
        "file C:\\A.EXE infected by \"Second\"\r\n"
        "file c:\\a.exe infected by \"Lower\"\r\n"
        "file C:\\b.exe tagged as not-a-virus: Tool x\r\n";
    const std::vector<LogEntry> expected = {
        {"C:\\A.EXE", "First"}, {"c:\\a.exe", "Lower"}, {"C:\\b.exe", "tagged:Tool"}};
    EXPECT_EQ(ParseLog(log), expected);
}

TEST(ParseLog, PathsGivenEarlierCountAsSeen) {
    const std::vector<LogEntry> earlier = {{"", ""}, {"C:\\hand.exe", "Added from User"}};
    const std::string log = "file C:\\hand.exe infected by \"V\"\r\nfile C:\\new.exe infected by \"W\"";
    const std::vector<LogEntry> expected = {{"C:\\new.exe", "W"}};
    EXPECT_EQ(ParseLog(log, earlier), expected);
}

TEST(ParseLog, VisitsEveryLineIncludingEmptyOnes) {
    std::vector<std::string> lines;
    ForEachLogLine("a\r\n\r\nb\rc\nd\r\n", [&](std::string_view l) { lines.emplace_back(l); });
    const std::vector<std::string> expected = {"a", "", "b\rc\nd", ""};
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace korvane
