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
    // A harmless tool must stay tagged when its name ends the line, or "Mark
    // all infected" would tick it for deletion.
    {"tagged, name runs to the end", R"(file C:\t\a.exe tagged as not-a-virus: RiskTool.Y)",
     Entry(R"(C:\t\a.exe)", "tagged:RiskTool.Y")},
    {"tagged, name glued to the colon at the end", R"(file C:\t\a.exe tagged as not-a-virus:RiskTool.Y)",
     Entry(R"(C:\t\a.exe)", "tagged:RiskTool.Y")},
    {"tagged, nothing after the colon", R"(file C:\t\a.exe tagged as not-a-virus:)",
     Entry(R"(C:\t\a.exe)", "tagged:")},
    {"tagged, blanks to the end",
     "file C:\\t\\a.exe tagged as not-a-virus:   ", Entry(R"(C:\t\a.exe)", "tagged:")},
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

struct LineEndCase {
    const char* what;
    std::string log;
};

// Every way of ending the lines gives the same entries: the clipboard on
// Windows hands CR LF over as LF, and logs copied between systems mix both.
class LogLineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LogLineEnds, GiveTheSameEntries) {
    const std::vector<LogEntry> expected = {
        {"C:\\a.exe", "A"}, {"C:\\b.exe", "tagged:Tool.B"}, {"C:\\c.exe", "C"}};
    EXPECT_EQ(ParseLog(GetParam().log), expected) << GetParam().what;
}

const LineEndCase kLineEndCases[] = {
    {"CR LF",
     "file C:\\a.exe infected by \"A\"\r\nfile C:\\b.exe tagged as not-a-virus: Tool.B\r\n"
     "file C:\\c.exe infected by \"C\"\r\n"},
    {"LF only",
     "file C:\\a.exe infected by \"A\"\nfile C:\\b.exe tagged as not-a-virus: Tool.B\n"
     "file C:\\c.exe infected by \"C\""},
    {"mixed",
     "file C:\\a.exe infected by \"A\"\nfile C:\\b.exe tagged as not-a-virus: Tool.B\r\n\n"
     "file C:\\c.exe infected by \"C\"\n"},
};

INSTANTIATE_TEST_SUITE_P(Texts, LogLineEnds, ::testing::ValuesIn(kLineEndCases));

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
    // Only the one CR right before a LF belongs to the line end.
    ForEachLogLine("a\r\n\r\nb\rc\nd\r\r\n\ne\r", [&](std::string_view l) { lines.emplace_back(l); });
    const std::vector<std::string> expected = {"a", "", "b\rc", "d\r", "", "e\r"};
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace korvane
