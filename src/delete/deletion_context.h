#pragma once
// What every deletion step works with: the state record, the platform, and a
// hook that lets the window process pending events during long steps.
#include <functional>
#include <string>

#include "core/app_state.h"
#include "platform/platform.h"

namespace korvane {

struct DeletionContext {
    AppState& state;
    Platform& platform;
    std::function<void()> processEvents;  // may be empty

    void ProcessEvents() const {
        if (processEvents) processEvents();
    }
    bool NtFamily() const;
    // NT family without administrator rights: nothing can be scheduled.
    bool LacksAdminRights() const;
    // The program's folder + "KRBackup" + separator.
    std::string BackupFolder() const;
    // The title of the program's own message boxes.
    std::string ProgramName() const {
        return state.AppTitle.empty() ? std::string("Korvane") : state.AppTitle;
    }
};

}  // namespace korvane
