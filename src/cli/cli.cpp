#include "cli/cli.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>

#include "cli/commands.h"
#include "platform/platform.h"
#include "cli/raw_arguments.h"

namespace korvane {

namespace {

struct Command {
    const char* name;
    const char* synopsis;
    int (*run)(const QStringList&);
};

const Command kCommands[] = {
    {"report", "report [--language de|en] LOGFILE     write the report of a log to standard output",
     RunReportCommand},
    {"entries", "entries LOGFILE                       list the objects a log names", RunEntriesCommand},
    {"clean", "clean [options] [LOGFILE]             delete the objects of a log (see clean --help)",
     RunCleanCommand},
    {"apply-pending", "apply-pending                         carry out deletions left for the restart",
     RunApplyPendingCommand},
    {"scanner", "scanner [options]                     download, update and start the scanner",
     RunScannerCommand},
    {"backups", "backups                               list the backups in KRBackup", RunBackupsCommand},
    {"restore", "restore [--to FOLDER] ID...           put backups back where they were (or into FOLDER)",
     RunRestoreCommand},
};

const Command* FindCommand(const char* name) {
    for (const Command& c : kCommands) {
        if (std::strcmp(c.name, name) == 0) return &c;
    }
    return nullptr;
}

void PrintUsage(std::FILE* out) {
    std::fprintf(out,
                 "Usage: korvane [LOGFILE]            start the window (and evaluate LOGFILE)\n"
                 "       korvane COMMAND [ARGS]       run a command without a window\n"
                 "       korvane --help | --version\n\nCommands:\n");
    for (const Command& c : kCommands) std::fprintf(out, "  %s\n", c.synopsis);
    std::fprintf(out, "\nReport, backups (KRBackup) and the scanner archive go to: %s\n",
                 MakeNativeSecuritySystem()->ProgramFolder().c_str());
}

}  // namespace

bool IsCommandLineCall(int argc, char** argv) {
    if (argc < 2) return false;
    const char* first = argv[1];
    return FindCommand(first) != nullptr || std::strcmp(first, "--help") == 0 ||
           std::strcmp(first, "-h") == 0 || std::strcmp(first, "--version") == 0 ||
           std::strcmp(first, "-v") == 0;
}

int RunCommandLine(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVANE_VERSION));
    const char* first = argv[1];
    if (std::strcmp(first, "--version") == 0 || std::strcmp(first, "-v") == 0) {
        std::printf("korvane %s\n", KORVANE_VERSION);
        return 0;
    }
    if (std::strcmp(first, "--help") == 0 || std::strcmp(first, "-h") == 0) {
        PrintUsage(stdout);
        return 0;
    }
    const Command* command = FindCommand(first);
    KeepRawArguments(std::vector<std::string>(argv + 2, argv + argc));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeAt(1);
    arguments[0] = QStringLiteral("korvane ") + QString::fromLatin1(command->name);
    return command->run(arguments);
}

}  // namespace korvane
