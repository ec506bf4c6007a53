#include <cstdio>

#include "cli/commands.h"

namespace korvane {

int RunScannerCommand(const QStringList&) {
    std::fprintf(stderr, "korvane scanner: not available in this build\n");
    return 2;
}

}  // namespace korvane
