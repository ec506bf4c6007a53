#include <cstdio>

#include "cli/commands.h"

namespace korvane {

int RunReportCommand(const QStringList&) {
    std::fprintf(stderr, "korvane report: not available in this build\n");
    return 2;
}

int RunEntriesCommand(const QStringList&) {
    std::fprintf(stderr, "korvane entries: not available in this build\n");
    return 2;
}

}  // namespace korvane
