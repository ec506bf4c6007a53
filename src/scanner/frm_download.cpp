#include "scanner/frm_download.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace korvane {

namespace {

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QString Ui(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

FrmDownload::FrmDownload(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDownload"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);

    Frame2 = Named(new QGroupBox(this), "Frame2");
    auto* stages = new QGridLayout(Frame2);
    Check_Download = Named(new QCheckBox(Frame2), "Check_Download");
    Check_Update = Named(new QCheckBox(Frame2), "Check_Update");
    Check_Start = Named(new QCheckBox(Frame2), "Check_Start");
    lbl_startoptions = Named(new QLabel(QStringLiteral("< Start-Optionen >"), Frame2), "lbl_startoptions");
    stages->addWidget(Check_Download, 0, 0);
    stages->addWidget(Check_Update, 1, 0);
    stages->addWidget(Check_Start, 2, 0);
    stages->addWidget(lbl_startoptions, 2, 1);
    layout->addWidget(Frame2);

    auto* buttons = new QHBoxLayout;
    Command1 = Named(new QPushButton(QStringLiteral("Start"), this), "Command1");
    Command4 = Named(new QPushButton(this), "Command4");
    Command4->setEnabled(false);
    Command2 = Named(new QPushButton(this), "Command2");
    buttons->addWidget(Command1);
    buttons->addWidget(Command4);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);

    Frame1 = Named(new QGroupBox(this), "Frame1");
    auto* options = new QGridLayout(Frame1);
    for (int i = 1; i <= 9; ++i) {
        Check[i] = new QCheckBox(Frame1);
        Check[i]->setObjectName(QStringLiteral("Check%1").arg(i));
        options->addWidget(Check[i], (i - 1) % 5, (i - 1) / 5);
    }
    Check[7]->setEnabled(false);
    Command3 = Named(new QPushButton(Frame1), "Command3");
    Command3->setEnabled(false);
    options->addWidget(Command3, 4, 1);
    Frame1->setVisible(false);
    layout->addWidget(Frame1);

    Text1 = Named(new QPlainTextEdit(this), "Text1");
    Text2 = Named(new QPlainTextEdit(this), "Text2");
    for (QPlainTextEdit* log : {Text1, Text2}) {
        log->setReadOnly(true);
        log->setVisible(false);
        layout->addWidget(log);
    }

    StatBar = Named(new QStatusBar(this), "StatBar");
    StatBar->setSizeGripEnabled(false);
    layout->addWidget(StatBar);

    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(20000);
    Timer1->setSingleShot(false);
    Timer2 = Named(new QTimer(this), "Timer2");
    Timer2->setInterval(1);
}

FrmDownload::~FrmDownload() = default;

void FrmDownload::FormUnload() {}

void FrmDownload::ApplyLanguage(const UiText& table, UiLanguage language) {
    const auto text = [&](int row) { return Ui(table.Get(row, language)); };
    setWindowTitle(QStringLiteral(" ") + text(12));
    Check_Download->setText(text(42));
    Check_Update->setText(text(43));
    Check_Start->setText(text(44));
    Check_Start->setToolTip(text(85));
    Command4->setText(text(45));
    Frame1->setTitle(text(45) + QStringLiteral(" "));
    Command2->setText(text(46));
    Frame2->setTitle(text(75));
    Check[1]->setText(text(76));
    Check[2]->setText(text(77));
    Check[3]->setText(text(79));
    Check[4]->setText(text(80));
    Check[5]->setText(text(78));
    for (int i = 6; i <= 9; ++i) Check[i]->setText(text(75 + i));
    Command3->setText(text(86));
    Command3->setToolTip(QStringLiteral(" ") + text(88));
}

}  // namespace korvane
