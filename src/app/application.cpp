#include "app/application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstring>

#include "app/log_check.h"
#include "log/log_evaluation_controller.h"

namespace korvane {

Application::Application(std::unique_ptr<SecuritySystem> system, std::unique_ptr<FilesShell> files,
                         std::unique_ptr<UiServices> ui)
    : system_(system ? std::move(system) : MakeNativeSecuritySystem()),
      files_(files ? std::move(files) : MakeNativeFilesShell()),
      ui_(ui ? std::move(ui) : std::make_unique<QtUiServices>()),
      platform_(std::make_unique<Platform>(Platform{*system_, *files_, *ui_})) {}

Application::~Application() = default;

LogCheck& Application::Start() {
    window_ = std::make_unique<LogCheck>(state_, *platform_);
    if (auto* qtUi = dynamic_cast<QtUiServices*>(ui_.get())) qtUi->SetOwner(window_.get());
    window_->FormLoad();
    return *window_;
}

int RunWindowed(int argc, char** argv) {
    QApplication qapp(argc, argv);
    // Same name as the command line, so both find the same data folder; the
    // desktop file name lets a desktop match the window to its menu entry and icon.
    QApplication::setApplicationName(QStringLiteral("korvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.korvane"));
    // korvane --screenshot PNG [LOGFILE]: the picture of the window for the
    // documentation, taken by the program itself.
    QString screenshot;
    int logArgument = 1;
    if (argc >= 3 && std::strcmp(argv[1], "--screenshot") == 0) {
        screenshot = QString::fromLocal8Bit(argv[2]);
        logArgument = 3;
    }
    Application app;
    LogCheck& window = app.Start();
    window.show();  // opens centred inside the screen (LogCheck::showEvent)
    // korvane LOGFILE: evaluate the file as if it had been chosen from the menu.
    if (argc > logArgument && argv[logArgument][0] != '\0') {
        if (auto* log = window.findChild<LogEvaluationController*>()) log->OpenLogFile(argv[logArgument]);
    }
    if (!screenshot.isEmpty()) {
        QApplication::processEvents();
        return window.grab().save(screenshot, "PNG") ? 0 : 1;
    }
    return QApplication::exec();
}

}  // namespace korvane
