#pragma once
// One function per command; each gets the arguments after the command name
// (arguments[0] is "korvane <command>") and returns the exit status.
#include <QStringList>

namespace korvane {

int RunReportCommand(const QStringList& arguments);
int RunEntriesCommand(const QStringList& arguments);
int RunCleanCommand(const QStringList& arguments);
int RunApplyPendingCommand(const QStringList& arguments);
int RunScannerCommand(const QStringList& arguments);
int RunBackupsCommand(const QStringList& arguments);
int RunRestoreCommand(const QStringList& arguments);

}  // namespace korvane
