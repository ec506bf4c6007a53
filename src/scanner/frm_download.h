#pragma once
// The scanner window: download, update and start of the outside scanner.
#include <QDialog>
#include <memory>

#include "core/app_state.h"
#include "core/scanner_boxes.h"
#include "core/ui_text.h"
#include "platform/platform.h"
#include "scanner/scanner_sequence.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
class QShowEvent;

namespace korvane {

class SlidingPanel;

class FrmDownload : public QDialog, public ScannerView {
    Q_OBJECT
public:
    // The options panel slides open or shut in this many timer ticks.
    static constexpr int kSlideSteps = 15;

    FrmDownload(AppState& state, Platform& platform, QWidget* parent = nullptr);
    ~FrmDownload() override;

    // Downloads and process starts go through these from now on (tests).
    void UseServices(Downloader& downloader, ProcessRunner& processes);

    // Captions and tool tips of the current language.
    void ApplyLanguage(const UiText& table, UiLanguage language);
    // Design state, closed panel; runs each time the window opens.
    void FormLoad();
    // Clean-up when the window unloads; also runs when the program ends.
    void FormUnload();
    // Opens the window modally over its owner (mnuEscanDown).
    int ShowModal();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void CB_Cancel_Click();
    void lbl_startoptions_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void SetControlsEnabled(bool enable);
    // A check box changed by the user (or by code, as a user would).
    void SetCheckBox(ScannerControl box, bool checked);

    ScannerBoxes& Boxes() { return boxes_; }
    ScannerSequence& Sequence() { return *sequence_; }
    bool OptionsPanelOpen() const { return optionsPanelOpen_; }
    // Window heights with the options panel shut and fully open: what the
    // layout needs for every caption in the current language.
    int ClosedHeight() const;
    int OpenHeight() const;
    QString StatusText() const;

    QCheckBox* Check_Download = nullptr;
    QCheckBox* Check_Update = nullptr;
    QCheckBox* Check_Start = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* CB_Cancel = nullptr;  // stops a run; enabled only during one
    QLabel* lbl_startoptions = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* Check[10] = {};  // Check[1] .. Check[9]
    QStatusBar* StatBar = nullptr;
    QLabel* StatBarPanel1 = nullptr;
    QProgressBar* DownloadBar = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // ScannerView: what the run shows in this window.
    void ShowStatus(const std::string& text) override;
    void AppendStatusLine(const std::string& line) override;
    void ClearStatusLog() override;
    void AppendByteLog(const std::string& text) override;
    void ShowDownloadProgress(std::optional<int> percent) override;
    void HideDownloadProgress() override;
    void BoxesChanged() override;
    void FocusCloseButton() override;
    void CloseWindow() override;
    void StartDelayTimer() override;
    void StopDelayTimer() override;
    void RunningChanged(bool running) override;

private:
    QCheckBox* BoxWidget(ScannerControl control) const;
    QWidget* ControlWidget(ScannerControl control) const;
    // Minimum width and the height of the current slide step, from the layout.
    void ApplyHeight();

    AppState& state_;
    Platform& platform_;
    std::string vendorHost_;  // read once, when the window is made
    std::unique_ptr<Downloader> ownDownloader_;
    std::unique_ptr<ProcessRunner> ownProcesses_;
    std::unique_ptr<ScannerSequence> sequence_;
    ScannerBoxes boxes_;
    bool optionsPanelOpen_ = false;
    int slideStep_ = 0;  // 0 shut .. kSlideSteps fully open
    SlidingPanel* optionsPanel_ = nullptr;
    bool closeAfterRun_ = false;  // the window was closed while a run was stopping
};

}  // namespace korvane
