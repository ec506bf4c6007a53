#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "core/log_report.h"

namespace korvane {
namespace {

constexpr const char* kFilesAdded = "------------- FILES ADDED TO DELETE --------------";
const std::string kSeparator(50, '-');

std::vector<std::string> ReportLines(const std::string& report) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < report.size()) {
        const std::size_t end = report.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every report line ends in CR LF";
        if (end == std::string::npos) break;
        lines.push_back(report.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string Log(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    return text;
}

TEST(Report, LaysOutInfectedTaggedAndEntries) {
    const std::string infectedLine = "file C:\\a.exe infected by \"V\"";
    const std::string taggedLine = "file C:\\b.exe tagged as not-a-virus: T x";
    const std::vector<LogEntry> entries = {{"C:\\a.exe", "V"}};
    const std::vector<std::string> expected = {
        "",         kSeparator, "-------------------- INFECTED --------------------",
        kSeparator, "",         "1: " + infectedLine,
        "",         kSeparator, "--------------------- TAGGED ---------------------",
        kSeparator, "",         "1: " + taggedLine,
        "",         kSeparator, kFilesAdded,
        kSeparator, "",         "1: C:\\a.exe => V",
    };
    EXPECT_EQ(ReportLines(BuildReport(Log({infectedLine, taggedLine}), entries, kFilesAdded)), expected);
}

TEST(Report, ErrorsStatisticsAndEmptyNames) {
    const std::string log = Log({
        "Virus Database Date 2024-01-01",  // before "Total Objects": left out
        "Scanning C:\\x ERROR! access denied",
        "C:\\y invalid object",
        "Total Objects: 120",
        "Total Virus(es): 1",
        "Total Disinfected Files: 0",
        "Total Errors: 2",
        "Time Elapsed! 00:01:00",
    });
    const std::vector<LogEntry> entries = {{"C:\\typed", ""}};
    const std::string expected =
        "\r\n" + kSeparator + "\r\n--------------------- ERRORS ---------------------\r\n" + kSeparator +
        "\r\n\r\n1: Scanning C:\\x ERROR! access denied\r\n2: C:\\y invalid object\r\n"
        "\r\n" +
        kSeparator + "\r\n" + kFilesAdded + "\r\n" + kSeparator +
        "\r\n\r\n1: C:\\typed => \r\n"
        "\r\n" +
        kSeparator + "\r\n-------------------- Statistik -------------------\r\n" + kSeparator +
        "\r\n\r\nTotal Objects: 120\r\nTotal Virus(es): 1\r\nTotal Errors: 2\r\nTime Elapsed! 00:01:00\r\n";
    EXPECT_EQ(BuildReport(log, entries, kFilesAdded), expected);
}

TEST(Report, StatisticsHeaderStandsAloneWithoutTotalObjects) {
    const std::string expected = "\r\n" + kSeparator +
                                 "\r\n-------------------- Statistik -------------------\r\n" + kSeparator +
                                 "\r\n\r\n";
    EXPECT_EQ(BuildReport(Log({"Time Elapsed! 00:00:05"}), {}, kFilesAdded), expected);
}

TEST(Report, LineCanLandInSeveralSections) {
    const std::string line = "file C:\\z infected by \"V\" tagged";
    const std::vector<std::string> lines = ReportLines(BuildReport(line, {}, kFilesAdded));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[5], "1: " + line);
    EXPECT_EQ(lines[11], "1: " + line);
}

// Numbered infected lines of a log, for the look-back cases.
std::vector<std::string> InfectedSection(const std::vector<std::string>& log) {
    std::vector<std::string> lines = ReportLines(BuildReport(Log(log), {}, kFilesAdded));
    std::vector<std::string> numbered;
    for (std::size_t i = 5; i < lines.size() && !lines[i].empty(); ++i) numbered.push_back(lines[i]);
    return numbered;
}

TEST(Report, LookBackListsOffendingLinesBeforeTheirInfectedLine) {
    EXPECT_EQ(InfectedSection({"head", "Offending A", "Offending B", "arc.zip infected"}),
              (std::vector<std::string>{"1: Offending B", "2: Offending A", "3: arc.zip infected"}));
    // The first two lines of the log never get a look-back.
    EXPECT_EQ(InfectedSection({"Offending A", "x infected"}), (std::vector<std::string>{"1: x infected"}));
    // An "Offending" line two before counts only when the line right before is one too.
    EXPECT_EQ(InfectedSection({"Offending A", "plain", "x infected"}),
              (std::vector<std::string>{"1: x infected"}));
}

TEST(Report, LookBackBelongsToOneInfectedLine) {
    // After one infected line had its "Offending" line, the next infected line
    // does not pick up the "Offending" line two before it a second time.
    const std::vector<std::string> expected = {"1: Offending A", "2: first infected", "3: second infected"};
    EXPECT_EQ(InfectedSection({"head", "Offending A", "first infected", "second infected"}), expected);
}

TEST(Report, DisinfectedCountsAsInfectedButTheTotalDoesNot) {
    EXPECT_EQ(InfectedSection({"C:\\a disinfected", "Total Disinfected Files: 1"}),
              (std::vector<std::string>{"1: C:\\a disinfected"}));
}

// The report writes CR LF whatever the log's line ends were, and no CR of the
// log is left inside a numbered line.
TEST(Report, SameReportForEveryLineEnd) {
    const std::vector<std::string> log = {"head",
                                          "Offending A",
                                          "C:\\arc.zip infected",
                                          "file C:\\t tagged x",
                                          "C:\\x ERROR! denied",
                                          "Total Objects: 10"};
    const std::vector<LogEntry> entries = {{"C:\\arc.zip", ""}};
    const std::string crlf = BuildReport(Log(log), entries, kFilesAdded);
    std::string lfOnly, mixed;
    for (std::size_t i = 0; i < log.size(); ++i) {
        lfOnly += log[i] + "\n";
        mixed += log[i] + (i % 2 == 0 ? "\n" : "\r\n");
    }
    EXPECT_EQ(BuildReport(lfOnly, entries, kFilesAdded), crlf);
    EXPECT_EQ(BuildReport(mixed, entries, kFilesAdded), crlf);
    const std::vector<std::string> lines = ReportLines(crlf);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "1: Offending A"), lines.end());
    for (const std::string& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
}

TEST(Report, FileNeedsTheDigitOne) {
    EXPECT_FALSE(ReportBelongsInFile(""));
    EXPECT_FALSE(ReportBelongsInFile(BuildReport(Log({"Total Objects: 0"}), {}, kFilesAdded)));
    EXPECT_TRUE(ReportBelongsInFile(BuildReport(Log({"Total Objects: 10"}), {}, kFilesAdded)));
    EXPECT_EQ(BuildReport("", {}, kFilesAdded), "");
}

}  // namespace
}  // namespace korvane
