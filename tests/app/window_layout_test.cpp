// Both windows as a person sees them, in both languages, at the size they
// open with and at the least size they allow: every caption readable, no
// control on top of another, the window inside the screen. The same tests
// run a second time with QT_SCALE_FACTOR=2 (see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "app/application.h"
#include "app/log_check.h"
#include "scanner/frm_download.h"
#include "support/fake_security_system.h"
#include "support/layout_check.h"
#include "support/scripted_ui_services.h"

namespace korvane {
namespace {

using testing::Describe;
using testing::LayoutProblems;

const char* kExampleLog =
    "Scanning file C:\\WINDOWS\\system32\\drivers\\svch0st.sys infected by \"Backdoor.Win32.Agent.ahx\"\r\n"
    "Scanning file C:\\Program Files\\FreeBar\\freebar.dll tagged as not-a-virus: AdWare.Win32.FreeBar.d\r\n";

class WindowLayout : public ::testing::TestWithParam<const char*> {
protected:
    WindowLayout() {
        auto system = std::make_unique<testing::FakeSecuritySystem>();
        system->localeName = GetParam();
        system->programFolder = temp.path().toStdString() + "/";
        auto ui = std::make_unique<testing::ScriptedUiServices>();
        ui->clipboard = kExampleLog;
        app = std::make_unique<Application>(std::move(system), nullptr, std::move(ui));
        app->Start();
    }
    ~WindowLayout() override {
        window().ScannerWindow().hide();
        window().hide();
    }

    LogCheck& window() { return app->Window(); }
    QString Where(const char* what) {
        return QStringLiteral("%1, %2, window %3x%4")
            .arg(QString::fromLatin1(what), QString::fromLatin1(GetParam()))
            .arg(window().width())
            .arg(window().height());
    }
    static void Settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
    static void ExpectInsideScreen(const QWidget& w) {
        const QRect available = w.screen()->availableGeometry();
        EXPECT_TRUE(available.contains(w.frameGeometry()))
            << "window at " << w.frameGeometry().x() << "," << w.frameGeometry().y() << " "
            << w.frameGeometry().width() << "x" << w.frameGeometry().height() << ", screen area "
            << available.width() << "x" << available.height();
    }

    QTemporaryDir temp;
    std::unique_ptr<Application> app;
};

TEST_P(WindowLayout, MainWindowAtOpeningAndLeastSize) {
    LogCheck& w = window();
    w.MenuItem(QStringLiteral("mnuAnalyzeClipboard"))->trigger();
    w.show();
    Settle();
    ExpectInsideScreen(w);
    QStringList problems = LayoutProblems(w);
    EXPECT_TRUE(problems.isEmpty()) << Describe(Where("opened"), problems).toStdString();

    w.resize(1, 1);
    Settle();
    EXPECT_GE(w.width(), w.ToPixels(9000));
    EXPECT_GE(w.height(), w.ToPixels(3000));
    problems = LayoutProblems(w);
    EXPECT_TRUE(problems.isEmpty()) << Describe(Where("least size"), problems).toStdString();
}

TEST_P(WindowLayout, ScannerWindowShutAndOpenAtOpeningAndLeastSize) {
    FrmDownload& s = window().ScannerWindow();
    window().show();
    s.FormLoad();
    s.show();
    Settle();
    ExpectInsideScreen(s);
    EXPECT_EQ(s.height(), s.ClosedHeight());
    QStringList problems = LayoutProblems(s);
    EXPECT_TRUE(problems.isEmpty()) << Describe(Where("scanner window shut"), problems).toStdString();

    // As a person does it: tick "start", then open the options.
    QTest::mouseClick(s.Check_Start, Qt::LeftButton, {}, QPoint(8, s.Check_Start->height() / 2));
    ASSERT_TRUE(s.Check_Start->isChecked());
    ASSERT_TRUE(s.Command4->isEnabled());
    QTest::mouseClick(s.Command4, Qt::LeftButton);
    for (int tick = 0; tick < 100 && s.Timer2->isActive(); ++tick) s.Timer2_Timer();
    Settle();
    EXPECT_TRUE(s.OptionsPanelOpen());
    EXPECT_EQ(s.height(), s.OpenHeight());
    EXPECT_GT(s.OpenHeight(), s.ClosedHeight() + s.Frame1->minimumSizeHint().height() - 1);
    ExpectInsideScreen(s);
    problems = LayoutProblems(s);
    EXPECT_TRUE(problems.isEmpty()) << Describe(Where("scanner window open"), problems).toStdString();

    s.resize(1, 1);
    Settle();
    problems = LayoutProblems(s);
    EXPECT_TRUE(problems.isEmpty())
        << Describe(Where("scanner window open, least size"), problems).toStdString();

    s.Command4->click();
    for (int tick = 0; tick < 100 && s.Timer2->isActive(); ++tick) s.Timer2_Timer();
    Settle();
    EXPECT_EQ(s.height(), s.ClosedHeight());
    problems = LayoutProblems(s);
    EXPECT_TRUE(problems.isEmpty())
        << Describe(Where("scanner window shut, least size"), problems).toStdString();
}

TEST_P(WindowLayout, SwitchingTheLanguageKeepsEveryCaptionReadable) {
    LogCheck& w = window();
    w.show();
    w.resize(1, 1);
    Settle();
    // The other language, at the least size the first one allowed.
    if (app->State().Language == UiLanguage::German)
        w.mnuEnglisch_Click();
    else
        w.mnuGerman_Click();
    Settle();
    const QStringList problems = LayoutProblems(w);
    EXPECT_TRUE(problems.isEmpty()) << Describe(Where("after the language switch"), problems).toStdString();
}

INSTANTIATE_TEST_SUITE_P(GermanAndEnglish, WindowLayout, ::testing::Values("Deutsch", "English"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace korvane
