#include "scanner/frm_download.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QDir>
#include <cstdlib>
#include <functional>

#include "core/vendor_host.h"
#include "scanner/qt_downloader.h"
#include "scanner/qt_process_runner.h"
#include "scanner/scanner_fixture.h"

namespace korvane {
namespace {

using testing::CannedResponse;

class FrmDownloadTest : public ::testing::Test, public testing::ScannerFixture {
protected:
    FrmDownloadTest() {
        ::setenv(kVendorHostVariable, server.HostAndPort().toLatin1().constData(), 1);
        window = std::make_unique<FrmDownload>(state, platform);
        ::unsetenv(kVendorHostVariable);
        window->UseServices(downloader, processes);
        window->ApplyLanguage(Texts(), UiLanguage::German);
    }

    QtDownloader downloader{std::chrono::milliseconds(2000)};
    QtProcessRunner processes;
    std::unique_ptr<FrmDownload> window;
};

TEST_F(FrmDownloadTest, DesignStateAndGermanCaptions) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" eScan - Download / Update / Start"));
    EXPECT_EQ(
        window->Check_Start->toolTip(),
        QStringLiteral(" Sind keine Optionen ausgewählt startet eScan mit den empfohlenen Einstellungen "));
    EXPECT_EQ(window->Command3->toolTip(),
              QStringLiteral(" Ohne Ordner-Auswahl werden alle lokalen Festplatten gescannt."));
    EXPECT_EQ(window->Check[9]->text(), QStringLiteral("Schliessen von eScan bestätigen"));
    EXPECT_EQ(window->Command1->text(), QStringLiteral("Start"));
    for (int i = 1; i <= 9; ++i) EXPECT_FALSE(window->Check[i]->isChecked()) << i;
    EXPECT_FALSE(window->Check[7]->isEnabled());
    EXPECT_FALSE(window->Command3->isEnabled());
    EXPECT_FALSE(window->Command4->isEnabled());
    EXPECT_FALSE(window->Timer1->isActive());
    EXPECT_EQ(window->Timer1->interval(), 20000);
    EXPECT_EQ(window->height(), window->ClosedHeight());
    EXPECT_FALSE(window->Frame1->isVisibleTo(window.get()));
    EXPECT_EQ(window->Text2->toPlainText(), QStringLiteral("Text2"));
    EXPECT_EQ(window->findChild<QCheckBox*>(QStringLiteral("Check6")), window->Check[6]);
}

TEST_F(FrmDownloadTest, OptionsPanelSlidesOpenAndShut) {
    window->Check_Start->click();
    ASSERT_TRUE(window->Command4->isEnabled());
    window->Command4->click();
    EXPECT_TRUE(window->Timer2->isActive());
    int ticks = 0;
    while (window->Timer2->isActive() && ticks < 100) {
        window->Timer2_Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 15);
    EXPECT_EQ(window->height(), window->OpenHeight());
    EXPECT_GT(window->OpenHeight(), window->ClosedHeight());
    EXPECT_TRUE(window->OptionsPanelOpen());
    EXPECT_TRUE(window->Frame1->isVisibleTo(window.get()));

    // Unticking the start box closes the open panel.
    window->Check[1]->click();
    window->Check_Start->click();
    EXPECT_FALSE(window->Check[1]->isChecked());
    EXPECT_TRUE(window->Timer2->isActive());
    ticks = 0;
    while (window->Timer2->isActive() && ticks < 100) {
        window->Timer2_Timer();
        ++ticks;
    }
    EXPECT_EQ(window->height(), window->ClosedHeight());
    EXPECT_FALSE(window->OptionsPanelOpen());
    EXPECT_FALSE(window->Frame1->isVisibleTo(window.get()));
}

