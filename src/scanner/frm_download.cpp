#include "scanner/frm_download.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/more_text.h"
#include "core/vendor_host.h"
#include "scanner/qt_downloader.h"
#include "scanner/qt_process_runner.h"
#include "scanner/sliding_panel.h"
#include "scanner/window_placement.h"
#include "scanner/scanner_settings.h"
#ifdef _WIN32
#include "platform/win32/win32_process_runner.h"
#endif

namespace korvane {

namespace {

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QString Ui(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString WithoutCarriageReturns(const std::string& text) {
    return Ui(text).remove(QLatin1Char('\r'));
}

}  // namespace

FrmDownload::FrmDownload(AppState& state, Platform& platform, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform), vendorHost_(VendorHostFromEnvironment()) {
    setObjectName(QStringLiteral("frmDownload"));
    setModal(true);

    // The stage group with its three buttons beside it, the status history,
    // the sliding options panel and the status bar, top to bottom. The
    // layout's minimum stays on: it is what keeps every caption readable.
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    Frame2 = Named(new QGroupBox(this), "Frame2");
    auto* stages = new QGridLayout(Frame2);
    Check_Download = Named(new QCheckBox(Frame2), "Check_Download");
    Check_Update = Named(new QCheckBox(Frame2), "Check_Update");
    Check_Start = Named(new QCheckBox(Frame2), "Check_Start");
    lbl_startoptions = Named(new QLabel(QStringLiteral("< Start-Optionen >"), Frame2), "lbl_startoptions");
    lbl_startoptions->installEventFilter(this);
    lbl_startoptions->setCursor(Qt::PointingHandCursor);
    stages->addWidget(Check_Download, 0, 0);
    stages->addWidget(Check_Update, 1, 0);
    stages->addWidget(Check_Start, 2, 0);
    stages->addWidget(lbl_startoptions, 2, 1, Qt::AlignRight);
    stages->setColumnStretch(0, 1);
    top->addWidget(Frame2, 1);

    auto* buttons = new QVBoxLayout;
    Command1 = Named(new QPushButton(QStringLiteral("Start"), this), "Command1");
    CB_Cancel = Named(new QPushButton(this), "CB_Cancel");
    CB_Cancel->setEnabled(false);
    Command4 = Named(new QPushButton(this), "Command4");
    Command2 = Named(new QPushButton(this), "Command2");
    for (QPushButton* button : {Command1, CB_Cancel, Command4, Command2}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    top->addLayout(buttons);

    Text1 = Named(new QPlainTextEdit(this), "Text1");
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    Text1->setFixedHeight(Text1->fontMetrics().lineSpacing() * 4 + 2 * Text1->frameWidth() +
                          2 * static_cast<int>(Text1->document()->documentMargin()));
    layout->addWidget(Text1);
    Text2 = Named(new QPlainTextEdit(this), "Text2");
    Text2->setReadOnly(true);
    Text2->setVisible(false);
    layout->addWidget(Text2);

    Frame1 = Named(new QGroupBox, "Frame1");
    auto* options = new QGridLayout(Frame1);
    for (int i = 1; i <= 9; ++i) {
        Check[i] = new QCheckBox(Frame1);
        Check[i]->setObjectName(QStringLiteral("Check%1").arg(i));
        options->addWidget(Check[i], (i - 1) % 5, (i - 1) / 5);
    }
    Command3 = Named(new QPushButton(Frame1), "Command3");
    Command3->setAutoDefault(false);
    options->addWidget(Command3, 4, 1, Qt::AlignLeft);
    optionsPanel_ = new SlidingPanel(Frame1, this);
    optionsPanel_->setObjectName(QStringLiteral("optionsPanel"));
    layout->addWidget(optionsPanel_);

    StatBar = Named(new QStatusBar(this), "StatBar");
    StatBar->setSizeGripEnabled(false);
    StatBarPanel1 = Named(new QLabel(StatBar), "StatBarPanel1");
    StatBar->addWidget(StatBarPanel1, 1);
    DownloadBar = Named(new QProgressBar(StatBar), "DownloadBar");
    DownloadBar->setMaximumWidth(160);
    DownloadBar->setVisible(false);
    StatBar->addPermanentWidget(DownloadBar);
    layout->addWidget(StatBar);

    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(20000);
    Timer2 = Named(new QTimer(this), "Timer2");
    Timer2->setInterval(1);

    for (int c = kCheckDownload; c <= kCheck9; ++c) {
        const auto control = static_cast<ScannerControl>(c);
        connect(BoxWidget(control), &QCheckBox::clicked, this,
                [this, control](bool checked) { SetCheckBox(control, checked); });
    }
    connect(Command1, &QPushButton::clicked, this, &FrmDownload::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FrmDownload::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FrmDownload::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &FrmDownload::Command4_Click);
    connect(CB_Cancel, &QPushButton::clicked, this, &FrmDownload::CB_Cancel_Click);
    connect(Timer1, &QTimer::timeout, this, &FrmDownload::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &FrmDownload::Timer2_Timer);

    ownDownloader_ = std::make_unique<QtDownloader>(ReadScannerLimits());
#ifdef _WIN32
    ownProcesses_ = std::make_unique<Win32ProcessRunner>();
#else
    ownProcesses_ = std::make_unique<QtProcessRunner>();
#endif
    UseServices(*ownDownloader_, *ownProcesses_);
    FormLoad();
}

FrmDownload::~FrmDownload() = default;

void FrmDownload::UseServices(Downloader& downloader, ProcessRunner& processes) {
    sequence_ = std::make_unique<ScannerSequence>(state_, platform_, downloader, processes, boxes_, *this,
                                                  vendorHost_);
    sequence_->UseLimits(ReadScannerLimits());
}

QCheckBox* FrmDownload::BoxWidget(ScannerControl control) const {
    switch (control) {
        case kCheckDownload:
            return Check_Download;
        case kCheckUpdate:
            return Check_Update;
        case kCheckStart:
            return Check_Start;
        default:
            return IsCheckBox(control) ? Check[control - kCheck1 + 1] : nullptr;
    }
}

QWidget* FrmDownload::ControlWidget(ScannerControl control) const {
    switch (control) {
        case kCommand1:
            return Command1;
        case kCommand2:
            return Command2;
        case kCommand3:
            return Command3;
        case kCommand4:
            return Command4;
        default:
            return BoxWidget(control);
    }
}

void FrmDownload::BoxesChanged() {
    for (int c = 0; c < kScannerControlCount; ++c) {
        const auto control = static_cast<ScannerControl>(c);
        if (QCheckBox* box = BoxWidget(control)) {
            const QSignalBlocker quiet(box);
            box->setChecked(boxes_.value[c]);
        }
        ControlWidget(control)->setEnabled(boxes_.enabled[c]);
    }
    Command3->setToolTip(Ui(boxes_.command3ToolTip));
}

void FrmDownload::SetCheckBox(ScannerControl box, bool checked) {
    SetBox(boxes_, state_, box, checked, optionsPanelOpen_);
    if (boxes_.closePanelRequested) {
        boxes_.closePanelRequested = false;
        Timer2->start();
    }
    BoxesChanged();
}

void FrmDownload::SetControlsEnabled(bool enable) {
    korvane::SetControlsEnabled(boxes_, enable);
    BoxesChanged();
}

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
    CB_Cancel->setText(Ui(More(MoreText::ScannerCancel, language)));
    Frame2->setTitle(text(75));
    Check[1]->setText(text(76));
    Check[2]->setText(text(77));
    Check[3]->setText(text(79));
    Check[4]->setText(text(80));
    Check[5]->setText(text(78));
    for (int i = 6; i <= 9; ++i) Check[i]->setText(text(75 + i));
    Command3->setText(text(86));
    boxes_.command3ToolTip = " " + table.Get(88, language);
    Command3->setToolTip(Ui(boxes_.command3ToolTip));
    ApplyHeight();
}

void FrmDownload::FormLoad() {
    // Every opening starts from the design state, as a freshly loaded window does.
    boxes_ = ScannerBoxes{};
    boxes_.command3ToolTip = " " + state_.Text(88);
    state_.ScanFolder.clear();
    optionsPanelOpen_ = false;
    Timer1->stop();
    Timer2->stop();
    Frame1->setVisible(false);
    slideStep_ = 0;
    ApplyHeight();
    Text1->clear();
    Text2->setPlainText(QStringLiteral("Text2"));
    StatBarPanel1->clear();
    DownloadBar->setVisible(false);
    BoxesChanged();
}

void FrmDownload::FormUnload() {
    optionsPanelOpen_ = false;
    Timer1->stop();
    Timer2->stop();
    sequence_->CleanUpOnUnload();
}

int FrmDownload::ShowModal() {
    FormLoad();
    return exec();
}

void FrmDownload::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ApplyHeight();
    resize(std::max(width(), sizeHint().width()), height());
    PlaceInsideScreen(*this, parentWidget());
    // Once the window manager has framed the window, its real outer size is known.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) PlaceInsideScreen(*this, parentWidget());
    });
}

