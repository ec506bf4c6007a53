#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>

#include "core/whole_file.h"
#include "cli/korvane_run.h"

namespace korvane {
namespace {

using Outcome = testing::KorvaneOutcome;

Outcome Korvane(const QStringList& arguments) { return testing::RunKorvane(arguments); }

QString Fixture(const char* name) {
    return QStringLiteral(KORVANE_FIXTURES_DIR "/") + QString::fromLatin1(name);
}
std::string FixtureBytes(const char* name) {
    return ReadWholeFile(KORVANE_FIXTURES_DIR "/" + std::string(name));
}

TEST(ReportCommand, MatchesTheExpectedReportByteForByte) {
    const Outcome english = Korvane({"report", "--language", "en", Fixture("cli-sample.log")});
    EXPECT_EQ(english.status, 0);
    EXPECT_EQ(english.err, "");
    EXPECT_EQ(english.out, FixtureBytes("cli-sample.report-en.txt"));

    const Outcome german = Korvane({"report", "--language", "de", Fixture("cli-sample.log")});
    EXPECT_EQ(german.status, 0);
    EXPECT_EQ(german.out, FixtureBytes("cli-sample.report-de.txt"));
}

TEST(ReportCommand, TextWithoutFileGivesNoReport) {
    const Outcome run = Korvane({"report", "--language", "en", Fixture("not-a-log.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "no file-informations available\n");
}

TEST(ReportCommand, NothingFoundStillWritesTheReport) {
    const Outcome run = Korvane({"report", "--language", "de", Fixture("no-objects.log")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "Keine Dateien zum löschen gefunden \n");
    EXPECT_NE(run.out.find("\r\nTotal Objects: 1\r\n"), std::string::npos);
}

TEST(ReportCommand, UnreadableFileAndBadArguments) {
    const Outcome missing = Korvane({"report", "/no/such/mwav.log"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("/no/such/mwav.log"), std::string::npos);
    EXPECT_EQ(missing.out, "");

    EXPECT_EQ(Korvane({"report"}).status, 2);
    EXPECT_EQ(Korvane({"report", "--language", "fr", Fixture("cli-sample.log")}).status, 2);
    const Outcome help = Korvane({"report", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("korvane report"), std::string::npos);
}

TEST(EntriesCommand, OneLinePerEntry) {
    const Outcome run = Korvane({"entries", Fixture("cli-sample.log")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, FixtureBytes("cli-sample.entries.txt"));
    EXPECT_EQ(Korvane({"entries", "/no/such/mwav.log"}).status, 2);
}

TEST(CommandLine, HelpAndVersion) {
    const Outcome version = Korvane({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "korvane " KORVANE_VERSION "\n");
    const Outcome help = Korvane({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("report"), std::string::npos);
}

TEST(CommandLine, HelpNamesTheBuildFolderAsProgramFolder) {
    // Run from its build folder the program keeps its files beside itself.
    const std::string buildFolder =
        std::filesystem::canonical(std::filesystem::path(KORVANE_EXECUTABLE).parent_path()).string();
    const Outcome help = Korvane({"--help"});
    EXPECT_NE(help.out.find("go to: " + buildFolder + "/\n"), std::string::npos) << help.out;
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

// The README shows what `korvane report examples/mwav.log` prints; keep it true.
TEST(ReportCommand, ReadmeShowsTheExampleReport) {
    const std::string readme = ReadWholeFile(KORVANE_FIXTURES_DIR "/../../README.md");
    const std::string marker = "<!-- example report:";
    const std::size_t at = readme.find(marker);
    ASSERT_NE(at, std::string::npos);
    const std::size_t open = readme.find("```\n", at) + 4;
    const std::size_t close = readme.find("```\n", open);
    std::string shown = readme.substr(open, close - open);

    const Outcome run = Korvane(
        {"report", "--language", "en", QStringLiteral(KORVANE_FIXTURES_DIR "/../../examples/mwav.log")});
    ASSERT_EQ(run.status, 0);
    std::string printed = run.out;
    std::erase(printed, '\r');
    EXPECT_EQ(shown, printed);
}

}  // namespace
}  // namespace korvane