TEST_F(FrmDownloadTest, FolderChoiceSetsTheToolTip) {
    window->Check_Start->click();
    window->Check[6]->click();
    ASSERT_TRUE(window->Command3->isEnabled());
    EXPECT_TRUE(window->Check[7]->isEnabled());
    EXPECT_FALSE(window->Check[8]->isEnabled());
    ui.folderAnswers.push_back(Dir("records"));
    window->Command3->click();
    EXPECT_EQ(ui.folderPrompts, std::vector<std::string>{Text(74)});
    EXPECT_EQ(state.ScanFolder, Dir("records"));
    EXPECT_EQ(window->Command3->toolTip().toStdString(), " " + Text(87) + Dir("records") + " ");
    ui.folderAnswers.push_back("");
    window->Command3->click();
    EXPECT_EQ(window->Command3->toolTip().toStdString(), " " + Text(88));
    window->Check[6]->click();
    EXPECT_TRUE(window->Command3->toolTip().isEmpty());
}

TEST_F(FrmDownloadTest, StartButtonRunsEveryStageEndToEnd) {
    const QByteArray archive = ScannerArchive();
    server.Serve("/antivirus/mwav.asp",
                 {200,
                  ("FREE DOWNLOAD <a href=\"" + server.Url("/dl/mwav.exe") + "\">").toLatin1(),
                  {},
                  false,
                  false});
    server.Serve("/dl/mwav.exe", {200, archive, {}, false, false});
    ui.passwordAnswers.push_back(testing::kTestPassword);
    window->Timer1->setInterval(0);  // the delay after the update, shortened for the test
    window->show();

    window->Check_Download->click();
    window->Check_Update->click();
    window->Check_Start->click();
    window->Command4->click();
    window->Check[1]->click();
    window->Check[9]->click();
    window->Command1->click();

    // The update has run and was waited for; the start waits for Timer1.
    EXPECT_EQ(window->StatusText().toStdString(), Text(58));
    EXPECT_EQ(Recorded("updater.txt"), QStringList{QDir::currentPath()});
    EXPECT_TRUE(window->Timer1->isActive());
    EXPECT_FALSE(window->Command1->isEnabled());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Text1->toPlainText().contains(QStringLiteral("Lade ")));
    EXPECT_TRUE(window->Text2->toPlainText().startsWith(QStringLiteral("Text2")));
    EXPECT_FALSE(window->DownloadBar->isVisible());
    EXPECT_EQ(ui.passwordPrompts, std::vector<std::string>{"Please Enter The Password!"});
    EXPECT_EQ(testing::ReadFileBytes(ScannerFolder() + "/licence.txt"), "protected");
    EXPECT_EQ(testing::ReadFileBytes(ScannerFolder() + "/readme.txt"), "second");
    EXPECT_EQ(testing::ReadFileBytes(ScannerFolder() + "/escape.txt"), "flat");

    // The scanner starts on its own, in the scanner folder, with the ticked options.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 10000));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return QFile::exists(QString::fromStdString(Record("scanner.txt"))); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Recorded("scanner.txt").size() == 4; }, 10000));
    EXPECT_EQ(Recorded("scanner.txt"),
              (QStringList{QString::fromStdString(ScannerFolder()), "/MEM", "/WaitToExit", "/SNOC"}));
    EXPECT_EQ(window->StatusText().toStdString(), Text(72));
    EXPECT_FALSE(window->Timer1->isActive());
    EXPECT_EQ(server.requests, (QStringList{"/antivirus/mwav.asp", "/dl/mwav.exe"}));
}

// Lets a test look at the window while a download is in progress.
class InspectingDownloader : public Downloader {
public:
    std::function<void(const ProgressSink&)> during;
    DownloadResult DownloadFile(const std::string&, const std::string&, const ProgressSink& progress) override {
        during(progress);
        return {DownloadFailure::HttpStatus, 404, 0, {}};
    }
};

