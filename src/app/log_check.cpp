#include "app/log_check.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QAbstractButton>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

#include "app/mnemonics.h"
#include "core/main_layout.h"
#include "core/more_text.h"
#include "core/relabel_rows.h"
#include "log/result_list_model.h"
#include "scanner/frm_download.h"
#include "scanner/window_placement.h"

namespace korvane {

namespace {

QString Ui(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

LogCheck::LogCheck(AppState& state, Platform& platform, QWidget* parent)
    : QMainWindow(parent), state_(state), platform_(platform) {
    setObjectName(QStringLiteral("LogCheck"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    BuildControls();
    BuildMenus();
    frmDownload_ = new FrmDownload(state_, platform_, this);
    const QIcon icon(QStringLiteral(":/icons/korvane.svg"));
    setWindowIcon(icon);
    frmDownload_->setWindowIcon(icon);
    InstallSubsystems();
}

LogCheck::~LogCheck() = default;

double LogCheck::TwipsPerPixel() const {
    const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    const double dpi = s != nullptr ? s->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int LogCheck::ToPixels(double twips) const { return static_cast<int>(std::lround(twips / TwipsPerPixel())); }
double LogCheck::ToTwips(int pixels) const { return pixels * TwipsPerPixel(); }

void LogCheck::BuildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    model_ = new ResultListModel(this);
    ListView1 = Named(new QTreeView(client), "ListView1");
    ListView1->setModel(model_);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->header()->setVisible(false);
    ListView1->header()->setStretchLastSection(false);

    Check_AlwayShow = Named(new QCheckBox(client), "Check_AlwayShow");
    Check_FileBackup = Named(new QCheckBox(client), "Check_FileBackup");
    Check_DelAllOnReboot = Named(new QCheckBox(client), "Check_DelAllOnReboot");
    Check_Reboot = Named(new QCheckBox(client), "Check_Reboot");
    CB_DelFiles = Named(new QPushButton(client), "CB_DelFiles");
    CB_end = Named(new QPushButton(client), "CB_end");
    Text1 = Named(new QLineEdit(QStringLiteral("*.*"), client), "Text1");
    Text1->setVisible(false);
    Command1 = Named(new QPushButton(QStringLiteral("test"), client), "Command1");
    Command1->setVisible(false);

    // The list fills the top; below it the four check boxes in two columns on
    // the left and the two buttons on the right. The layout's minimum is what
    // every caption needs; the designed 9000 x 3000 twips stay the least.
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListView1, 1);
    auto* bottom = new QHBoxLayout;
    // Margins and gaps are those of the design, a little narrower between the
    // columns: German captions at twice the scale must fit a 1280 pixel screen.
    bottom->setContentsMargins(ToPixels(45), 0, ToPixels(90), ToPixels(100));
    bottom->setSpacing(ToPixels(120));
    layout->addLayout(bottom);
    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(ToPixels(120));
    boxes->setVerticalSpacing(ToPixels(100));
    boxes->addWidget(Check_AlwayShow, 0, 0);
    boxes->addWidget(Check_FileBackup, 0, 1);
    boxes->addWidget(Check_DelAllOnReboot, 1, 0);
    boxes->addWidget(Check_Reboot, 1, 1);
    bottom->addLayout(boxes, 1);
    bottom->setAlignment(boxes, Qt::AlignLeft | Qt::AlignTop);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(ToPixels(50));
    for (QPushButton* button : {CB_DelFiles, CB_end}) buttons->addWidget(button);
    bottom->addLayout(buttons);
    bottom->setAlignment(buttons, Qt::AlignTop);
    // Never in the layout: invisible, where the design put them.
    Text1->setGeometry(ToPixels(3360), ToPixels(4440), ToPixels(975), ToPixels(375));
    Command1->setGeometry(ToPixels(6000), ToPixels(4440), ToPixels(2175), ToPixels(495));

    connect(Check_AlwayShow, &QCheckBox::clicked, this,
            [this] { SetAlwaysOnTop(Check_AlwayShow->checkState() != Qt::Unchecked); });
    connect(CB_end, &QPushButton::clicked, this, &LogCheck::close);
    connect(Command1, &QPushButton::clicked, this, [] {});
}

QAction* LogCheck::AddItem(QMenu* menu, const char* name) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    menu->addAction(action);
    menuItems_.insert(action->objectName(), action);
    return action;
}

void LogCheck::BuildMenus() {
    const auto addMenu = [this](QMenu* parent, const char* name) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QString::fromLatin1(name));
        if (parent != nullptr) parent->addMenu(menu);
        else menuBar()->addMenu(menu);
        menus_.insert(menu->objectName(), menu);
        return menu;
    };
    const auto separator = [this](QMenu* menu, const char* name) {
        QAction* action = menu->addSeparator();
        action->setObjectName(QString::fromLatin1(name));
        menuItems_.insert(action->objectName(), action);
        return action;
    };

