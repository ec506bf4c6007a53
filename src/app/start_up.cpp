// The start-up sequence of the main window, in its fixed order.
#include "app/log_check.h"
#include "core/language_choice.h"
#include "core/start_up_rules.h"
#include "scanner/scanner_folder.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

namespace korvane {

void LogCheck::FormLoad() {
    state_.AppTitle = "Korvane";
    setWindowTitle(QString::fromStdString(state_.AppTitle));
    Command1->setVisible(false);

    state_.LocaleLanguageName =
        NormaliseLocaleLanguageName(platform_.system.GetLocaleString(kLocaleNativeLanguageName));
    // The table is compiled in and filled on first use.
    state_.Table = &Texts();
    state_.Language = ChooseLanguage(state_.LocaleLanguageName);

    ApplyLanguage();
    MenuItem(QStringLiteral("mnuGerman"))->setChecked(state_.Language == UiLanguage::German);
    MenuItem(QStringLiteral("mnuEnglisch"))->setChecked(state_.Language == UiLanguage::English);

    state_.OsVersion = platform_.system.GetOsVersion();
    state_.ResetLists();

    if (state_.OsVersion > 4) state_.UserIsAdmin = platform_.system.IsUserAdmin();
    if (const auto enabled = RebootOptionsEnabled(state_.OsVersion, state_.UserIsAdmin)) {
        Check_DelAllOnReboot->setEnabled(*enabled);
        Check_Reboot->setEnabled(*enabled);
    }

    state_.WindowsDir = platform_.system.GetSystemFolder("win");
    state_.SystemDir = platform_.system.GetSystemFolder("system");
    state_.TempDir = platform_.system.GetSystemFolder("temp");
    state_.InternetCacheDir = platform_.system.GetSpecialFolder(kSpecialFolderInternetCache);
    state_.ProgramFolder = platform_.system.ProgramFolder();
    state_.DriveRoot = platform_.system.DriveRoot();
    state_.ScannerFolder = ChooseScannerFolder(state_.DriveRoot, PerUserDataFolder());
    state_.PathSeparator = platform_.system.PathSeparator();
}

}  // namespace korvane