TEST_F(FrmDownloadTest, ProgressShowsInTheStatusBarAndBothLogs) {
    InspectingDownloader inspecting;
    testing::ScriptedProcessRunner scripted;
    window->UseServices(inspecting, scripted);
    window->show();
    bool stillOpen = false;
    inspecting.during = [&](const Downloader::ProgressSink& progress) {
        progress({512, 2048, kDownloadData, "http://h/mwav.exe"});
        EXPECT_EQ(window->StatusText(), QStringLiteral("Lade http://h/mwav.exe ( 25% )"));
        EXPECT_TRUE(window->DownloadBar->isVisible());
        EXPECT_EQ(window->DownloadBar->maximum(), 100);
        EXPECT_EQ(window->DownloadBar->value(), 25);

        progress({0, 0, kDownloadSendingRequest, ""});
        EXPECT_EQ(window->StatusText(), QStringLiteral("Lade http://h/mwav.exe ( 25% )"));
        EXPECT_EQ(window->DownloadBar->maximum(), 0);  // busy: size unknown

        progress({7, 9, 13, "ignored"});
        EXPECT_EQ(window->StatusText(), QStringLiteral("Lade http://h/mwav.exe ( 25% )"));

        stillOpen = window->isVisible();
    };
    window->Check_Download->click();
    window->Command1->click();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(window->Text1->toPlainText(),
              QString::fromStdString(Text(47)) + QStringLiteral("\nLade http://h/mwav.exe\nSende Anfrage...\n") +
                  QString::fromStdString(Text(55)) + QStringLiteral(" (HTTP-Status 404)"));
    EXPECT_TRUE(window->Text1->isVisibleTo(window.get()));
    EXPECT_EQ(window->Text2->toPlainText(),
              QStringLiteral("Text2512 ---- of 2048 recieved\n0 ---- of 0 recieved\n7 ---- of 9 recieved\n"));
    EXPECT_FALSE(window->DownloadBar->isVisible());
    EXPECT_EQ(window->StatusText().toStdString(), Text(55) + " (HTTP-Status 404)");
    EXPECT_TRUE(window->Command1->isEnabled());
}

// Cancel, Esc and closing the window each stop a run that is downloading:
// the transfer ends, nothing partial stays, the status says so, and the
// window closes afterwards when that was asked for.
TEST_F(FrmDownloadTest, CancelEscAndCloseStopARunningDownload) {
    CannedResponse drip{200, QByteArray(100000, 'd'), {}, false, false};
    drip.dripMilliseconds = 10;
    server.Serve("/antivirus/mwav.asp", drip);
    testing::WriteFileBytes(ArchiveFile(), "older archive");
    EXPECT_EQ(window->CB_Cancel->text(), QStringLiteral("Abbrechen"));
    EXPECT_FALSE(window->CB_Cancel->isEnabled());
    EXPECT_TRUE(window->Text1->isVisibleTo(window.get()));
    EXPECT_TRUE(window->Text1->isReadOnly());
    window->show();
    window->Check_Download->click();

    const std::function<void()> stops[] = {
        [&] { window->CB_Cancel->click(); },
        [&] { QTest::keyClick(window.get(), Qt::Key_Escape); },
        [&] { window->close(); },
    };
    for (std::size_t i = 0; i < std::size(stops); ++i) {
        window->show();
        bool cancelEnabled = false;
        QTimer::singleShot(300, window.get(), [&, i] {
            cancelEnabled = window->CB_Cancel->isEnabled();
            stops[i]();
        });
        window->Command1->click();
        EXPECT_TRUE(cancelEnabled) << i;
        EXPECT_EQ(window->StatusText(), QStringLiteral("Abgebrochen.")) << i;
        EXPECT_EQ(window->Text1->toPlainText().split('\n').last(), QStringLiteral("Abgebrochen.")) << i;
        EXPECT_FALSE(window->CB_Cancel->isEnabled()) << i;
        EXPECT_TRUE(window->Command1->isEnabled()) << i;
        EXPECT_EQ(testing::ReadFileBytes(ArchiveFile()), "older archive") << i;
        EXPECT_EQ(QDir(QString::fromStdString(Dir("tmp"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{})
            << i;
        // Esc and closing close the window once the run has ended; Cancel does not.
        QCoreApplication::processEvents();
        EXPECT_EQ(window->isVisible(), i == 0) << i;
    }
}

TEST_F(FrmDownloadTest, OpeningAgainStartsFromTheDesignState) {
    window->Check_Start->click();
    window->Check[6]->click();
    state.ScanFolder = "/somewhere";
    window->Command2->click();
    window->FormLoad();
    EXPECT_FALSE(window->Check_Start->isChecked());
    EXPECT_FALSE(window->Check[6]->isChecked());
    EXPECT_FALSE(window->Command3->isEnabled());
    EXPECT_TRUE(state.ScanFolder.empty());
}

}  // namespace
}  // namespace korvane
