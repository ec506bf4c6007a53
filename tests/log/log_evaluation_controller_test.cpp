#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <QUrl>
#include <filesystem>
#include <random>

#include "core/whole_file.h"
#include "log/local_path_bytes.h"
#include "log/log_evaluation_controller.h"
#include "log/result_list_model.h"
#include "log/result_list_order.h"
#include "platform/posix/posix_files_shell.h"
#include "support/disk_full.h"
#include "support/fake_security_system.h"
#include "support/scripted_ui_services.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// The real file operations (tests use only a temporary folder); the browser
// launch is recorded instead.
class RecordingFilesShell : public PosixFilesShell {
public:
    bool OpenUrlInBrowser(const std::string& address) override {
        opened.push_back(address);
        return browserStarts;
    }
    std::vector<std::string> opened;
    bool browserStarts = true;
};

const char* kLog =
    "Scanning file C:\\WINDOWS\\evil.exe infected by \"Trojan.Evil.a\"\r\n"
    "Scanning file C:\\Tools\\bar.dll tagged as not-a-virus: AdWare.Bar.b (skipped)\r\n"
    "Scanning file C:\\a.zip infected by \"Packed.Y\"\r\n"
    "Total Objects: 3\r\n";

class LogEvaluation : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("korvane-log-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_ / "program");
        state_.AppTitle = "Korvane";
        state_.Language = UiLanguage::English;
        state_.ResetLists();
        state_.ProgramFolder = (dir_ / "program").string() + "/";
        state_.DriveRoot = dir_.string() + "/";

        window_.resize(900, 500);
        list_ = new QTreeView(&window_);
        window_.setCentralWidget(list_);
        model_ = new ResultListModel(&window_);
        list_->setModel(model_);
        list_->header()->setVisible(false);
        popup_ = new QMenu(&window_);
        for (const char* name : {"mnuMarkInfected", "mnuMarkAll", "mnuUnmarkAll"}) AddItem(name);
        AddItem("mnuline3")->setVisible(false);
        AddItem("mnuCopyToClipBoard")->setVisible(false);
        AddItem("mnuline4")->setVisible(false);
        AddItem("mnuGotoVirList")->setVisible(false);

        MainWindowParts parts;
        parts.window = &window_;
        parts.list = list_;
        parts.model = model_;
        parts.popupMenu = popup_;
        parts.autoSizeColumns = [] {};
        parts.showColumnHeaders = [this] { list_->header()->setVisible(true); };
        controller_ = new LogEvaluationController(state_, platform_, parts, &window_);
        controller_->showPopup = [this](QMenu&, const QPoint&) { ++popups_; };
        controller_->openWithDesktop = [this](const std::string& address) {
            desktopOpened_.push_back(address);
            return true;
        };
    }
    void TearDown() override { fs::remove_all(dir_); }

    QAction* AddItem(const char* name) {
        auto* action = new QAction(QString::fromLatin1(name), popup_);
        action->setObjectName(QString::fromLatin1(name));
        popup_->addAction(action);
        return action;
    }
    bool Visible(const char* name) {
        return popup_->findChild<QAction*>(QString::fromLatin1(name))->isVisible();
    }
    std::string WriteLog(const char* name, const std::string& text) {
        const std::string path = (dir_ / name).string();
        EXPECT_FALSE(WriteWholeFile(path, text));
        return path;
    }
    std::vector<std::string> DisplayedPaths() {
        std::vector<std::string> paths;
        for (int row : RowsInDisplayOrder(*list_)) paths.push_back(model_->Row(row).Path);
        return paths;
    }
    std::string ReportFile() { return ReadWholeFile(state_.ProgramFolder + "escan_Result.txt"); }
    // The centre of a cell as the list shows it, in viewport pixels.
    QPoint CellCentre(int modelRow, int column) {
        const auto* shown = list_->model();
        for (int r = 0; r < shown->rowCount(); ++r) {
            const std::vector<int> order = RowsInDisplayOrder(*list_);
            if (order[static_cast<std::size_t>(r)] == modelRow)
                return list_->visualRect(shown->index(r, column)).center();
        }
        ADD_FAILURE() << "row not shown";
        return {};
    }

    fs::path dir_;
    AppState state_;
    testing::FakeSecuritySystem system_;
    RecordingFilesShell files_;
    testing::ScriptedUiServices ui_;
    Platform platform_{system_, files_, ui_};
    QMainWindow window_;
    QTreeView* list_ = nullptr;
    ResultListModel* model_ = nullptr;
    QMenu* popup_ = nullptr;
    LogEvaluationController* controller_ = nullptr;
    int popups_ = 0;
    std::vector<std::string> desktopOpened_;
};

