#include "scanner/scanner_sequence.h"

#include <gtest/gtest.h>

#include <QFile>

#include "core/more_text.h"
#include "core/scanner_options.h"
#include "scanner/qt_downloader.h"
#include "scanner/qt_process_runner.h"
#include "scanner/scanner_fixture.h"

namespace korvane {
namespace {

using testing::CannedResponse;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

CannedResponse Ok(const QByteArray& body) {
    return {200, body, {}, false, false};
}

class ScannerSequenceTest : public ::testing::Test, public testing::ScannerFixture {
protected:
    ScannerSequence& Sequence(ProcessRunner& runner) {
        sequence = std::make_unique<ScannerSequence>(state, platform, downloader, runner, boxes, view,
                                                     server.HostAndPort().toStdString());
        return *sequence;
    }
    ScannerSequence& Sequence() { return Sequence(scripted); }
    void Tick(std::initializer_list<ScannerControl> controls) {
        for (ScannerControl c : controls) SetBox(boxes, state, c, true);
    }
    std::string Saved() const { return "Mwav.exe in " + Dir("prog") + Text(50); }
    bool AllEnabled() const {
        for (int c = 0; c < kScannerControlCount; ++c) {
            if (c != kCommand4 && !boxes.enabled[c]) return false;
        }
        return true;
    }
    // The stage texts, without the progress texts of the downloads.
    std::vector<std::string> Statuses() const {
        std::vector<std::string> stages;
        for (const std::string& s : view.statuses) {
            if (s.size() < 3 || s.compare(s.size() - 3, 3, "% )") != 0) stages.push_back(s);
        }
        return stages;
    }
    QString Page(const QString& links) const { return "<html><h1>Free Download</h1>" + links + "</html>"; }

    QtDownloader downloader{std::chrono::milliseconds(2000)};
    testing::ScriptedProcessRunner scripted;
    QtProcessRunner realProcesses;
    ScannerBoxes boxes;
    testing::RecordingView view;
    std::unique_ptr<ScannerSequence> sequence;
};

TEST_F(ScannerSequenceTest, DownloadTriesTheLinksInOrderAndKeepsTheArchive) {
    server.Serve("/antivirus/mwav.asp", Ok(Page("<a href=\"/files/mwav.exe\">relative</a>"
                                                "<a href=\"" +
                                                server.Url("/bad/mwav.exe") +
                                                "\">mirror 1</a>"
                                                "<a href=\"" +
                                                server.Url("/good/mwav.exe") + "\">mirror 2</a>")
                                               .toLatin1()));
    const QByteArray archive = ScannerArchive();
    server.Serve("/good/mwav.exe", Ok(archive));
    Tick({kCheckDownload});
    Sequence().Run();

    EXPECT_EQ(view.statuses.front(), Text(47));
    EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(), Text(48)), view.statuses.end());
    EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(), "3" + Text(49)), view.statuses.end());
    EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(), Text(51) + " (HTTP-Status 404)"),
              view.statuses.end());
    EXPECT_EQ(view.statuses.back(), Saved());
    EXPECT_EQ(server.requests, (QStringList{"/antivirus/mwav.asp", "/bad/mwav.exe", "/good/mwav.exe"}));
    EXPECT_EQ(ReadFileBytes(ArchiveFile()), archive);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(PageFile())));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(ScannerFolder())));
    EXPECT_TRUE(sequence->Outcome().downloadSucceeded);
    EXPECT_EQ(sequence->Links().size(), 3u);
    // Progress: status log lines, byte log, a bar that is gone at the end.
    EXPECT_FALSE(view.statusLines.empty());
    EXPECT_EQ(view.byteLog.rfind("Text2", 0), 0u);
    EXPECT_NE(view.byteLog.find(" ---- of "), std::string::npos);
    EXPECT_FALSE(view.progressVisible);
    EXPECT_TRUE(AllEnabled());
    EXPECT_EQ(view.focused, 1);
}

TEST_F(ScannerSequenceTest, UnreachablePageStopsTheDownloadAndKeepsAnOldPageFile) {
    WriteFileBytes(PageFile(), "page of an earlier run");
    Tick({kCheckDownload});
    Sequence().Run();
    EXPECT_EQ(Statuses(), (std::vector<std::string>{Text(47), Text(55) + " (HTTP-Status 404)"}));
    EXPECT_EQ(server.requests, QStringList{"/antivirus/mwav.asp"});
    EXPECT_EQ(ReadFileBytes(PageFile()), "page of an earlier run");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(ArchiveFile())));
    EXPECT_TRUE(AllEnabled());
}

TEST_F(ScannerSequenceTest, EmptyPageIsReportedAndDeleted) {
    server.Serve("/antivirus/mwav.asp", Ok(""));
    Tick({kCheckDownload});
    Sequence().Run();
    EXPECT_EQ(view.statuses.back(), Text(54));
    EXPECT_EQ(server.requests.size(), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(PageFile())));
}

