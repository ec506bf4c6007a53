#include "delete/delete_controller.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTreeView>

#include "deletion_fixture.h"
#include "log/result_list_model.h"

namespace korvane {
namespace {

// A main window reduced to what the deletion handlers use.
class DeleteControllerTest : public testing::DeletionFixture {
protected:
    DeleteControllerTest() {
        model = new ResultListModel(&window);
        list = new QTreeView(&window);
        list->setModel(model);
        button = new QPushButton(&window);
        backup = new QCheckBox(&window);
        onReboot = new QCheckBox(&window);
        reboot = new QCheckBox(&window);
        mask = new QLineEdit(QStringLiteral("*.*"), &window);
        clean = new QAction(&window);
        MainWindowParts parts;
        parts.window = &window;
        parts.list = list;
        parts.model = model;
        controller = std::make_unique<DeleteController>(
            state, platform, parts,
            DeleteController::Controls{button, backup, onReboot, reboot, mask, clean});
    }

    void AddModelRow(const std::string& path) {
        ResultRow row;
        row.Key = "Line" + std::to_string(model->rowCount() + 1);
        row.Status = state.Text(kStatusAdded);
        row.Path = path;
        row.Checked = true;
        model->AppendRow(row);
    }

    QMainWindow window;
    ResultListModel* model;
    QTreeView* list;
    QPushButton* button;
    QCheckBox* backup;
    QCheckBox* onReboot;
    QCheckBox* reboot;
    QLineEdit* mask;
    QAction* clean;
    std::unique_ptr<DeleteController> controller;
};

TEST_F(DeleteControllerTest, ButtonRunsTheDeletionAndWritesTheStatuses) {
    MakeFile("x/tool.exe");
    MakeFile("x/keep.exe");
    AddModelRow(Path("x/tool.exe"));
    AddModelRow(Path("x/keep.exe"));
    model->SetChecked(1, false);
    backup->setChecked(true);
    button->click();
    EXPECT_EQ(model->Row(0).Status, "deleted");
    EXPECT_EQ(model->Row(1).Status, "added");
    EXPECT_TRUE(Exists("prog/KRBackup/tool.exe.bkp"));
    EXPECT_TRUE(Exists("x/keep.exe"));
}

TEST_F(DeleteControllerTest, APressDuringARunStartsNoSecondRun) {
    MakeFile("x/a.exe");
    MakeFile("x/b.exe");
    AddModelRow(Path("x/a.exe"));
    AddModelRow(Path("x/b.exe"));
    std::vector<bool> enabledDuringRun;
    int removals = 0;
    files.onRemove = [&](const std::string&) {
        ++removals;
        enabledDuringRun.push_back(button->isEnabled());
        button->click();                  // ignored: the button is disabled
        controller->CB_DelFiles_Click();  // ignored: a run is in progress
    };
    button->click();
    EXPECT_EQ(removals, 2);
    EXPECT_EQ(enabledDuringRun, (std::vector<bool>{false, false}));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(controller->Running());
}

TEST_F(DeleteControllerTest, RowsAreWalkedInDisplayOrder) {
    std::filesystem::create_directories(Path("gone"));  // the objects are gone, their folder is not
    for (const char* name : {"b.exe", "c.exe", "a.exe"}) AddModelRow(Path(std::string("gone/") + name));
    auto* sorted = new QSortFilterProxyModel(&window);
    sorted->setSourceModel(model);
    sorted->sort(1, Qt::DescendingOrder);
    list->setModel(sorted);
    button->click();
    EXPECT_EQ(Queued(),
              (std::vector<std::string>{Path("gone/c.exe"), Path("gone/b.exe"), Path("gone/a.exe")}));
    for (int row = 0; row < 3; ++row) EXPECT_EQ(model->Row(row).Status, "reboot");
}

TEST_F(DeleteControllerTest, OptionsComeFromTheControls) {
    onReboot->setCheckState(Qt::PartiallyChecked);  // any value but clear counts
    reboot->setChecked(true);
    mask->setText(QStringLiteral("*.exe"));
    const DeleteOptions options = controller->Options();
    EXPECT_FALSE(options.fileBackup);
    EXPECT_TRUE(options.allOnReboot);
    EXPECT_TRUE(options.reboot);
    EXPECT_EQ(options.maskText, "*.exe");
}

TEST_F(DeleteControllerTest, MenuCommandCleansTheBackupFolder) {
    MakeFile("prog/KRBackup/a.exe.bkp");
    clean->trigger();
    EXPECT_FALSE(Exists("prog/KRBackup/a.exe.bkp"));
    EXPECT_TRUE(Exists("prog/KRBackup"));
}

}  // namespace
}  // namespace korvane