TEST_F(LogEvaluation, OpenedFileFillsTheListCaptionAndReport) {
    fs::create_directories(dir_ / "bases_x");
    const std::string path = WriteLog("mwav.log", kLog);
    ui_.openFileAnswers.push_back(path);
    controller_->mnuOpen_Escan_Click();

    ASSERT_EQ(ui_.openFileRequests.size(), 1u);
    const OpenFileRequest& request = ui_.openFileRequests[0];
    EXPECT_EQ(request.title, "Open eScan-log...");
    EXPECT_EQ(request.initialFolder, state_.DriveRoot + "bases_x");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].pattern, "mwav.log");
    EXPECT_EQ(request.filters[1].description, "all files");
    EXPECT_EQ(request.filters[1].pattern, kAllFilesPattern);
    EXPECT_EQ(state_.DialogFolder, dir_.string() + "/");

    EXPECT_EQ(window_.windowTitle(), QString::fromStdString("Korvane ---> " + path));
    ASSERT_EQ(model_->rowCount(), 3);
    EXPECT_EQ(model_->Row(1),
              (ResultRow{"Line2", "added", "C:\\Tools\\bar.dll", "tagged:AdWare.Bar.b", false}));
    EXPECT_FALSE(list_->header()->isHidden());
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_NE(ui_.clipboard.find("3: C:\\a.zip => Packed.Y\r\n"), std::string::npos);
    EXPECT_EQ(ReportFile(), ui_.clipboard);
}

// A file and the clipboard give the same rows and the same CR LF report, with
// any line ends; a tagged name that ends its line stays tagged.
TEST_F(LogEvaluation, AnyLineEndsFromFileAndClipboardGiveTheSameRowsAndReport) {
    const std::string crlf =
        "Scanning file C:\\WINDOWS\\evil.exe infected by \"Trojan.Evil.a\"\r\n"
        "Scanning file C:\\Tools\\bar.dll tagged as not-a-virus: AdWare.Bar.b\r\n"
        "Scanning file C:\\a.zip infected by \"Packed.Y\"\r\n"
        "Total Objects: 3\r\n";
    const std::vector<ResultRow> expected = {
        {"Line1", "added", "C:\\WINDOWS\\evil.exe", "Trojan.Evil.a", false},
        {"Line2", "added", "C:\\Tools\\bar.dll", "tagged:AdWare.Bar.b", false},
        {"Line3", "added", "C:\\a.zip", "Packed.Y", false}};
    std::string lfOnly = crlf;
    for (std::size_t at = 0; (at = lfOnly.find("\r\n", at)) != std::string::npos;) lfOnly.erase(at, 1);
    std::string mixed = crlf;
    mixed.erase(mixed.find("\r\n"), 1);

    ui_.openFileAnswers.push_back(WriteLog("crlf.log", crlf));
    controller_->mnuOpen_Escan_Click();
    const std::string reference = ui_.clipboard;
    ASSERT_NE(reference.find("2: C:\\Tools\\bar.dll => tagged:AdWare.Bar.b\r\n"), std::string::npos);

    for (const std::string& text : {lfOnly, mixed}) {
        for (const bool fromClipboard : {false, true}) {
            ui_.clipboard = text;
            if (fromClipboard) {
                controller_->mnuAnalyzeClipboard_Click();
            } else {
                ui_.openFileAnswers.push_back(WriteLog("other.log", text));
                controller_->mnuOpen_Escan_Click();
            }
            ASSERT_EQ(model_->rowCount(), 3) << (fromClipboard ? "clipboard" : "file");
            for (int row = 0; row < 3; ++row)
                EXPECT_EQ(model_->Row(row), expected[static_cast<std::size_t>(row)]);
            EXPECT_EQ(ui_.clipboard, reference);
            EXPECT_EQ(ReportFile(), reference);
        }
    }
}