    QMenu* file = addMenu(nullptr, "mnuFile");
    AddItem(file, "mnuOpen_Escan");
    AddItem(file, "mnuAnalyzeClipboard");
    separator(file, "mnuline2");
    AddItem(file, "mnuAddFileToDelete");
    AddItem(file, "mnuAddFilemanual");
    separator(file, "mnuline1");
    connect(AddItem(file, "mnuEnd"), &QAction::triggered, this, &LogCheck::close);

    // The list's pop-up menu; never on the menu bar.
    mnurclick = new QMenu(QStringLiteral("RclickMenu"), this);
    mnurclick->setObjectName(QStringLiteral("mnurclick"));
    menus_.insert(mnurclick->objectName(), mnurclick);
    AddItem(mnurclick, "mnuMarkInfected");
    AddItem(mnurclick, "mnuMarkAll");
    AddItem(mnurclick, "mnuUnmarkAll");
    separator(mnurclick, "mnuline3")->setVisible(false);
    AddItem(mnurclick, "mnuCopyToClipBoard")->setVisible(false);
    separator(mnurclick, "mnuline4")->setVisible(false);
    AddItem(mnurclick, "mnuGotoVirList")->setVisible(false);

    QMenu* other = addMenu(nullptr, "mnuSonstiges");
    AddItem(other, "mnuEscanDown");
    separator(other, "mnuLine5");
    AddItem(other, "mnuCleanBackupFolder");
    AddItem(other, "mnuRestoreBackup");
    separator(other, "mnuline6");
    QMenu* language = addMenu(other, "mnulanguage");
    QAction* german = AddItem(language, "mnuGerman");
    QAction* english = AddItem(language, "mnuEnglisch");
    german->setCheckable(true);
    english->setCheckable(true);
    connect(german, &QAction::triggered, this, &LogCheck::mnuGerman_Click);
    connect(english, &QAction::triggered, this, &LogCheck::mnuEnglisch_Click);
}

MainWindowParts LogCheck::Parts() {
    MainWindowParts parts;
    parts.window = this;
    parts.list = ListView1;
    parts.model = model_;
    parts.popupMenu = mnurclick;
    parts.autoSizeColumns = [this] { AutoSizeColumns(); };
    parts.showColumnHeaders = [this] { ListView1->header()->setVisible(true); };
    return parts;
}

void LogCheck::ApplyLanguage() {
    const auto text = [this](int row) { return Ui(state_.Text(row)); };
    static const std::pair<const char*, int> kMenus[] = {
        {"mnuFile", 0}, {"mnuSonstiges", 1}, {"mnulanguage", 28}};
    static const std::pair<const char*, int> kItems[] = {
        {"mnuOpen_Escan", 2},      {"mnuAnalyzeClipboard", 3}, {"mnuAddFileToDelete", 4},
        {"mnuAddFilemanual", 5},   {"mnuEnd", 6},              {"mnuMarkInfected", 7},
        {"mnuMarkAll", 8},         {"mnuUnmarkAll", 9},        {"mnuCopyToClipBoard", 10},
        {"mnuGotoVirList", 11},    {"mnuEscanDown", 12},       {"mnuCleanBackupFolder", 95},
        {"mnuGerman", 26},         {"mnuEnglisch", 27}};
    for (const auto& [name, row] : kMenus) menus_.value(QString::fromLatin1(name))->setTitle(text(row));
    for (const auto& [name, row] : kItems) menuItems_.value(QString::fromLatin1(name))->setText(text(row));
    menuItems_.value(QStringLiteral("mnuRestoreBackup"))->setText(Ui(More(MoreText::RestoreFromBackup, state_.Language)));

    SetCaptions(state_.Language);
    const std::pair<QCheckBox*, int> kTips[] = {
        {Check_AlwayShow, 89}, {Check_FileBackup, 90}, {Check_DelAllOnReboot, 91}, {Check_Reboot, 92}};
    for (const auto& [box, tip] : kTips) box->setToolTip(text(tip));
    AssignMnemonics(*menuBar());
    AssignMnemonics(*mnurclick);
    ApplyMinimumSize();

    BuildColumnHeaders();
    if (state_.LogEvaluated) RelabelRows();
    frmDownload_->ApplyLanguage(*state_.Table, state_.Language);
}

void LogCheck::BuildColumnHeaders() {
    QHeaderView* header = ListView1->header();
    header->setVisible(false);
    model_->SetHeaders({Ui(state_.Text(18)), Ui(state_.Text(19)), Ui(state_.Text(20))});
    const float w = static_cast<float>(ToTwips(ListView1->width()));
    const int widths[] = {11, 60, 25};
    for (int column = 0; column < 3; ++column) {
        ListView1->setColumnWidth(column, ToPixels(static_cast<double>(w / 100.0f * static_cast<float>(widths[column]))));
    }
    if (state_.LogEvaluated) {
        header->setVisible(true);
        AutoSizeColumns();
    }
}

void LogCheck::RelabelRows() {
    std::vector<ResultRow> rows = model_->Rows();
    korvane::RelabelRows(rows, *state_.Table, state_.PreviousLanguage, state_.Language);
    model_->ReplaceRows(std::move(rows));
    AutoSizeColumns();
}

void LogCheck::AutoSizeColumns() {
    for (int column = 0; column < model_->columnCount(); ++column) ListView1->resizeColumnToContents(column);
}

void LogCheck::SetAlwaysOnTop(bool on) {
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    // Changing a window flag hides the window; bring it back where it was.
    if (wasVisible) show();
}

void LogCheck::mnuGerman_Click() {
    state_.PreviousLanguage = state_.Language;
    state_.Language = UiLanguage::German;
    ApplyLanguage();
    MenuItem(QStringLiteral("mnuGerman"))->setChecked(true);
    MenuItem(QStringLiteral("mnuEnglisch"))->setChecked(false);
}

void LogCheck::mnuEnglisch_Click() {
    state_.PreviousLanguage = state_.Language;
    state_.Language = UiLanguage::English;
    ApplyLanguage();
    MenuItem(QStringLiteral("mnuGerman"))->setChecked(false);
    MenuItem(QStringLiteral("mnuEnglisch"))->setChecked(true);
}

void LogCheck::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void LogCheck::FormResize() {
    if (isMinimized()) return;
    // The designed column shares of the width; an evaluated list then fits
    // every column to its content instead.
    MainLayoutInput in;
    in.outerWidth = std::max(ToTwips(frameGeometry().width()), kMinWindowWidthTwips);
    in.outerHeight = std::max(ToTwips(frameGeometry().height()), kMinWindowHeightTwips);
    const MainLayoutResult r = ComputeMainLayout(in);
    ListView1->setColumnWidth(0, ToPixels(r.statusColumnWidth));
    ListView1->setColumnWidth(1, ToPixels(r.fileColumnWidth));
    if (state_.LogEvaluated) AutoSizeColumns();
}

void LogCheck::SetCaptions(UiLanguage language) {
    const auto text = [this, language](int row) { return Ui(state_.Table->Get(row, language)); };
    const std::pair<QAbstractButton*, int> kCaptions[] = {{Check_AlwayShow, 13}, {Check_FileBackup, 14},
                                                          {Check_DelAllOnReboot, 15}, {Check_Reboot, 16},
                                                          {CB_DelFiles, 17},     {CB_end, 6}};
    for (const auto& [control, row] : kCaptions) control->setText(text(row));
}

void LogCheck::ApplyMinimumSize() {
    // What the captions need in either language, so a language switch never
    // finds the window too small. The designed minimum counts border and
    // title bar; the client area alone is held to it, so the outer window is
    // never smaller.
    QSize least(ToPixels(kMinWindowWidthTwips), ToPixels(kMinWindowHeightTwips));
    for (const UiLanguage language : {UiLanguage::German, UiLanguage::English}) {
        SetCaptions(language);
        ForgetCachedSizes(*centralWidget()->layout());
        ForgetCachedSizes(*layout());
        least = least.expandedTo(layout()->totalMinimumSize());
    }
    SetCaptions(state_.Language);
    setMinimumSize(least);
    if (width() < least.width() || height() < least.height()) resize(size().expandedTo(least));
}

void LogCheck::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (placed_) return;
    placed_ = true;
    // The designed client area of 10860 x 5850 twips below the menu bar, as
    // far as the screen allows, centred on it.
    ApplyMinimumSize();
    resize(QSize(ToPixels(10860), ToPixels(5850) + menuBar()->sizeHint().height()).expandedTo(minimumSize()));
    PlaceInsideScreen(*this);
    // Once the window manager has framed the window, its outer size is known.
    QTimer::singleShot(0, this, [this] { PlaceInsideScreen(*this); });
}

void LogCheck::closeEvent(QCloseEvent* event) {
    // Ending the program always runs the scanner window's clean-up, even when
    // that window was never shown.
    frmDownload_->FormUnload();
    frmDownload_->close();
    event->accept();
    QApplication::quit();
}

}  // namespace korvane
