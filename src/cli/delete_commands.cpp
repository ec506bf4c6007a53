#include <cstdio>

#include "cli/commands.h"

namespace korvane {

int RunCleanCommand(const QStringList&) {
    std::fprintf(stderr, "korvane clean: not available in this build\n");
    return 2;
}

int RunApplyPendingCommand(const QStringList&) {
    std::fprintf(stderr, "korvane apply-pending: not available in this build\n");
    return 2;
}

}  // namespace korvane