// A large log is read in a worker: the handler returns at once with a
// progress dialog, and the rows, the caption and the report come out as the
// window's own reading gives them.
TEST_F(LogEvaluation, LargeLogLoadsInAWorkerWithProgress) {
    std::string log;
    for (int i = 0; i < 3000; ++i) {
        log += "Scanning file C:\\dir\\f" + std::to_string(i) + ".exe OK\r\n";
        if (i % 10 == 0) log += "Scanning file C:\\dir\\v" + std::to_string(i) + ".exe infected by \"V\"\n";
    }
    log += "Total Objects: 3300\r\n";
    const std::string path = WriteLog("large.log", log);
    ui_.openFileAnswers.push_back(path);
    controller_->mnuOpen_Escan_Click();
    const std::string inWindow = ui_.clipboard;
    const std::vector<ResultRow> rows = model_->Rows();
    ASSERT_EQ(rows.size(), 300u);

    controller_->workerFromBytes = 0;
    ui_.clipboard.clear();
    QSignalSpy loaded(controller_, &LogEvaluationController::logLoaded);
    ui_.openFileAnswers.push_back(path);
    controller_->mnuOpen_Escan_Click();
    EXPECT_TRUE(controller_->Loading());
    EXPECT_NE(window_.findChild<QProgressDialog*>(QStringLiteral("logProgress")), nullptr);
    ASSERT_TRUE(loaded.count() > 0 || loaded.wait(30000));
    EXPECT_FALSE(controller_->Loading());
    EXPECT_EQ(model_->Rows(), rows);
    EXPECT_EQ(ui_.clipboard, inWindow);
    EXPECT_EQ(ReportFile(), inWindow);
    EXPECT_EQ(window_.windowTitle(), QString::fromStdString("Korvane ---> " + path));
    EXPECT_EQ(state_.LogText, log);
    EXPECT_TRUE(ui_.messages.empty());
}

// A device that never ends is read in the worker too, and stops with an error
// instead of filling the memory; the list stays as it was.
TEST_F(LogEvaluation, EndlessDeviceIsNoLog) {
    if (!fs::exists("/dev/zero")) GTEST_SKIP() << "no /dev/zero on this system";
    QSignalSpy loaded(controller_, &LogEvaluationController::logLoaded);
    ui_.openFileAnswers.push_back("/dev/zero");
    controller_->mnuOpen_Escan_Click();
    ASSERT_TRUE(loaded.count() > 0 || loaded.wait(60000));
    EXPECT_EQ(window_.windowTitle(), QStringLiteral("Korvane ---> no file-informations available"));
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, "No line end within 64 MiB: this is not a scanner log.");
    EXPECT_EQ(model_->rowCount(), 0);
    EXPECT_TRUE(state_.LogText.empty());
}

TEST_F(LogEvaluation, DialogStartsInTheCurrentFolderWithoutScannerFolder) {
    ui_.openFileAnswers.push_back("");
    controller_->mnuOpen_Escan_Click();
    ASSERT_EQ(ui_.openFileRequests.size(), 1u);
    EXPECT_EQ(ui_.openFileRequests[0].initialFolder, fs::current_path().string());
    EXPECT_EQ(model_->rowCount(), 0);
    EXPECT_EQ(window_.windowTitle(), QString());
}

