#pragma once
// One run of the windowed program: the state record, the platform services
// and the main window.
#include <memory>

#include "app/qt_ui_services.h"
#include "core/app_state.h"
#include "platform/platform.h"

namespace korvane {

class LogCheck;

class Application {
public:
    // Services default to the native ones; tests pass their own.
    Application(std::unique_ptr<SecuritySystem> system = nullptr,
                std::unique_ptr<FilesShell> files = nullptr,
                std::unique_ptr<UiServices> ui = nullptr);
    ~Application();

    // Builds the main window and runs its start-up sequence (not shown yet).
    LogCheck& Start();
    LogCheck& Window() { return *window_; }
    AppState& State() { return state_; }

private:
    AppState state_;
    std::unique_ptr<SecuritySystem> system_;
    std::unique_ptr<FilesShell> files_;
    std::unique_ptr<UiServices> ui_;
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<LogCheck> window_;
};

// The windowed program: korvane [LOGFILE].
int RunWindowed(int argc, char** argv);

}  // namespace korvane
