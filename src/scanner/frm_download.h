#pragma once
// The scanner window: download, update and start of the outside scanner.
#include <QDialog>

#include "core/ui_text.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTimer;

namespace korvane {

class FrmDownload : public QDialog {
    Q_OBJECT
public:
    explicit FrmDownload(QWidget* parent = nullptr);
    ~FrmDownload() override;

    // Captions and tool tips of the current language.
    void ApplyLanguage(const UiText& table, UiLanguage language);
    // Clean-up when the window unloads; also runs when the program ends.
    void FormUnload();

    QCheckBox* Check_Download = nullptr;
    QCheckBox* Check_Update = nullptr;
    QCheckBox* Check_Start = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QLabel* lbl_startoptions = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* Check[10] = {};  // Check[1] .. Check[9]
    QStatusBar* StatBar = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
};

}  // namespace korvane