TEST_F(LogEvaluation, FileWithoutFileWordOnlyChangesTheCaption) {
    controller_->OpenLogFile(WriteLog("first.log", kLog));
    ui_.clipboard.clear();
    controller_->OpenLogFile(WriteLog("other.txt", "nothing to see\r\n"));
    EXPECT_EQ(window_.windowTitle(), QStringLiteral("Korvane ---> no file-informations available"));
    EXPECT_EQ(state_.LogText, kLog);
    EXPECT_EQ(model_->rowCount(), 3);
    EXPECT_EQ(ui_.clipboard, "");
    // An unreadable file counts as empty text.
    controller_->OpenLogFile((dir_ / "missing.log").string());
    EXPECT_EQ(window_.windowTitle(), QStringLiteral("Korvane ---> no file-informations available"));
}

TEST_F(LogEvaluation, ClipboardNeedsMoreThanFourCharactersAndTheWordFile) {
    ui_.clipboard = "file";
    controller_->mnuAnalyzeClipboard_Click();
    EXPECT_FALSE(state_.LogEvaluated);
    EXPECT_TRUE(ui_.messages.empty());

    ui_.clipboard = "file ";
    controller_->mnuAnalyzeClipboard_Click();
    EXPECT_TRUE(state_.LogEvaluated);
    EXPECT_EQ(state_.LogText, "file ");
    // Nothing found: the message, then the (empty) report on the clipboard.
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, "No files found to delete");
    EXPECT_EQ(ui_.messages[0].title, "Korvane");
    EXPECT_EQ(ui_.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(ui_.clipboard, "");
    EXPECT_FALSE(fs::exists(state_.ProgramFolder + "escan_Result.txt"));
}

TEST_F(LogEvaluation, ReportFileOnlyWithTheDigitOne) {
    ui_.clipboard = "file C:\\x.exe OK\r\nTotal Objects: 20\r\n";
    controller_->mnuAnalyzeClipboard_Click();
    EXPECT_NE(ui_.clipboard, "");
    EXPECT_FALSE(fs::exists(state_.ProgramFolder + "escan_Result.txt"));
    ui_.clipboard = "file C:\\x.exe OK\r\nTotal Objects: 21\r\n";
    controller_->mnuAnalyzeClipboard_Click();
    EXPECT_EQ(ReportFile(), ui_.clipboard);
}

TEST_F(LogEvaluation, MarkInfectedLeavesTaggedRowsAlone) {
    controller_->OpenLogFile(WriteLog("mwav.log", kLog));
    model_->SetChecked(1, true);  // the tagged row, already checked
    controller_->mnuMarkInfected_Click();
    EXPECT_TRUE(model_->Row(0).Checked);
    EXPECT_TRUE(model_->Row(1).Checked);
    EXPECT_TRUE(model_->Row(2).Checked);

    controller_->mnuUnmarkAll_Click();
    controller_->mnuMarkInfected_Click();
    EXPECT_TRUE(model_->Row(0).Checked);
    EXPECT_FALSE(model_->Row(1).Checked);
    EXPECT_TRUE(model_->Row(2).Checked);

    controller_->mnuMarkAll_Click();
    for (const ResultRow& row : model_->Rows()) EXPECT_TRUE(row.Checked);
}

