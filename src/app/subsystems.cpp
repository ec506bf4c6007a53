// Where the subsystems attach their handlers to the main window's controls.
#include "app/log_check.h"

namespace korvane {

void LogCheck::InstallSubsystems() {
    // log evaluation

    // deletion

    // scanner

}

}  // namespace korvane
