#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTreeView>
#include <QCheckBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "app/application.h"
#include "app/log_check.h"
#include "core/log_evaluation.h"
#include "core/whole_file.h"
#include "log/log_evaluation_controller.h"
#include "log/result_list_model.h"
#include "support/fake_security_system.h"
#include "support/scripted_ui_services.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// The delete button and the backup menu command of the real main window.
TEST(DeletionWiring, DeleteButtonAndBackupCleaningOfTheMainWindow) {
    QTemporaryDir temp;
    const std::string root = temp.path().toLocal8Bit().toStdString();
    fs::create_directories(root + "/prog");
    ASSERT_FALSE(WriteWholeFile(root + "/tool.exe", "infected"));
    ASSERT_FALSE(WriteWholeFile(root + "/keep.exe", "fine"));

    auto system = std::make_unique<testing::FakeSecuritySystem>();
    system->localeName = "English";
    system->programFolder = root + "/prog/";
    system->homeFolder = root + "/home";
    Application app(std::move(system), nullptr, std::make_unique<testing::ScriptedUiServices>());
    LogCheck& window = app.Start();
    AppState& state = app.State();
    for (const char* name : {"/tool.exe", "/keep.exe"}) {
        const std::size_t index = AppendEntryByHand(state, root + name);
        window.Model().AppendRow(RowForEntry(state, index));
    }
    window.Model().SetChecked(0, true);
    window.Check_FileBackup->setChecked(true);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // Columns narrower than the statuses the run writes.
    window.ListView1->setColumnWidth(0, 10);

    QTest::mouseClick(window.CB_DelFiles, Qt::LeftButton);
    EXPECT_EQ(window.Model().Row(0).Status, "deleted");
    EXPECT_EQ(window.Model().Row(1).Status, "added");
    EXPECT_FALSE(fs::exists(root + "/tool.exe"));
    EXPECT_TRUE(fs::exists(root + "/keep.exe"));
    EXPECT_EQ(ReadWholeFile(root + "/prog/KRBackup/tool.exe.bkp"), "infected");
    EXPECT_TRUE(window.CB_DelFiles->isEnabled());
    EXPECT_GT(window.ListView1->columnWidth(0),
              window.ListView1->fontMetrics().horizontalAdvance(QStringLiteral("deleted")));
    // The next Enter must not end the program.
    EXPECT_NE(QApplication::focusWidget(), window.CB_end);
    EXPECT_EQ(QApplication::focusWidget(), window.ListView1);

    window.MenuItem(QStringLiteral("mnuCleanBackupFolder"))->trigger();
    EXPECT_FALSE(fs::exists(root + "/prog/KRBackup/tool.exe.bkp"));
    EXPECT_TRUE(fs::exists(root + "/prog/KRBackup"));
}

// A log the scanner wrote under Wine: the list shows its drive paths, the
// delete button removes the files they stand for, and a path that maps
// nowhere fails with the reason in the closing message.
TEST(DeletionWiring, WineLogRowsDeleteTheMappedFiles) {
    QTemporaryDir temp;
    const std::string root = temp.path().toLocal8Bit().toStdString();
    fs::create_directories(root + "/prog");
    fs::create_directories(root + "/wine/dosdevices");
    fs::create_symlink("/", root + "/wine/dosdevices/z:");
    ASSERT_FALSE(WriteWholeFile(root + "/tool.exe", "infected"));
    std::string onZ = "Z:" + root + "/Tool.EXE";  // Wine finds names ignoring case
    std::replace(onZ.begin(), onZ.end(), '/', '\\');
    ASSERT_FALSE(WriteWholeFile(root + "/mwav.log", "Scanning file " + onZ + " infected by \"V.a\"\r\n" +
                                                        "Scanning file C:\\x.exe infected by \"V.b\"\r\n"));
    ::setenv("WINEPREFIX", (root + "/wine").c_str(), 1);

    auto system = std::make_unique<testing::FakeSecuritySystem>();
    system->localeName = "English";
    system->programFolder = root + "/prog/";
    system->homeFolder = root + "/home";
    auto ui = std::make_unique<testing::ScriptedUiServices>();
    testing::ScriptedUiServices& scripted = *ui;
    Application app(std::move(system), nullptr, std::move(ui));
    LogCheck& window = app.Start();
    window.findChild<LogEvaluationController*>()->OpenLogFile(root + "/mwav.log");
    ASSERT_EQ(window.Model().rowCount(), 2);
    window.Model().MarkAll();
    window.CB_DelFiles->click();
    ::unsetenv("WINEPREFIX");

    EXPECT_FALSE(fs::exists(root + "/tool.exe"));
    EXPECT_EQ(window.Model().Row(0).Status, "deleted");
    EXPECT_EQ(window.Model().Row(0).Path, onZ);
    EXPECT_EQ(window.Model().Row(1).Status, "failed");
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text,
              "These objects were not deleted:\r\nC:\\x.exe (No Wine drive for this path in " + root +
                  "/wine/dosdevices)");
}

// The real window's delete run shows its progress, and Cancel stops it
// before the next row: the rows not reached stay "added", their files stay.
TEST(DeletionWiring, CancelInTheProgressDialogLeavesTheRestAdded) {
    QTemporaryDir temp;
    const std::string root = temp.path().toLocal8Bit().toStdString();
    fs::create_directories(root + "/prog");
    auto system = std::make_unique<testing::FakeSecuritySystem>();
    system->localeName = "English";
    system->programFolder = root + "/prog/";
    system->homeFolder = root + "/home";
    Application app(std::move(system), nullptr, std::make_unique<testing::ScriptedUiServices>());
    LogCheck& window = app.Start();
    AppState& state = app.State();
    const std::vector<std::string> names = {"/one.exe", "/two.exe", "/three.exe"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_FALSE(WriteWholeFile(root + names[i], "infected"));
        const std::size_t index = AppendEntryByHand(state, root + names[i]);
        window.Model().AppendRow(RowForEntry(state, index));
        window.Model().SetChecked(static_cast<int>(i), true);
    }

    // The user presses Cancel once the first row is done.
    QString label;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* dialog = window.findChild<QProgressDialog*>(QStringLiteral("deleteProgress"));
        if (dialog == nullptr || window.Model().Row(0).Status != "deleted") return;
        label = dialog->labelText();
        dialog->cancel();
        user.stop();
    });
    user.start(0);
    window.CB_DelFiles->click();
    user.stop();

    EXPECT_EQ(label.toStdString(), "Object 2 of 3: " + root + "/two.exe");
    EXPECT_EQ(window.Model().Row(0).Status, "deleted");
    EXPECT_EQ(window.Model().Row(1).Status, "added");
    EXPECT_EQ(window.Model().Row(2).Status, "added");
    EXPECT_FALSE(fs::exists(root + "/one.exe"));
    EXPECT_TRUE(fs::exists(root + "/two.exe"));
    EXPECT_TRUE(fs::exists(root + "/three.exe"));
    EXPECT_TRUE(window.CB_DelFiles->isEnabled());
    EXPECT_EQ(window.findChild<QProgressDialog*>(QStringLiteral("deleteProgress")), nullptr);
}

}  // namespace
}  // namespace korvane
