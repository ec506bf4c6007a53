#include "app/application.h"
#include "cli/cli.h"
#include "platform/character_locale.h"

int main(int argc, char** argv) {
    // Before Qt starts, so archive member names that are not ASCII survive.
    korvane::UseUtf8CharacterLocale();
    if (korvane::IsCommandLineCall(argc, argv)) return korvane::RunCommandLine(argc, argv);
    if (const int refused = korvane::RefuseWindowStart(argc, argv); refused != 0) return refused;
    return korvane::RunWindowed(argc, argv);
}