TEST_F(ScannerSequenceTest, PageWithoutLinksFallsBackToTheStandardLink) {
    server.Serve("/antivirus/mwav.asp",
                 Ok("<a href=\"http://x.example/mwav.exe\">old</a> FREE DOWNLOAD soon"));
    Tick({kCheckDownload});
    Sequence().Run();
    const std::vector<std::string> stages = Statuses();
    const std::vector<std::string> tail(stages.end() - 5, stages.end());
    EXPECT_EQ(tail, (std::vector<std::string>{Text(48), Text(53), "1" + Text(49), Text(51) + " (HTTP-Status 404)",
                                              Text(52)}));
    EXPECT_EQ(server.requests, (QStringList{"/antivirus/mwav.asp", "/download/tools/mwav.exe"}));
    EXPECT_FALSE(sequence->Outcome().downloadSucceeded);
}

TEST_F(ScannerSequenceTest, TheSameLinkTwiceIsTriedTwice) {
    const QString link = "<a href=\"" + server.Url("/m/mwav.exe") + "\">";
    server.Serve("/antivirus/mwav.asp", Ok(Page(link + link).toLatin1()));
    Tick({kCheckDownload});
    Sequence().Run();
    EXPECT_EQ(server.requests, (QStringList{"/antivirus/mwav.asp", "/m/mwav.exe", "/m/mwav.exe"}));
    EXPECT_EQ(std::count(view.statuses.begin(), view.statuses.end(), Text(51) + " (HTTP-Status 404)"), 2);
    EXPECT_EQ(view.statuses.back(), Text(52));
}

TEST_F(ScannerSequenceTest, UpdateUnpacksAnEarlierArchiveOnceThenGivesUp) {
    WriteFileBytes(ArchiveFile(), testing::MakeZip({{"readme.txt", "no updater here"}}));
    Tick({kCheckUpdate});
    Sequence().Run();
    const std::string unpacking =
        Text(56) + Dir("prog") + "/mwav.exe " + Text(57) + " " + Dir("root") + "/bases_x";
    EXPECT_EQ(view.statuses, (std::vector<std::string>{unpacking, Text(60)}));
    EXPECT_EQ(ReadFileBytes(ScannerFolder() + "/readme.txt"), "no updater here");
    EXPECT_TRUE(scripted.ran.empty());
    EXPECT_TRUE(AllEnabled());
}

TEST_F(ScannerSequenceTest, UpdaterThatCannotStartIsNotReportedAsFinished) {
    QDir().mkpath(QString::fromStdString(ScannerFolder()));
    WriteFileBytes(ScannerFolder() + "/KAVUpd.exe", "MZ not runnable here", 0644);
    scripted.runResult = {ProcessOutcome::NotStarted, 0};
    Tick({kCheckUpdate});
    Sequence().Run();
    EXPECT_EQ(view.statuses,
              (std::vector<std::string>{Text(43) + "...", More(MoreText::UpdaterNotStarted, state.Language)}));
    EXPECT_TRUE(sequence->Outcome().failed);
    EXPECT_FALSE(sequence->Outcome().updateSucceeded);
}

TEST_F(ScannerSequenceTest, UpdaterRunsInTheProgramsFolderAndIsWaitedFor) {
    QDir().mkpath(QString::fromStdString(ScannerFolder()));
    WriteFileBytes(ScannerFolder() + "/KAVUpd.exe", testing::RecordingScript(Record("updater.txt")).c_str(),
                   0755);
    Tick({kCheckUpdate});
    Sequence(realProcesses).Run();
    EXPECT_EQ(view.statuses, (std::vector<std::string>{Text(43) + "...", Text(59)}));
    // Waited for: the record is there as soon as the run is over.
    EXPECT_EQ(Recorded("updater.txt"), QStringList{QDir::currentPath()});
    EXPECT_TRUE(sequence->Outcome().updateSucceeded);
}

TEST_F(ScannerSequenceTest, StartWithoutScannerOrArchiveReportsTheMissingScanner) {
    Tick({kCheckStart});
    Sequence().Run();
    EXPECT_EQ(view.statuses, std::vector<std::string>{Text(62)});
    EXPECT_TRUE(scripted.launched.empty());
    EXPECT_TRUE(AllEnabled());
    EXPECT_TRUE(boxes.enabled[kCommand4]);
}

TEST_F(ScannerSequenceTest, FailedLaunchLeavesTheWindowOpenAndUsable) {
    QDir().mkpath(QString::fromStdString(ScannerFolder()));
    WriteFileBytes(ScannerFolder() + "/mwavscan.com", "scanner");
    scripted.launchResult = false;
    Tick({kCheckStart});
    Sequence().Run();
    EXPECT_EQ(view.statuses, std::vector<std::string>{Text(61)});
    EXPECT_EQ(view.closed, 0);
    EXPECT_TRUE(AllEnabled());
}

