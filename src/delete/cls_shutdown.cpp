#include "delete/cls_shutdown.h"

namespace korvane {

namespace {

bool ModeNeedsPrivilege(std::uint32_t mode) {
    return (mode & (kEwxShutdown | kEwxPowerOff | kEwxReboot)) != 0;
}

}  // namespace

void clsshutdown::Warn(const char* text) {
    MessageRequest message;
    message.text = text;
    message.title = title_;
    message.icon = MessageIcon::Warning;
    ui_.ShowMessage(message);
}

bool clsshutdown::ShutDownDOSbasedWindows(std::uint32_t ShutDownMode) {
    if (system_.RequestRestart(ShutDownMode)) return true;
    Warn(kShutdownFailedMessage);
    return false;
}

bool clsshutdown::ShutDownNTbasedWindows(std::uint32_t ShutDownMode) {
    const bool privileged = ModeNeedsPrivilege(ShutDownMode);
    if (privileged && !SetShutdownPrivilege(true)) {
        Warn(kPrivilegeNotEnabledMessage);
        return false;
    }
    const bool result = ShutDownDOSbasedWindows(ShutDownMode);
    if (privileged) SetShutdownPrivilege(false);
    return result;
}

bool clsshutdown::SetShutdownPrivilege(bool enable) {
    switch (system_.SetShutdownPrivilege(enable)) {
        case SecuritySystem::PrivilegeStep::Done:
            return true;
        case SecuritySystem::PrivilegeStep::OpenTokenFailed:
            Warn(kNoTokenMessage);
            return false;
        case SecuritySystem::PrivilegeStep::LookupFailed:
            Warn(kNoLuidMessage);
            return false;
        case SecuritySystem::PrivilegeStep::AdjustFailed:
            Warn(kPrivilegeNotChangedMessage);
            return false;
    }
    return false;
}

std::uint32_t ShutdownModeFor(std::int16_t osVersion) {
    return osVersion > 5 ? kEwxReboot | kEwxForce : kEwxReboot;
}

void RestartSystem(const DeletionContext& context, const std::function<void()>& closeProgram) {
    const std::int16_t os = context.state.OsVersion;
    const std::uint32_t mode = ShutdownModeFor(os);
    clsshutdown shutdown(context.platform.system, context.platform.ui, context.ProgramName());
    if (os >= 1 && os <= 4) {
        shutdown.ShutDownDOSbasedWindows(mode);
    } else if (os >= 5) {
        shutdown.ShutDownNTbasedWindows(mode);
    }
    if (closeProgram) closeProgram();
}

}  // namespace korvane