TEST_F(LogEvaluation, HeaderClicksFlipTheOrderUntilTheNextEvaluation) {
    controller_->OpenLogFile(WriteLog("mwav.log", kLog));
    controller_->ListView1_ColumnClick(1);  // descending by path
    EXPECT_EQ(DisplayedPaths(),
              (std::vector<std::string>{"C:\\WINDOWS\\evil.exe", "C:\\Tools\\bar.dll", "C:\\a.zip"}));
    controller_->ListView1_ColumnClick(2);  // ascending by name, case ignored
    EXPECT_EQ(DisplayedPaths(),
              (std::vector<std::string>{"C:\\a.zip", "C:\\Tools\\bar.dll", "C:\\WINDOWS\\evil.exe"}));
    EXPECT_EQ(list_->currentIndex().row(), 0);

    // Added while sorted: lands at its sorted place, filled with its own texts.
    ui_.inputAnswers.push_back("C:\\zzz.exe");
    controller_->mnuAddFilemanual_Click();
    EXPECT_EQ(DisplayedPaths(), (std::vector<std::string>{"C:\\zzz.exe", "C:\\a.zip", "C:\\Tools\\bar.dll",
                                                          "C:\\WINDOWS\\evil.exe"}));
    EXPECT_EQ(model_->Row(3), (ResultRow{"Line4", "added", "C:\\zzz.exe", "Added from User", false}));

    // The next evaluation starts from an empty list in log order.
    controller_->OpenLogFile(WriteLog("mwav.log", kLog));
    EXPECT_FALSE(controller_->IsSorted());
    EXPECT_EQ(DisplayedPaths(),
              (std::vector<std::string>{"C:\\WINDOWS\\evil.exe", "C:\\Tools\\bar.dll", "C:\\a.zip"}));
}

TEST_F(LogEvaluation, RightClicksRememberTheCellAndSetThePopupItems) {
    window_.show();
    // With no entries the copy item stays hidden; the marking items remain.
    controller_->ListView1_MouseUp(Qt::RightButton, {5, 5}, {});
    EXPECT_EQ(popups_, 1);
    EXPECT_FALSE(Visible("mnuCopyToClipBoard"));
    EXPECT_FALSE(Visible("mnuline3"));
    EXPECT_TRUE(Visible("mnuMarkAll"));

    controller_->OpenLogFile(WriteLog("mwav.log", kLog));
    list_->resizeColumnToContents(1);
    controller_->ListView1_ColumnClick(0);  // display order no longer model order
    controller_->ListView1_MouseUp(Qt::RightButton, CellCentre(2, 2), {});
    EXPECT_EQ(state_.ClickedSubItemIndex, 2);
    EXPECT_EQ(state_.ClickedSubItemText, "Packed.Y");
    EXPECT_TRUE(Visible("mnuGotoVirList"));
    EXPECT_TRUE(Visible("mnuline4"));
    EXPECT_TRUE(Visible("mnuCopyToClipBoard"));

    // A status cell is a row hit: the name cell clicked before still counts.
    controller_->ListView1_MouseUp(Qt::RightButton, CellCentre(1, 0), {});
    EXPECT_EQ(state_.ClickedItemIndex, 2);
    EXPECT_EQ(state_.ClickedSubItemText, "Packed.Y");
    EXPECT_TRUE(Visible("mnuGotoVirList"));

    controller_->ListView1_MouseUp(Qt::LeftButton, CellCentre(0, 1), {});
    EXPECT_EQ(state_.ClickedSubItemIndex, 1);
    EXPECT_EQ(state_.ClickedSubItemText, "C:\\WINDOWS\\evil.exe");
    controller_->ListView1_MouseUp(Qt::RightButton, CellCentre(0, 1), {});
    EXPECT_FALSE(Visible("mnuGotoVirList"));
    EXPECT_FALSE(Visible("mnuline4"));
    EXPECT_EQ(popups_, 4);
}

TEST_F(LogEvaluation, OnlineDescriptionOfTheRememberedName) {
    state_.ClickedSubItemIndex = 1;
    state_.ClickedSubItemText = "Worm";
    controller_->mnuGotoVirList_Click();
    EXPECT_TRUE(files_.opened.empty());

    qputenv("KORVANE_VIRUS_INFO_URL", "http://info.test/find?words=%s&lang=en");
    state_.ClickedSubItemIndex = 2;
    state_.ClickedSubItemText = "tagged:AdWare Bar&x=\xe4.";
    controller_->mnuGotoVirList_Click();
    const std::vector<std::string> expected = {"http://info.test/find?words=AdWare%20Bar%26x%3D%C3%A4&lang=en"};
    EXPECT_EQ(files_.opened, expected);
    EXPECT_TRUE(desktopOpened_.empty());

    files_.browserStarts = false;
    controller_->mnuGotoVirList_Click();
    EXPECT_EQ(desktopOpened_, expected);
    qunsetenv("KORVANE_VIRUS_INFO_URL");
}

