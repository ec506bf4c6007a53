#include "app/log_check.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

#include "core/main_layout.h"
#include "core/more_text.h"
#include "core/relabel_rows.h"
#include "log/result_list_model.h"
#include "scanner/frm_download.h"

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

    const MainLayoutInput design;
    const auto place = [this](QWidget* w, const TwipRect& r) {
        w->setGeometry(ToPixels(r.left), ToPixels(r.top), ToPixels(r.width), ToPixels(r.height));
    };
    place(ListView1, design.list);
    place(Check_AlwayShow, design.alwaysShow);
    place(Check_FileBackup, design.fileBackup);
    place(Check_DelAllOnReboot, design.delAllOnReboot);
    place(Check_Reboot, design.reboot);
    place(CB_DelFiles, design.delFiles);
    place(CB_end, design.end);
    place(Text1, {3360, 4440, 975, 375});
    place(Command1, {6000, 4440, 2175, 495});
    // Check boxes of 215 twips are too low for a text in most styles.
    for (QCheckBox* box : {Check_AlwayShow, Check_FileBackup, Check_DelAllOnReboot, Check_Reboot}) {
        box->resize(box->width(), std::max(box->height(), box->sizeHint().height()));
    }

    connect(Check_AlwayShow, &QCheckBox::clicked, this,
            [this] { SetAlwaysOnTop(Check_AlwayShow->checkState() != Qt::Unchecked); });
    connect(CB_end, &QPushButton::clicked, this, &LogCheck::close);
    connect(Command1, &QPushButton::clicked, this, [] {});

    resize(ToPixels(10860), ToPixels(5850) + menuBar()->sizeHint().height());
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

    const std::tuple<QCheckBox*, int, int> kBoxes[] = {{Check_AlwayShow, 13, 89},
                                                       {Check_FileBackup, 14, 90},
                                                       {Check_DelAllOnReboot, 15, 91},
                                                       {Check_Reboot, 16, 92}};
    for (const auto& [box, caption, tip] : kBoxes) {
        box->setText(text(caption));
        box->setToolTip(text(tip));
        // The designed widths fit the captions in the original small font;
        // never cut a caption off in a wider one.
        box->resize(std::max(box->width(), box->sizeHint().width()), box->height());
    }
    CB_DelFiles->setText(text(17));
    CB_end->setText(text(6));
    FormResize();

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
    MainLayoutInput in;
    const QSize outer = frameGeometry().size();
    in.outerWidth = ToTwips(outer.width());
    in.outerHeight = ToTwips(outer.height());
    in.alwaysShow.left = ToTwips(Check_AlwayShow->x());
    in.alwaysShow.width = ToTwips(Check_AlwayShow->width());
    in.alwaysShow.height = ToTwips(Check_AlwayShow->height());
    in.delAllOnReboot.left = ToTwips(Check_DelAllOnReboot->x());
    in.delFiles.width = ToTwips(CB_DelFiles->width());
    in.delFiles.height = ToTwips(CB_DelFiles->height());
    const MainLayoutResult r = ComputeMainLayout(in);
    if (r.snapBack) {
        const QSize frameExtra = outer - size();
        resize(ToPixels(r.snapWidth) - frameExtra.width(), ToPixels(r.snapHeight) - frameExtra.height());
    } else {
        // The designed heights leave room for the menu bar inside the outer height.
        ListView1->setGeometry(0, 0, ToPixels(r.list.width), ToPixels(r.list.height));
        ListView1->setColumnWidth(0, ToPixels(r.statusColumnWidth));
        ListView1->setColumnWidth(1, ToPixels(r.fileColumnWidth));
        Check_AlwayShow->move(Check_AlwayShow->x(), ToPixels(r.alwaysShow.top));
        Check_FileBackup->move(ToPixels(r.fileBackup.left), ToPixels(r.fileBackup.top));
        Check_DelAllOnReboot->move(Check_DelAllOnReboot->x(), ToPixels(r.delAllOnReboot.top));
        Check_Reboot->move(ToPixels(r.reboot.left), ToPixels(r.reboot.top));
        CB_DelFiles->move(ToPixels(r.delFiles.left), ToPixels(r.delFiles.top));
        CB_end->move(ToPixels(r.end.left), ToPixels(r.end.top));
    }
    if (state_.LogEvaluated) AutoSizeColumns();
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
