#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QTreeView>

#include "app/application.h"
#include "app/log_check.h"
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

}  // namespace
}  // namespace korvane