// Without the variable the settings file names the address, and without
// both a web search for the quoted name.
TEST_F(LogEvaluation, OnlineDescriptionAddressFromTheSettingsFile) {
    QTemporaryDir settingsFolder;
    const QString file = settingsFolder.filePath(QStringLiteral("korvane.ini"));
    qputenv("KORVANE_SETTINGS", file.toLocal8Bit());
    qunsetenv("KORVANE_VIRUS_INFO_URL");
    state_.ClickedSubItemIndex = 2;
    state_.ClickedSubItemText = "Worm X";
    controller_->mnuGotoVirList_Click();
    {
        // The same file the scanner's limits are read from.
        QSettings settings(file, QSettings::IniFormat);
        settings.setValue(QStringLiteral("VirusInfoUrl"), QStringLiteral("https://lookup.test/?n=%s"));
    }
    controller_->mnuGotoVirList_Click();
    qunsetenv("KORVANE_SETTINGS");
    EXPECT_EQ(files_.opened,
              (std::vector<std::string>{"https://duckduckgo.com/?q=%22Worm%20X%22", "https://lookup.test/?n=Worm%20X"}));
}

TEST_F(LogEvaluation, TypedPathsAreTakenAsTyped) {
    ui_.inputAnswers = {"  C:\\a b.exe ", "  C:\\a b.exe ", ""};
    controller_->mnuAddFilemanual_Click();
    controller_->mnuAddFilemanual_Click();
    controller_->mnuAddFilemanual_Click();
    ASSERT_EQ(ui_.inputPrompts.size(), 3u);
    EXPECT_EQ(
        ui_.inputPrompts[0],
        "Please input the full path to the file or the folder.\r\n\r\nWARNING !!!\r\nIf you add a folder to "
        "delete, all subfolders and all files therein will be deleted, without a chance to restore it.\r\n");
    EXPECT_EQ(ui_.inputTitles[0], " Delete File / Folder...");
    ASSERT_EQ(state_.EntryCount(), 2u);
    EXPECT_EQ(state_.LogEntries[2], (LogEntry{"  C:\\a b.exe ", "Added from User"}));
    EXPECT_EQ(model_->rowCount(), 2);
    EXPECT_FALSE(state_.LogEvaluated);
    EXPECT_TRUE(list_->header()->isHidden());
}

TEST_F(LogEvaluation, ChosenAndDroppedFiles) {
    const std::string chosen = WriteLog("chosen.exe", "x");
    ui_.openFileAnswers.push_back(chosen);
    controller_->mnuAddFileToDelete_Click();
    ASSERT_EQ(ui_.openFileRequests.size(), 1u);
    EXPECT_EQ(ui_.openFileRequests[0].title, "Choose file to delete");
    ASSERT_EQ(ui_.openFileRequests[0].filters.size(), 1u);
    EXPECT_EQ(ui_.openFileRequests[0].filters[0].description, "All files");
    EXPECT_EQ(ui_.openFileRequests[0].filters[0].pattern, kAllFilesPattern);

    const std::string dropped = WriteLog("dropped.exe", "x");
    controller_->ListView1_OLEDragDrop({dropped, chosen, chosen});
    controller_->ListView1_OLEDragDrop({dir_.string()});  // an existing folder
    controller_->ListView1_OLEDragDrop({});
    controller_->ListView1_OLEDragDrop({(dir_ / "gone.exe").string()});
    ASSERT_EQ(state_.EntryCount(), 3u);
    EXPECT_EQ(state_.LogEntries[1].FilePath, chosen);
    EXPECT_EQ(state_.LogEntries[2].FilePath, dropped);
    EXPECT_EQ(state_.LogEntries[3].FilePath, dir_.string());
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, "No file or file not found.");
    EXPECT_EQ(ui_.messages[0].title, "Korvane - error");
    EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Information);
}