void FrmDownload::reject() {
    // Esc or closing during a run stops the run first; the window closes
    // once the run has cleaned up after itself.
    if (sequence_->IsRunning()) {
        closeAfterRun_ = true;
        sequence_->Cancel();
        return;
    }
    FormUnload();
    QDialog::reject();
}

void FrmDownload::closeEvent(QCloseEvent* event) {
    if (sequence_->IsRunning()) {
        event->ignore();
        reject();
        return;
    }
    QDialog::closeEvent(event);
}

bool FrmDownload::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lbl_startoptions && event->type() == QEvent::MouseButtonRelease) {
        lbl_startoptions_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmDownload::Command1_Click() {
    closeAfterRun_ = false;
    sequence_->Run();
}

void FrmDownload::CB_Cancel_Click() {
    sequence_->Cancel();
}

void FrmDownload::Command2_Click() {
    optionsPanelOpen_ = false;
    reject();
}

void FrmDownload::Command3_Click() {
    ChooseScanFolder(boxes_, state_, platform_.ui.BrowseForFolder(state_.Text(74)));
    BoxesChanged();
}

void FrmDownload::Command4_Click() {
    lbl_startoptions_Click();
}

void FrmDownload::lbl_startoptions_Click() {
    Timer2->start();
}

void FrmDownload::Timer1_Timer() {
    sequence_->DelayedStart();
}

void FrmDownload::Timer2_Timer() {
    if (!optionsPanelOpen_) {
        ++slideStep_;
        if (!Frame1->isVisible()) Frame1->setVisible(true);
        if (slideStep_ >= kSlideSteps) {
            slideStep_ = kSlideSteps;
            optionsPanelOpen_ = true;
            Timer2->stop();
        }
    } else {
        --slideStep_;
        if (slideStep_ <= 0) {
            slideStep_ = 0;
            optionsPanelOpen_ = false;
            Frame1->setVisible(false);
            Timer2->stop();
        }
    }
    ApplyHeight();
}

int FrmDownload::ClosedHeight() const {
    const QMargins m = layout()->contentsMargins();
    int height = m.top() + m.bottom();
    int shown = 0;
    for (int i = 0; i < layout()->count(); ++i) {
        QLayoutItem* item = layout()->itemAt(i);
        if (item->widget() == optionsPanel_ || item->isEmpty()) continue;
        height += item->sizeHint().height();
        ++shown;
    }
    return height + std::max(0, shown - 1) * layout()->spacing();
}

int FrmDownload::OpenHeight() const {
    return ClosedHeight() + layout()->spacing() + optionsPanel_->FullHeight();
}

void FrmDownload::ApplyHeight() {
    // The panel shows a share of its content in every step; the window's height
    // follows, so the panel slides into view from under the status history.
    ForgetCachedSizes(*layout());
    optionsPanel_->setVisible(slideStep_ > 0);
    optionsPanel_->SetRevealed(optionsPanel_->FullHeight() * slideStep_ / kSlideSteps);
    const int height = slideStep_ > 0 ? ClosedHeight() + layout()->spacing() + optionsPanel_->Revealed()
                                      : ClosedHeight();
    // Wide enough for the options panel also while it is shut, so the window
    // keeps its width when the panel slides open.
    const QMargins m = layout()->contentsMargins();
    setMinimumWidth(std::max(layout()->totalMinimumSize().width(),
                             optionsPanel_->minimumSizeHint().width() + m.left() + m.right()));
    setFixedHeight(height);
    if (width() < minimumWidth()) resize(minimumWidth(), height);
    // Sliding open must not push the window's bottom off the screen.
    if (isVisible()) KeepInsideScreen(*this);
}

QString FrmDownload::StatusText() const {
    return StatBarPanel1->text();
}

void FrmDownload::ShowStatus(const std::string& text) {
    StatBarPanel1->setText(Ui(text));
}

void FrmDownload::AppendStatusLine(const std::string& line) {
    Text1->appendPlainText(WithoutCarriageReturns(line));
}

void FrmDownload::ClearStatusLog() {
    Text1->clear();
}

void FrmDownload::AppendByteLog(const std::string& text) {
    Text2->moveCursor(QTextCursor::End);
    Text2->insertPlainText(WithoutCarriageReturns(text));
}

void FrmDownload::ShowDownloadProgress(std::optional<int> percent) {
    if (percent) {
        DownloadBar->setRange(0, 100);
        DownloadBar->setValue(std::clamp(*percent, 0, 100));
    } else {
        DownloadBar->setRange(0, 0);  // busy: the size is unknown
    }
    DownloadBar->setVisible(true);
}

void FrmDownload::HideDownloadProgress() {
    DownloadBar->setVisible(false);
}

void FrmDownload::FocusCloseButton() {
    if (Command2->isEnabled()) Command2->setFocus();
}

void FrmDownload::CloseWindow() {
    optionsPanelOpen_ = false;
    FormUnload();
    QDialog::reject();
}

void FrmDownload::StartDelayTimer() {
    Timer1->start();
}

void FrmDownload::StopDelayTimer() {
    Timer1->stop();
}

void FrmDownload::RunningChanged(bool running) {
    CB_Cancel->setEnabled(running);
    if (running || !closeAfterRun_) return;
    closeAfterRun_ = false;
    // Closing after the handler that stopped the run has returned.
    QTimer::singleShot(0, this, [this] {
        if (!sequence_->IsRunning() && isVisible()) reject();
    });
}

}  // namespace korvane
