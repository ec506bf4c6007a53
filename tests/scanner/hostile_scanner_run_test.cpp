// The whole run against a hostile site, damaged archives and failing
// updaters: no failure ends in a success message, and a working scanner is
// never replaced by a broken one.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <csignal>

#include <QTemporaryDir>

#include "core/more_text.h"
#include "scanner/qt_downloader.h"
#include "scanner/qt_process_runner.h"
#include "scanner/scanner_fixture.h"
#include "scanner/scanner_folder.h"

namespace korvane {
namespace {

using testing::CannedResponse;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

class HostileScannerRun : public ::testing::Test, public testing::ScannerFixture {
protected:
    HostileScannerRun() {
        QDir().mkpath(QString::fromStdString(ScannerFolder()));
        WriteFileBytes(ArchiveFile(), "good archive of an earlier run");
        WriteFileBytes(ScannerFolder() + "/KAVUpd.exe", "#!/bin/sh\nexit 0\n", 0755);
        WriteFileBytes(ScannerFolder() + "/mwavscan.com", "working scanner", 0755);
    }
    ScannerSequence& Sequence(ProcessRunner& runner) {
        sequence = std::make_unique<ScannerSequence>(state, platform, downloader, runner, boxes, view,
                                                     server.HostAndPort().toStdString());
        return *sequence;
    }
    void Tick(std::initializer_list<ScannerControl> controls) {
        for (ScannerControl c : controls) SetBox(boxes, state, c, true);
    }
    // A vendor page that links to one archive address.
    void ServePageFor(const QString& path, CannedResponse archive) {
        server.Serve("/antivirus/mwav.asp",
                     {200,
                      ("<h1>FREE DOWNLOAD</h1><a href=\"" + server.Url(path) + "\">get</a>").toLatin1(),
                      {},
                      false,
                      false});
        server.Serve(path, std::move(archive));
    }
    std::string More(MoreText id) const { return korvane::More(id, state.Language); }
    // The scanner folder and the archive as the earlier run left them.
    void ExpectEarlierScannerIntact() {
        EXPECT_EQ(ReadFileBytes(ArchiveFile()), "good archive of an earlier run");
        EXPECT_EQ(ReadFileBytes(ScannerFolder() + "/mwavscan.com"), "working scanner");
        EXPECT_EQ(QDir(QString::fromStdString(ScannerFolder())).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{"KAVUpd.exe", "mwavscan.com"}));
        EXPECT_EQ(
            QDir(QString::fromStdString(Dir("root"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList{"bases_x"});
        EXPECT_EQ(
            QDir(QString::fromStdString(Dir("prog"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList{"mwav.exe"});
    }

    QtDownloader downloader{std::chrono::milliseconds(5000)};
    testing::ScriptedProcessRunner scripted;
    QtProcessRunner realProcesses;
    ScannerBoxes boxes;
    testing::RecordingView view;
    std::unique_ptr<ScannerSequence> sequence;
};

TEST_F(HostileScannerRun, HtmlErrorPageWithStatus200NeverReplacesTheArchive) {
    CannedResponse page{200, "<html><body>Sorry, try again later</body></html>", {}, false, false};
    page.contentType = "text/html";
    ServePageFor("/dl/mwav.exe", page);
    Tick({kCheckDownload, kCheckUpdate, kCheckStart});
    Sequence(scripted).Run();
    EXPECT_EQ(view.statuses.back(), Text(52));
    EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(),
                        Text(51) + " (" + More(MoreText::ReasonNotAnArchive) + ")"),
              view.statuses.end());
    EXPECT_TRUE(sequence->Outcome().failed);
    EXPECT_TRUE(scripted.ran.empty());
    EXPECT_TRUE(scripted.launched.empty());
    EXPECT_EQ(view.delayStarted, 0);
    ExpectEarlierScannerIntact();
}

TEST_F(HostileScannerRun, DamagedSecondMemberLeavesTheOldScannerIntact) {
    QByteArray zip =
        testing::MakeZip({{"KAVUpd.exe", "new updater", 0755}, {"mwavscan.com", "NEW-SCANNER-BYTES"}});
    zip[zip.indexOf("NEW-SCANNER")] = 'X';  // same length, wrong checksum
    ServePageFor("/dl/mwav.exe", {200, zip, {}, false, false});
    Tick({kCheckDownload, kCheckUpdate});
    ui.messageAnswers = {MessageAnswer::Ok};
    Sequence(scripted).Run();
    EXPECT_EQ(view.statuses.back().rfind(Text(63) + " (", 0), 0u) << view.statuses.back();
    EXPECT_TRUE(sequence->Outcome().failed);
    EXPECT_TRUE(scripted.ran.empty());
    // The new archive did arrive and is kept; the scanner folder is as it was.
    EXPECT_EQ(ReadFileBytes(ArchiveFile()), zip);
    EXPECT_EQ(ReadFileBytes(ScannerFolder() + "/KAVUpd.exe"), "#!/bin/sh\nexit 0\n");
    EXPECT_EQ(ReadFileBytes(ScannerFolder() + "/mwavscan.com"), "working scanner");
    EXPECT_EQ(QDir(QString::fromStdString(Dir("root"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"bases_x"});
}

TEST_F(HostileScannerRun, GoodArchiveIsMovedInWholeAndItsHashIsShown) {
    const QByteArray zip = testing::WithProgramStub(testing::MakeZip(
        {{"bin/KAVUpd.exe", "new updater", 0755}, {"bin/mwavscan.com", "new scanner", 0755}}));
    ServePageFor("/dl/mwav.exe", {200, zip, {}, false, false});
    Tick({kCheckDownload, kCheckUpdate});
    Sequence(scripted).Run();
    const std::string hash = QCryptographicHash::hash(zip, QCryptographicHash::Sha256).toHex().toStdString();
    EXPECT_NE(
        std::find(view.statusLines.begin(), view.statusLines.end(), More(MoreText::ArchiveSha256) + hash),
        view.statusLines.end());
    EXPECT_EQ(view.statuses.back(), Text(59));
    EXPECT_FALSE(sequence->Outcome().failed);
    EXPECT_EQ(ReadFileBytes(ScannerFolder() + "/mwavscan.com"), "new scanner");
    EXPECT_EQ(QDir(QString::fromStdString(Dir("root"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"bases_x"});
}

TEST_F(HostileScannerRun, LeftoversOfAKilledRunAreRemovedAndBlockNothing) {
    const std::string staging = ScannerFolder() + ".staging-4242-1-1";
    QDir().mkpath(QString::fromStdString(staging));
    WriteFileBytes(staging + "/KAVUpd.exe", "half");
    WriteFileBytes(ArchiveFile() + ".download-4242-1-1", "half an archive");
    WriteFileBytes(ScannerFolder() + "/mwavscan.com.part-1", "half a member");
    WriteFileBytes(ArchiveFile(), testing::MakeZip({{"KAVUpd.exe", "#!/bin/sh\nexit 0\n", 0755},
                                                    {"mwavscan.com", "unpacked scanner", 0755}}));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(ScannerFolder() + "/KAVUpd.exe")));
    Tick({kCheckUpdate});
    Sequence(scripted).Run();
    EXPECT_EQ(view.statuses.back(), Text(59));
    EXPECT_EQ(ReadFileBytes(ScannerFolder() + "/mwavscan.com"), "unpacked scanner");
    EXPECT_EQ(QDir(QString::fromStdString(Dir("root"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"bases_x"});
    EXPECT_EQ(QDir(QString::fromStdString(ScannerFolder())).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"KAVUpd.exe", "mwavscan.com"}));
    EXPECT_EQ(QDir(QString::fromStdString(Dir("prog"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"mwav.exe"});
}

// 64 MB of zeros in a few kilobytes: stopped at the ratio limit, with the
// staging folder and every partial file gone.
TEST_F(HostileScannerRun, ArchiveBombStopsAtTheLimitAndLeavesNothingBehind) {
    const QByteArray bomb = testing::MakeBomb("KAVUpd.exe", std::size_t{64} << 20);
    ASSERT_LT(bomb.size(), 200 * 1024);
    ServePageFor("/dl/mwav.exe", {200, bomb, {}, false, false});
    Tick({kCheckDownload, kCheckUpdate});
    ui.messageAnswers = {MessageAnswer::Ok};
    Sequence(scripted).Run();
    EXPECT_EQ(view.statuses.back().rfind(Text(63) + " (", 0), 0u) << view.statuses.back();
    EXPECT_TRUE(scripted.ran.empty());
    EXPECT_EQ(ReadFileBytes(ScannerFolder() + "/KAVUpd.exe"), "#!/bin/sh\nexit 0\n");
    EXPECT_EQ(QDir(QString::fromStdString(Dir("root"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"bases_x"});
    EXPECT_EQ(QDir(QString::fromStdString(ScannerFolder())).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"KAVUpd.exe", "mwavscan.com"}));
}

TEST_F(HostileScannerRun, UpdaterExitingWithThreeFailsAndSaysSoLast) {
    WriteFileBytes(ScannerFolder() + "/KAVUpd.exe", "#!/bin/sh\nexit 3\n", 0755);
    Tick({kCheckUpdate, kCheckStart});
    Sequence(realProcesses).Run();
    EXPECT_EQ(view.statuses.back(), More(MoreText::UpdaterExitCode) + "3");
    EXPECT_EQ(view.statusLines.back(), More(MoreText::UpdaterExitCode) + "3");
    EXPECT_TRUE(sequence->Outcome().failed);
    EXPECT_FALSE(sequence->Outcome().updateSucceeded);
    EXPECT_EQ(view.delayStarted, 0);  // the scanner is not started after a failed update
}

TEST_F(HostileScannerRun, UpdaterThatCrashesOrOverrunsIsAFailure) {
    for (const auto& [kind, text] : {std::pair{ProcessOutcome::Crashed, MoreText::UpdaterCrashed},
                                     std::pair{ProcessOutcome::TimedOut, MoreText::UpdaterTimedOut}}) {
        scripted.runResult = {kind, 0};
        Tick({kCheckUpdate});
        Sequence(scripted).Run();
        EXPECT_EQ(view.statuses.back(), More(text));
        EXPECT_TRUE(sequence->Outcome().failed);
    }
}

TEST_F(HostileScannerRun, UpdaterOverTheTimeLimitIsEnded) {
    WriteFileBytes(
        ScannerFolder() + "/KAVUpd.exe",
        QByteArray::fromStdString("#!/bin/sh\necho $$ > '" + Record("pid.txt") + "'\nexec sleep 60\n"), 0755);
    ScannerLimits limits;
    limits.updaterTimeLimit = std::chrono::milliseconds(300);
    Tick({kCheckUpdate});
    Sequence(realProcesses).UseLimits(limits);
    sequence->Run();
    EXPECT_EQ(view.statuses.back(), More(MoreText::UpdaterTimedOut));
    const pid_t pid = ReadFileBytes(Record("pid.txt")).trimmed().toInt();
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0);  // gone
}

TEST_F(HostileScannerRun, CancelDuringTheUpdatersWaitEndsIt) {
    WriteFileBytes(
        ScannerFolder() + "/KAVUpd.exe",
        QByteArray::fromStdString("#!/bin/sh\necho $$ > '" + Record("pid.txt") + "'\nexec sleep 60\n"), 0755);
    Tick({kCheckUpdate, kCheckStart});
    QTimer::singleShot(300, [this] { sequence->Cancel(); });
    Sequence(realProcesses).Run();
    EXPECT_EQ(view.statuses.back(), More(MoreText::ScannerCancelled));
    EXPECT_TRUE(sequence->Outcome().cancelled);
    EXPECT_EQ(view.delayStarted, 0);
    const pid_t pid = ReadFileBytes(Record("pid.txt")).trimmed().toInt();
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0);
    EXPECT_TRUE(boxes.enabled[kCommand1]);
}

TEST_F(HostileScannerRun, CancelDuringTheDownloadRemovesThePartialFile) {
    CannedResponse drip{200, QByteArray(100000, 'd'), {}, false, false};
    drip.dripMilliseconds = 10;
    ServePageFor("/dl/mwav.exe", drip);
    Tick({kCheckDownload, kCheckUpdate});
    QTimer::singleShot(400, [this] { sequence->Cancel(); });
    Sequence(scripted).Run();
    EXPECT_EQ(view.statuses.back(), More(MoreText::ScannerCancelled));
    EXPECT_TRUE(sequence->Outcome().cancelled);
    EXPECT_TRUE(scripted.ran.empty());
    ExpectEarlierScannerIntact();
}

TEST_F(HostileScannerRun, CancelWhileTheStartWaitsForTheTimer) {
    Tick({kCheckUpdate, kCheckStart});
    Sequence(scripted).Run();
    ASSERT_EQ(view.delayStarted, 1);
    EXPECT_TRUE(sequence->IsRunning());
    sequence->Cancel();
    EXPECT_FALSE(sequence->IsRunning());
    EXPECT_EQ(view.statuses.back(), More(MoreText::ScannerCancelled));
    EXPECT_EQ(view.delayStopped, 1);
    sequence->DelayedStart();  // a timer tick that was already queued starts nothing
    EXPECT_TRUE(scripted.launched.empty());
}

TEST_F(HostileScannerRun, PlantedLinkAtTheOldPageNameIsNeverWrittenThrough) {
    WriteFileBytes(Record("victim"), "precious");
    ASSERT_TRUE(QFile::link(QString::fromStdString(Record("victim")), QString::fromStdString(PageFile())));
    ServePageFor("/dl/mwav.exe", {200, testing::MakeZip({{"KAVUpd.exe", "u"}}), {}, false, false});
    Tick({kCheckDownload});
    Sequence(scripted).Run();
    EXPECT_TRUE(sequence->Outcome().downloadSucceeded);
    EXPECT_EQ(ReadFileBytes(Record("victim")), "precious");
    EXPECT_TRUE(QFileInfo(QString::fromStdString(PageFile())).isSymLink());
    // The private page folder is gone again.
    EXPECT_EQ(QDir(QString::fromStdString(Dir("tmp")))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              QStringList{"mwav.asp"});
}

TEST_F(HostileScannerRun, NothingIsRunFromAFolderOthersCanWrite) {
    ASSERT_EQ(::chmod(ScannerFolder().c_str(), 0777), 0);
    Tick({kCheckUpdate});
    Sequence(scripted).Run();
    EXPECT_EQ(view.statuses.back(), More(MoreText::FolderUnsafe) + ScannerFolder());
    EXPECT_TRUE(scripted.ran.empty());
    ASSERT_EQ(::chmod(ScannerFolder().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(Dir("root").c_str(), 01777), 0);  // a /tmp-like parent
    Tick({kCheckStart});
    boxes.value[kCheckUpdate] = false;
    Sequence(scripted).Run();
    EXPECT_EQ(view.statuses.back(), More(MoreText::FolderUnsafe) + ScannerFolder());
    EXPECT_TRUE(scripted.launched.empty());
    // Nor is anything unpacked there for a later start.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(ScannerFolder() + "/KAVUpd.exe")));
    WriteFileBytes(ArchiveFile(), testing::MakeZip({{"KAVUpd.exe", "planted?", 0755}}));
    boxes.value[kCheckStart] = false;
    Tick({kCheckUpdate});
    Sequence(scripted).Run();
    EXPECT_EQ(view.statuses.back(), More(MoreText::FolderUnsafe) + ScannerFolder());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(ScannerFolder() + "/KAVUpd.exe")));
}

TEST(ScannerFolderChoice, DriveRootOnlyWhenNobodyElseCanWriteThere) {
    QTemporaryDir temp;
    const std::string root = temp.path().toStdString() + "/root/";
    const std::string own = temp.path().toStdString() + "/home/.local/share/korvane";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(root)));
    ASSERT_EQ(::chmod(root.c_str(), 0755), 0);
    EXPECT_EQ(ChooseScannerFolder(root, own), root + "bases_x");
    for (mode_t shared : {0777, 01777, 0775}) {
        ASSERT_EQ(::chmod(root.c_str(), shared), 0);
        EXPECT_EQ(ChooseScannerFolder(root, own), own + "/bases_x") << std::oct << shared;
    }
    // A bases_x at a private root that others can write to is not used either.
    ASSERT_EQ(::chmod(root.c_str(), 0755), 0);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(root + "bases_x")));
    ASSERT_EQ(::chmod((root + "bases_x").c_str(), 0777), 0);
    EXPECT_EQ(ChooseScannerFolder(root, own), own + "/bases_x");
    if (::geteuid() != 0) {
        // Not writable for this user at all, as / is for everyone but root.
        ASSERT_EQ(::chmod((root + "bases_x").c_str(), 0755), 0);
        ASSERT_EQ(::chmod(root.c_str(), 0555), 0);
        EXPECT_EQ(ChooseScannerFolder(root, own), own + "/bases_x");
    }
}

}  // namespace
}  // namespace korvane