TEST_F(LogEvaluation, EventsOfTheListReachTheHandlers) {
    window_.show();
    controller_->OpenLogFile(WriteLog("mwav.log", kLog));
    list_->resizeColumnToContents(1);
    QTest::mouseClick(list_->viewport(), Qt::RightButton, {}, CellCentre(0, 2));
    EXPECT_EQ(popups_, 1);
    EXPECT_EQ(state_.ClickedSubItemText, "Trojan.Evil.a");

    const std::string dropped = WriteLog("dropped.exe", "x");
    QMimeData mime;
    mime.setUrls(
        {QUrl::fromLocalFile(QString::fromStdString(dropped)), QUrl::fromLocalFile(QStringLiteral("/x"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list_->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list_->viewport(), &drop);
    ASSERT_EQ(state_.EntryCount(), 4u);
    EXPECT_EQ(state_.LogEntries[4], (LogEntry{dropped, "Added from User"}));
}

// A dropped file whose name is no UTF-8 keeps its bytes: the row names that
// file, not the neighbour whose name its decoded text would spell.
TEST_F(LogEvaluation, DroppedFileKeepsTheBytesOfItsName) {
    window_.show();
    controller_->OpenLogFile(WriteLog("mwav.log", kLog));
    const std::string odd = WriteLog("bad\xff.exe", "x");
    WriteLog("bad\xef\xbf\xbd.exe", "neighbour");
    const std::size_t before = state_.EntryCount();
    QMimeData mime;
    const std::string folder = odd.substr(0, odd.rfind('/'));
    mime.setUrls(
        {QUrl::fromEncoded(QByteArray("file://") +
                           QUrl::toPercentEncoding(QString::fromStdString(folder), "/") + "/bad%FF.exe")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list_->viewport(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list_->viewport(), &drop);
    ASSERT_EQ(state_.EntryCount(), before + 1);
    EXPECT_EQ(state_.LogEntries.back().FilePath, odd);

    // A dialog's answer whose bytes Qt could not keep is never a plain path.
    EXPECT_EQ(PathBytesOf(QStringLiteral("/tmp/ok.exe")), "/tmp/ok.exe");
    EXPECT_NE(PathBytesOf(QString::fromUtf8("/tmp/bad\xef\xbf\xbd.exe")).find('\0'), std::string::npos);
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

// The disk fills up while the report of a longer log is written: the older
// escan_Result.txt stays whole, and the clipboard still gets the new report.
TEST_F(LogEvaluation, ReportThatDoesNotFitOnTheDiskKeepsTheOlderFile) {
    controller_->OpenLogFile(WriteLog("mwav.log", kLog));
    const std::string older = ReportFile();
    ASSERT_FALSE(older.empty());
    std::string longer = kLog;
    for (int i = 0; i < 2000; ++i) {
        longer += "Scanning file C:\\many\\f" + std::to_string(i) + ".exe infected by \"Worm\"\r\n";
    }
    const std::string longerLog = WriteLog("longer.log", longer);
    {
        testing::DiskFullAfter full(older.size() + 512);
        ASSERT_TRUE(full.Active());
        controller_->OpenLogFile(longerLog);
    }
    EXPECT_EQ(model_->rowCount(), 2003);
    EXPECT_NE(ui_.clipboard.find("2003: C:\\many\\f1999.exe => Worm\r\n"), std::string::npos);
    EXPECT_EQ(ReportFile(), older);
    EXPECT_EQ(std::distance(fs::directory_iterator(state_.ProgramFolder), fs::directory_iterator{}), 1);
}

}  // namespace
}  // namespace korvane
