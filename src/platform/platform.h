#pragma once
// The platform services one run of the program uses, handed to every subsystem.
#include <memory>

#include "platform/files_shell.h"
#include "platform/security_system.h"
#include "platform/ui_services.h"

namespace korvane {

struct Platform {
    SecuritySystem& system;
    FilesShell& files;
    UiServices& ui;
};

// The implementations of this operating system (posix/ or win32/).
std::unique_ptr<SecuritySystem> MakeNativeSecuritySystem();
std::unique_ptr<FilesShell> MakeNativeFilesShell();

}  // namespace korvane
