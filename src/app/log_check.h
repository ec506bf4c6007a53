#pragma once
// The main window: result list, options, delete and exit buttons, menus.
#include <QMainWindow>
#include <QMap>
#include <memory>
#include <vector>

#include "core/app_state.h"
#include "log/main_window_parts.h"
#include "platform/platform.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeView;

namespace korvane {

class FrmDownload;
class ResultListModel;

class LogCheck : public QMainWindow {
    Q_OBJECT
public:
    LogCheck(AppState& state, Platform& platform, QWidget* parent = nullptr);
    ~LogCheck() override;

    // The start-up sequence; runs once before the window is shown.
    void FormLoad();

    void ApplyLanguage();
    void BuildColumnHeaders();
    void RelabelRows();
    void AutoSizeColumns();
    void SetAlwaysOnTop(bool on);

    void mnuGerman_Click();
    void mnuEnglisch_Click();

    AppState& State() { return state_; }
    Platform& Services() { return platform_; }
    ResultListModel& Model() { return *model_; }
    FrmDownload& ScannerWindow() { return *frmDownload_; }
    QAction* MenuItem(const QString& name) const { return menuItems_.value(name); }
    MainWindowParts Parts();

    // Twips of the designed geometry in this screen's pixels, and back.
    double TwipsPerPixel() const;
    int ToPixels(double twips) const;
    double ToTwips(int pixels) const;

    QTreeView* ListView1 = nullptr;
    QCheckBox* Check_AlwayShow = nullptr;
    QCheckBox* Check_FileBackup = nullptr;
    QCheckBox* Check_DelAllOnReboot = nullptr;
    QCheckBox* Check_Reboot = nullptr;
    QPushButton* CB_DelFiles = nullptr;
    QPushButton* CB_end = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QMenu* mnurclick = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    QAction* AddItem(QMenu* menu, const char* name);
    void FormResize();
    // Captions of the check boxes and buttons in the language given.
    void SetCaptions(UiLanguage language);
    // Least size: what every caption needs, never below the designed minimum.
    void ApplyMinimumSize();
    // Each subsystem attaches its handlers to the controls here.
    void InstallSubsystems();

    AppState& state_;
    Platform& platform_;
    ResultListModel* model_ = nullptr;
    FrmDownload* frmDownload_ = nullptr;
    QMap<QString, QAction*> menuItems_;
    QMap<QString, QMenu*> menus_;
    std::vector<std::shared_ptr<QObject>> subsystems_;
    bool placed_ = false;  // opened once inside the screen
};

}  // namespace korvane
