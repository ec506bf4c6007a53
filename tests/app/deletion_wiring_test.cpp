#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTemporaryDir>
#include <filesystem>

#include "app/application.h"
#include "app/log_check.h"
#include "core/log_evaluation.h"
#include "core/whole_file.h"
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

    window.CB_DelFiles->click();
    EXPECT_EQ(window.Model().Row(0).Status, "deleted");
    EXPECT_EQ(window.Model().Row(1).Status, "added");
    EXPECT_FALSE(fs::exists(root + "/tool.exe"));
    EXPECT_TRUE(fs::exists(root + "/keep.exe"));
    EXPECT_EQ(ReadWholeFile(root + "/prog/KRBackup/tool.exe.bkp"), "infected");
    EXPECT_TRUE(window.CB_DelFiles->isEnabled());

    window.MenuItem(QStringLiteral("mnuCleanBackupFolder"))->trigger();
    EXPECT_FALSE(fs::exists(root + "/prog/KRBackup/tool.exe.bkp"));
    EXPECT_TRUE(fs::exists(root + "/prog/KRBackup"));
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
