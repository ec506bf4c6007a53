#include "app/application.h"
#include "cli/cli.h"

int main(int argc, char** argv) {
    if (korvane::IsCommandLineCall(argc, argv)) return korvane::RunCommandLine(argc, argv);
    return korvane::RunWindowed(argc, argv);
}
