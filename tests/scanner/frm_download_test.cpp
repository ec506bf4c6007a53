#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>

#include "scanner/frm_download.h"
#include "support/fake_security_system.h"
#include "support/scripted_ui_services.h"

namespace korvane {
namespace {

TEST(FrmDownload, DesignStateAndGermanCaptions) {
    AppState state;
    auto files = MakeNativeFilesShell();
    testing::FakeSecuritySystem system;
    testing::ScriptedUiServices ui;
    Platform platform{system, *files, ui};
    FrmDownload window(state, platform);
    window.ApplyLanguage(Texts(), UiLanguage::German);
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" eScan - Download / Update / Start"));
    EXPECT_EQ(
        window.Check_Start->toolTip(),
        QStringLiteral(" Sind keine Optionen ausgewählt startet eScan mit den empfohlenen Einstellungen "));
    EXPECT_EQ(window.Command3->toolTip(),
              QStringLiteral(" Ohne Ordner-Auswahl werden alle lokalen Festplatten gescannt."));
    EXPECT_EQ(window.Check[9]->text(), QStringLiteral("Schliessen von eScan bestätigen"));
    EXPECT_EQ(window.Command1->text(), QStringLiteral("Start"));
    for (int i = 1; i <= 9; ++i) EXPECT_FALSE(window.Check[i]->isChecked()) << i;
    EXPECT_FALSE(window.Check[7]->isEnabled());
    EXPECT_FALSE(window.Command3->isEnabled());
    EXPECT_FALSE(window.Command4->isEnabled());
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_EQ(window.Timer1->interval(), 20000);
    EXPECT_EQ(window.findChild<QCheckBox*>(QStringLiteral("Check6")), window.Check[6]);
}

}  // namespace
}  // namespace korvane