TEST_F(ScannerSequenceTest, StartUnpacksAMissingScannerAndLaunchesItWithTheDefaultOptions) {
    WriteFileBytes(ArchiveFile(), testing::MakeZip({{"mwavscan.com", "scanner", 0755}}));
    Tick({kCheckStart});
    Sequence().Run();
    EXPECT_EQ(scripted.launched,
              std::vector<std::string>{"mwavscan.com|" + std::string(kDefaultScannerOptions) + "|" +
                                       ScannerFolder() + "/"});
    EXPECT_EQ(view.closed, 1);
    EXPECT_TRUE(sequence->Outcome().startSucceeded);
}

TEST_F(ScannerSequenceTest, BrokenArchiveIsToldInAMessageAndTheStartFails) {
    WriteFileBytes(ArchiveFile(), "<html>an error page saved as archive</html>");
    Tick({kCheckStart});
    Sequence().Run();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Korvane");
    EXPECT_FALSE(ui.messages[0].text.empty());
    ASSERT_EQ(view.statuses.size(), 2u);
    EXPECT_EQ(view.statuses[0].rfind(Text(63) + " (", 0), 0u) << view.statuses[0];
    EXPECT_EQ(view.statuses[1], Text(62));
}

TEST_F(ScannerSequenceTest, UpdateAndStartHandTheStartToTheTimer) {
    QDir().mkpath(QString::fromStdString(ScannerFolder()));
    WriteFileBytes(ScannerFolder() + "/KAVUpd.exe", "updater");
    WriteFileBytes(ScannerFolder() + "/mwavscan.com", "scanner");
    Tick({kCheckUpdate, kCheckStart, OptionBox(1), OptionBox(2)});
    Sequence().Run();
    EXPECT_EQ(view.statuses.back(), Text(58));
    EXPECT_EQ(view.delayStarted, 1);
    EXPECT_TRUE(scripted.launched.empty());
    EXPECT_FALSE(boxes.enabled[kCommand1]);  // still disabled until the timer has run

    sequence->DelayedStart();
    EXPECT_EQ(view.statuses.back(), Text(72));
    EXPECT_EQ(scripted.launched,
              std::vector<std::string>{"mwavscan.com| /MEM /REG /SNOC|" + ScannerFolder() + "/"});
    EXPECT_EQ(view.closed, 1);
    EXPECT_EQ(view.delayStopped, 1);  // the timer does not start the scanner twice
    EXPECT_TRUE(boxes.enabled[kCommand1]);
}

TEST_F(ScannerSequenceTest, DelayedStartWithoutScannerDoesNotUnpack) {
    WriteFileBytes(ArchiveFile(),
                   testing::MakeZip({{"KAVUpd.exe", "updater", 0755}, {"mwavscan.com", "scanner", 0755}}));
    Tick({kCheckUpdate, kCheckStart});
    Sequence().Run();  // unpacks the archive while looking for the updater
    ASSERT_EQ(view.delayStarted, 1);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(ScannerFolder() + "/mwavscan.com")));
    sequence->DelayedStart();
    EXPECT_EQ(view.statuses.back(), Text(62));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(ScannerFolder() + "/mwavscan.com")));
    EXPECT_TRUE(AllEnabled());
    EXPECT_TRUE(boxes.enabled[kCommand4]);
}

TEST_F(ScannerSequenceTest, ChosenFolderGoesToTheScanner) {
    QDir().mkpath(QString::fromStdString(ScannerFolder()));
    WriteFileBytes(ScannerFolder() + "/mwavscan.com", "scanner");
    Tick({kCheckStart, OptionBox(6)});
    ChooseScanFolder(boxes, state, Dir("records"));
    Tick({OptionBox(7)});
    Sequence().Run();
    EXPECT_EQ(sequence->ScannerOptions(), " /FOLDER=" + Dir("records") + " /SubFolders /SNOC");

    // A folder that went away meanwhile is replaced by the drives.
    ChooseScanFolder(boxes, state, Dir("gone"));
    Sequence().Run();
    EXPECT_EQ(sequence->ScannerOptions(), " /DRIVE /SNOC");
}

TEST_F(ScannerSequenceTest, UnloadRemovesTheCachedCopyButKeepsTheArchive) {
    WriteFileBytes(ArchiveFile(), "archive");
    WriteFileBytes(Dir("cache") + "/mwav.exe", "cached copy");
    Sequence().CleanUpOnUnload();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(ArchiveFile())));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Dir("cache") + "/mwav.exe")));
    EXPECT_TRUE(sequence->ScannerOptions().empty());
}

}  // namespace
}  // namespace korvane
