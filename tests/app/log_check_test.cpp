#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QScreen>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>

#include "app/application.h"
#include "app/log_check.h"
#include "app/mnemonics.h"
#include "app/qt_ui_services.h"
#include "log/result_list_model.h"
#include "scanner/frm_download.h"
#include "scanner/window_placement.h"
#include "support/fake_security_system.h"
#include "support/scripted_ui_services.h"

namespace korvane {
namespace {

using testing::FakeSecuritySystem;
using testing::ScriptedUiServices;

struct StartedApp {
    FakeSecuritySystem* system;
    std::unique_ptr<Application> app;
    LogCheck& window() { return app->Window(); }
};

StartedApp StartWith(const std::function<void(FakeSecuritySystem&)>& configure) {
    auto system = std::make_unique<FakeSecuritySystem>();
    configure(*system);
    FakeSecuritySystem* raw = system.get();
    auto app = std::make_unique<Application>(std::move(system), nullptr, std::make_unique<ScriptedUiServices>());
    app->Start();
    return {raw, std::move(app)};
}

TEST(LogCheckStartUp, GermanLocaleStartsInGermanWithItsCheckMark) {
    auto started = StartWith([](FakeSecuritySystem& s) { s.localeName = "Deutsch"; });
    LogCheck& w = started.window();
    EXPECT_EQ(started.app->State().Language, UiLanguage::German);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Korvane"));
    EXPECT_EQ(w.CB_DelFiles->text(), QStringLiteral("Dateien löschen"));
    EXPECT_EQ(WithoutMnemonic(w.MenuItem("mnuOpen_Escan")->text()), QStringLiteral("eScan-Log öffnen..."));
    EXPECT_TRUE(w.MenuItem("mnuGerman")->isChecked());
    EXPECT_FALSE(w.MenuItem("mnuEnglisch")->isChecked());
    EXPECT_EQ(w.ScannerWindow().windowTitle(), QStringLiteral(" eScan - Download / Update / Start"));
}

TEST(LogCheckStartUp, OtherLocalesStartInEnglish) {
    for (const char* name : {"", "English", "Schweizerdeutsch"}) {
        auto started = StartWith([name](FakeSecuritySystem& s) { s.localeName = name; });
        EXPECT_EQ(started.app->State().Language, UiLanguage::English) << name;
        EXPECT_FALSE(started.window().MenuItem("mnuGerman")->isChecked());
        EXPECT_TRUE(started.window().MenuItem("mnuEnglisch")->isChecked());
        EXPECT_EQ(started.window().CB_end->text(), QStringLiteral("Exit"));
    }
}

TEST(LogCheckStartUp, StateAndFolders) {
    auto started = StartWith([](FakeSecuritySystem& s) {
        s.windowsFolder = "C:\\WINDOWS";
        s.tempFolder = "C:\\TEMP\\";
        s.cacheFolder = "C:\\cache";
    });
    const AppState& state = started.app->State();
    EXPECT_EQ(state.AppTitle, "Korvane");
    ASSERT_EQ(state.LogEntries.size(), 1u);
    EXPECT_EQ(state.LogEntries[0], LogEntry{});
    ASSERT_EQ(state.RebootDeleteList.size(), 1u);
    EXPECT_EQ(state.RebootDeleteList[0], "");
    EXPECT_EQ(state.WindowsDir, "C:\\WINDOWS");
    EXPECT_EQ(state.TempDir, "C:\\TEMP\\");
    EXPECT_EQ(state.InternetCacheDir, "C:\\cache");
    EXPECT_FALSE(state.LogEvaluated);
    EXPECT_TRUE(started.window().ListView1->header()->isHidden());
    EXPECT_FALSE(started.window().Command1->isVisibleTo(&started.window()));
    EXPECT_FALSE(started.window().Text1->isVisibleTo(&started.window()));
    EXPECT_FALSE(started.window().ScannerWindow().isVisible());
}

TEST(LogCheckStartUp, RebootOptionsFollowFamilyAndRights) {
    struct Case {
        std::int16_t os;
        bool admin;
        bool enabled;
        bool adminFlag;
        int adminQueries;
    };
    const Case cases[] = {
        {1, false, true, false, 0}, {4, true, true, false, 0}, {0, true, true, false, 0},
        {5, true, true, true, 1},   {7, false, false, false, 1}, {9, false, false, false, 1},
        {9, true, true, true, 1},
    };
    for (const Case& c : cases) {
        auto started = StartWith([&c](FakeSecuritySystem& s) {
            s.osVersion = c.os;
            s.admin = c.admin;
        });
        EXPECT_EQ(started.window().Check_DelAllOnReboot->isEnabled(), c.enabled) << c.os << c.admin;
        EXPECT_EQ(started.window().Check_Reboot->isEnabled(), c.enabled) << c.os << c.admin;
        EXPECT_EQ(started.app->State().UserIsAdmin, c.adminFlag) << c.os << c.admin;
        EXPECT_EQ(started.system->adminQueries, c.adminQueries) << c.os << c.admin;
    }
}

TEST(LogCheckLanguage, SwitchBeforeEvaluationChangesCaptionsOnly) {
    auto started = StartWith([](FakeSecuritySystem& s) { s.localeName = "Deutsch"; });
    LogCheck& w = started.window();
    w.mnuEnglisch_Click();
    EXPECT_EQ(w.Check_FileBackup->text(), QStringLiteral("Make file-backup of the deleted files"));
    EXPECT_EQ(w.Check_FileBackup->toolTip(),
              QStringLiteral(" A not executable copy of each file will be stored (Korvane-Folder\\KRBackup)"));
    EXPECT_EQ(w.ScannerWindow().Check[3]->text(), QStringLiteral("Scan Startup"));
    EXPECT_EQ(w.ScannerWindow().Check[5]->text(), QStringLiteral("Scan Services"));
    EXPECT_EQ(w.ScannerWindow().Frame1->title(), QStringLiteral("Start-Options "));
    EXPECT_TRUE(w.ListView1->header()->isHidden());
    EXPECT_EQ(started.app->State().PreviousLanguage, UiLanguage::German);
    EXPECT_FALSE(w.MenuItem("mnuGerman")->isChecked());
    EXPECT_TRUE(w.MenuItem("mnuEnglisch")->isChecked());
}

TEST(LogCheckLanguage, SwitchAfterEvaluationRelabelsRowsAndShowsHeaders) {
    auto started = StartWith([](FakeSecuritySystem& s) { s.localeName = "Deutsch"; });
    LogCheck& w = started.window();
    w.Model().AppendRow({"Line1", "Hinzugefügt", "C:\\a.exe", "Vom User hinzugefügt", false});
    w.Model().AppendRow({"Line2", "???", "C:\\b.exe", "Trojan", false});
    started.app->State().LogEvaluated = true;

    w.mnuEnglisch_Click();
    EXPECT_EQ(w.Model().Row(0).Status, "added");
    EXPECT_EQ(w.Model().Row(0).Name, "Added from User");
    EXPECT_EQ(w.Model().Row(1).Status, "???");
    EXPECT_FALSE(w.ListView1->header()->isHidden());
    EXPECT_EQ(w.Model().headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Virus"));

    w.mnuEnglisch_Click();  // the active language again: nothing changes
    EXPECT_EQ(w.Model().Row(0).Status, "added");

    w.mnuGerman_Click();
    EXPECT_EQ(w.Model().Row(0).Status, "Hinzugefügt");
    EXPECT_EQ(w.Model().Row(0).Name, "Vom User hinzugefügt");
}

TEST(LogCheckWindow, AlwaysOnTopFollowsTheCheckBox) {
    auto started = StartWith([](FakeSecuritySystem&) {});
    LogCheck& w = started.window();
    w.show();
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    w.Check_AlwayShow->click();
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.isVisible());
    w.Check_AlwayShow->click();
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(LogCheckWindow, TooSmallSnapsBackToTheMinimum) {
    auto started = StartWith([](FakeSecuritySystem&) {});
    LogCheck& w = started.window();
    w.show();
    w.resize(100, 50);
    EXPECT_GE(w.ToTwips(w.frameGeometry().width()) + 1, 9000);
    EXPECT_GE(w.ToTwips(w.frameGeometry().height()) + 1, 3000);
}

TEST(LogCheckWindow, ButtonsFollowTheRightEdge) {
    auto started = StartWith([](FakeSecuritySystem&) {});
    LogCheck& w = started.window();
    w.show();
    w.resize(w.ToPixels(12000), w.ToPixels(6000));
    const int right = w.CB_DelFiles->geometry().right();
    w.resize(w.ToPixels(14000), w.ToPixels(6000));
    EXPECT_NEAR(w.CB_DelFiles->geometry().right() - right, w.ToPixels(2000), 2);
    EXPECT_EQ(w.CB_end->x(), w.CB_DelFiles->x());
    EXPECT_GT(w.CB_end->y(), w.CB_DelFiles->y());
}

TEST(LogCheckWindow, OpensWithTheDesignedClientAreaBelowTheMenuBarAndNothingJumps) {
    auto started = StartWith([](FakeSecuritySystem& s) { s.localeName = "Deutsch"; });
    LogCheck& w = started.window();
    w.show();
    QApplication::processEvents();
    EXPECT_NEAR(w.centralWidget()->width(), w.ToPixels(10860), 1);
    EXPECT_NEAR(w.centralWidget()->height(), w.ToPixels(5850), 1);
    EXPECT_GT(w.menuBar()->height(), 0);
    EXPECT_EQ(w.centralWidget()->y(), w.menuBar()->geometry().bottom() + 1);
    const QRect button = w.CB_DelFiles->geometry();
    const QRect box = w.Check_Reboot->geometry();
    w.resize(w.width() + 1, w.height() + 1);
    w.resize(w.width() - 1, w.height() - 1);
    QApplication::processEvents();
    EXPECT_EQ(w.CB_DelFiles->geometry(), button);
    EXPECT_EQ(w.Check_Reboot->geometry(), box);
}

TEST(LogCheckWindow, RendersOffscreen) {
    auto started = StartWith([](FakeSecuritySystem& s) { s.localeName = "Deutsch"; });
    LogCheck& w = started.window();
    w.show();
    const QPixmap shot = w.grab();
    EXPECT_FALSE(shot.isNull());
    EXPECT_GT(shot.width(), 400);
}

TEST(LogCheckWindow, BothWindowsCarryTheApplicationIcon) {
    auto started = StartWith([](FakeSecuritySystem&) {});
    LogCheck& w = started.window();
    for (const QWidget* window : {static_cast<const QWidget*>(&w), static_cast<const QWidget*>(&w.ScannerWindow())}) {
        const QIcon icon = window->windowIcon();
        ASSERT_FALSE(icon.isNull()) << window->objectName().toStdString();
        const QImage small = icon.pixmap(16, 16).toImage();
        ASSERT_EQ(small.size(), QSize(16, 16)) << window->objectName().toStdString();
        // Drawn, not blank: some pixels are opaque.
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) opaque += qAlpha(small.pixel(x, y)) > 128 ? 1 : 0;
        EXPECT_GT(opaque, 40) << window->objectName().toStdString();
    }
    EXPECT_EQ(w.windowIcon().cacheKey(), w.ScannerWindow().windowIcon().cacheKey());
}

TEST(OpenFileDialog, AllFilesMatchNamesWithoutADotAndShowTheirPatternOnce) {
    const QString filter = FileDialogFilter({"Alle Dateien ", kAllFilesPattern});
    EXPECT_EQ(filter, QStringLiteral("Alle Dateien (") + QString::fromLatin1(kAllFilesPattern) + QStringLiteral(")"));
    EXPECT_EQ(filter.count(QLatin1Char('(')), 1);
#ifndef _WIN32
    EXPECT_TRUE(QDir::match(QString::fromLatin1(kAllFilesPattern), QStringLiteral("README")));
#endif
    EXPECT_TRUE(QDir::match(QString::fromLatin1(kAllFilesPattern), QStringLiteral("mwav.log")));
}

TEST(WindowPlacement, AWindowOpensInsideTheAvailableScreenArea) {
    QWidget w;
    const QRect available = w.screen()->availableGeometry();
    for (const QRect& start : {QRect(-500, -300, 5000, 4000), QRect(available.right() - 10, 20, 300, 200)}) {
        w.setGeometry(start);
        PlaceInsideScreen(w);
        EXPECT_TRUE(available.contains(w.frameGeometry())) << start.x() << "," << start.y();
    }
}

}  // namespace
}  // namespace korvane
