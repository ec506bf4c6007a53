#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QTimer>

#include "app/application.h"
#include "app/log_check.h"
#include "scanner/frm_download.h"
#include "support/fake_security_system.h"
#include "support/scripted_ui_services.h"

namespace korvane {
namespace {

TEST(ScannerMenu, OpensTheScannerWindowModallyOverTheMainWindow) {
    Application app(std::make_unique<testing::FakeSecuritySystem>(), nullptr,
                    std::make_unique<testing::ScriptedUiServices>());
    LogCheck& window = app.Start();
    FrmDownload& scanner = window.ScannerWindow();
    bool wasModal = false;
    QWidget* owner = nullptr;
    QTimer::singleShot(0, &scanner, [&] {
        wasModal = scanner.isVisible() && scanner.isModal();
        owner = scanner.parentWidget();
        scanner.Command2->click();
    });
    window.MenuItem(QStringLiteral("mnuEscanDown"))->trigger();
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(owner, &window);
    EXPECT_FALSE(scanner.isVisible());
}

}  // namespace
}  // namespace korvane
