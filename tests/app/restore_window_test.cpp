#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTemporaryDir>
#include <QTreeView>
#include <filesystem>

#include "app/application.h"
#include "app/frm_restore.h"
#include "app/log_check.h"
#include "app/mnemonics.h"
#include "core/log_evaluation.h"
#include "core/whole_file.h"
#include "log/result_list_model.h"
#include "support/fake_security_system.h"
#include "support/scripted_ui_services.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// Backups made with the delete button, listed, sorted and put back through
// the real window.
TEST(RestoreWindow, ListsSortsRestoresAndDeletesBackups) {
    QTemporaryDir temp;
    const std::string root = temp.path().toLocal8Bit().toStdString();
    for (const char* folder : {"/prog", "/x", "/y", "/z"}) fs::create_directories(root + folder);
    ASSERT_FALSE(WriteWholeFile(root + "/x/small.exe", "s"));
    ASSERT_FALSE(WriteWholeFile(root + "/y/large.exe", "large content"));
    ASSERT_FALSE(WriteWholeFile(root + "/z/other.exe", "other"));
    ::chmod((root + "/x/small.exe").c_str(), 0751);

    auto system = std::make_unique<testing::FakeSecuritySystem>();
    system->localeName = "English";
    system->programFolder = root + "/prog/";
    system->homeFolder = root + "/home";
    auto ui = std::make_unique<testing::ScriptedUiServices>();
    testing::ScriptedUiServices& dialogs = *ui;
    Application app(std::move(system), nullptr, std::move(ui));
    LogCheck& window = app.Start();
    AppState& state = app.State();
    for (const char* name : {"/x/small.exe", "/y/large.exe", "/z/other.exe"}) {
        const std::size_t index = AppendEntryByHand(state, root + name);
        window.Model().AppendRow(RowForEntry(state, index));
        window.Model().SetChecked(static_cast<int>(index) - 1, true);
    }
    window.Check_FileBackup->setChecked(true);
    window.CB_DelFiles->click();
    ASSERT_FALSE(fs::exists(root + "/x/small.exe"));

    QAction* item = window.MenuItem(QStringLiteral("mnuRestoreBackup"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(WithoutMnemonic(item->text()), QStringLiteral("Restore from backup…"));
    item->trigger();
    auto* restore = window.findChild<FrmRestore*>();
    ASSERT_NE(restore, nullptr);
    EXPECT_TRUE(restore->isVisible());
    QAbstractItemModel* list = restore->List->model();
    ASSERT_EQ(list->rowCount(), 3);
    const auto choose = [&](int row) {
        restore->List->selectionModel()->select(
            list->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };
    EXPECT_EQ(list->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Original path"));

    // Sorted by size, largest first: the large file, then the other, then the small one.
    restore->List->header()->setSortIndicator(3, Qt::DescendingOrder);
    EXPECT_EQ(list->index(0, 1).data().toString().toStdString(), root + "/y/large.exe");
    EXPECT_EQ(list->index(2, 1).data().toString().toStdString(), root + "/x/small.exe");
    EXPECT_EQ(list->index(0, 3).data().toULongLong(), 13u);

    choose(2);
    restore->CmdRestore->click();
    EXPECT_EQ(ReadWholeFile(root + "/x/small.exe"), "s");
    struct stat info {};
    ::stat((root + "/x/small.exe").c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0751u);
    ASSERT_EQ(list->rowCount(), 2);

    // Restore to a chosen folder.
    dialogs.folderAnswers.push_back(root + "/chosen");
    choose(0);
    restore->CmdRestoreTo->click();
    EXPECT_EQ(ReadWholeFile(root + "/chosen/large.exe"), "large content");
    EXPECT_FALSE(fs::exists(root + "/y/large.exe"));
    ASSERT_EQ(list->rowCount(), 1);

    // Onto an existing file: refused and told.
    ASSERT_FALSE(WriteWholeFile(root + "/z/other.exe", "new"));
    choose(0);
    const std::size_t before = dialogs.messages.size();
    restore->CmdRestore->click();
    ASSERT_EQ(dialogs.messages.size(), before + 1);
    EXPECT_NE(dialogs.messages.back().text.find("exists"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(root + "/z/other.exe"), "new");
    ASSERT_EQ(list->rowCount(), 1);

    // Deleting asks first.
    dialogs.messageAnswers.push_back(MessageAnswer::No);
    choose(0);
    restore->CmdDelete->click();
    EXPECT_EQ(list->rowCount(), 1);
    dialogs.messageAnswers.push_back(MessageAnswer::Yes);
    choose(0);
    restore->CmdDelete->click();
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_FALSE(fs::exists(root + "/prog/KRBackup/other.exe.bkp"));

    window.mnuGerman_Click();
    EXPECT_EQ(WithoutMnemonic(item->text()), QStringLiteral("Aus Sicherung wiederherstellen…"));
}

}  // namespace
}  // namespace korvane
