#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QTreeView>
#include <filesystem>
#include <random>

#include "app/application.h"
#include "app/log_check.h"
#include "app/qt_ui_services.h"
#include "log/log_evaluation_controller.h"
#include "log/result_list_model.h"
#include "log/result_list_order.h"
#include "support/fake_security_system.h"
#include "support/scripted_ui_services.h"

namespace korvane {
namespace {

TEST(LogEvaluationWiring, MenuItemsReachTheLogEvaluation) {
    auto ui = std::make_unique<testing::ScriptedUiServices>();
    testing::ScriptedUiServices& scripted = *ui;
    auto system = std::make_unique<testing::FakeSecuritySystem>();
    system->localeName = "English";
    system->programFolder = "/nonexistent-korvane-folder/";
    Application app(std::move(system), nullptr, std::move(ui));
    LogCheck& window = app.Start();

    scripted.clipboard =
        "file C:\\b.exe tagged as not-a-virus: Tool x\r\nfile C:\\a.exe infected by \"Virus.A\"\r\n";
    window.MenuItem(QStringLiteral("mnuAnalyzeClipboard"))->trigger();
    ASSERT_EQ(window.Model().rowCount(), 2);
    EXPECT_FALSE(window.ListView1->header()->isHidden());
    EXPECT_NE(scripted.clipboard.find("FILES ADDED TO DELETE"), std::string::npos);

    window.MenuItem(QStringLiteral("mnuMarkInfected"))->trigger();
    EXPECT_FALSE(window.Model().Row(0).Checked);
    EXPECT_TRUE(window.Model().Row(1).Checked);

    // Header clicks sort what the list shows; the model keeps entry order.
    emit window.ListView1->header()->sectionClicked(1);
    emit window.ListView1->header()->sectionClicked(1);
    EXPECT_EQ(RowsInDisplayOrder(*window.ListView1), (std::vector<int>{1, 0}));
    EXPECT_EQ(window.Model().Row(0).Path, "C:\\b.exe");

    // The language switch relabels the rows behind the sorting proxy.
    window.mnuGerman_Click();
    EXPECT_EQ(window.Model().Row(0).Status, "Hinzugefügt");
    EXPECT_NE(window.findChild<LogEvaluationController*>(), nullptr);
}

// The system clipboard (on Windows it hands CR LF text over with bare LF) read
// by the real window: every line of a LF-only log is its own line.
TEST(LogEvaluationWiring, LineFeedTextOnTheSystemClipboardGivesEveryRow) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("korvane-clip-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    auto system = std::make_unique<testing::FakeSecuritySystem>();
    system->localeName = "English";
    system->programFolder = folder.string() + "/";
    Application app(std::move(system), nullptr, std::make_unique<QtUiServices>());
    LogCheck& window = app.Start();

    QApplication::clipboard()->setText(
        QStringLiteral("file C:\\a.exe infected by \"Virus.A\"\nfile C:\\b.exe tagged as not-a-virus: "
                       "RiskTool.X\nfile C:\\c.exe infected by \"Virus.C\"\n"));
    window.MenuItem(QStringLiteral("mnuAnalyzeClipboard"))->trigger();

    ASSERT_EQ(window.Model().rowCount(), 3);
    EXPECT_EQ(window.Model().Row(1).Path, "C:\\b.exe");
    EXPECT_EQ(window.Model().Row(1).Name, "tagged:RiskTool.X");
    window.MenuItem(QStringLiteral("mnuMarkInfected"))->trigger();
    EXPECT_FALSE(window.Model().Row(1).Checked);
    const std::string report = QApplication::clipboard()->text().toStdString();
    EXPECT_NE(report.find("\r\n1: file C:\\b.exe tagged as not-a-virus: RiskTool.X\r\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("3: C:\\c.exe => Virus.C\r\n"), std::string::npos);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace korvane
