// The window's status line names the report file it wrote, or tells that the
// write failed.
#include <gtest/gtest.h>

#include <QStatusBar>
#include <QTemporaryDir>

#include "app/application.h"
#include "app/log_check.h"
#include "core/whole_file.h"
#include "log/log_evaluation_controller.h"
#include "support/fake_security_system.h"
#include "support/scripted_ui_services.h"

namespace korvane {
namespace {

QString StatusAfterLoading(const std::string& programFolder, const std::string& logFile) {
    auto system = std::make_unique<testing::FakeSecuritySystem>();
    system->localeName = "English";
    system->programFolder = programFolder;
    Application app(std::move(system), nullptr, std::make_unique<testing::ScriptedUiServices>());
    LogCheck& window = app.Start();
    window.findChild<LogEvaluationController*>()->OpenLogFile(logFile);
    return window.statusBar()->currentMessage();
}

TEST(ReportLocation, StatusLineNamesTheFileOrTheFailure) {
    QTemporaryDir folder;
    const std::string root = folder.path().toStdString();
    const std::string log = root + "/mwav.log";
    ASSERT_FALSE(WriteWholeFile(log, "Scanning file C:\\x.exe infected by \"V\"\r\n"));

    EXPECT_EQ(StatusAfterLoading(root + "/", log),
              QString::fromStdString("Report saved to " + root + "/escan_Result.txt"));
    EXPECT_NE(ReadWholeFile(root + "/escan_Result.txt").find("1: C:\\x.exe => V"), std::string::npos);

    EXPECT_EQ(StatusAfterLoading(root + "/missing/", log),
              QString::fromStdString("The report could not be saved: " + root +
                                     "/missing/escan_Result.txt (No such file or directory)"));
}

}  // namespace
}  // namespace korvane
