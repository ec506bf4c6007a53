// korvane backups and korvane restore: the backups in KRBackup, and putting
// them back, without a window.
#include <QCommandLineParser>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/console_text.h"
#include "delete/backup_restore.h"
#include "delete/deletion_context.h"

namespace korvane {

namespace {

constexpr char kBackupsSynopsis[] = "";
constexpr char kRestoreSynopsis[] = " [--to FOLDER] ID...";

// KRBackup of this program and its manifest, as the delete run finds them.
class ProgramBackups {
public:
    ProgramBackups()
        : system_(MakeNativeSecuritySystem()),
          files_(MakeNativeFilesShell()),
          platform_{*system_, *files_, ui_},
          store_(*files_, Folder(), system_->PathSeparator()) {}

    BackupStore& Store() { return store_; }

    // Reads the manifest; on failure says why on standard error.
    bool Open(const QStringList& arguments) {
        const std::error_code opened = store_.Open(/*create=*/false);
        if (!opened) return true;
        const std::string why = !store_.Damage().empty()
                                    ? store_.Damage() + ": nothing is read from it; it is left as it is"
                                    : store_.Folder() + ": " + opened.message();
        std::fprintf(stderr, "%s: %s\n", qPrintable(arguments.value(0)), why.c_str());
        return false;
    }

private:
    std::string Folder() {
        state_.ProgramFolder = system_->ProgramFolder();
        state_.PathSeparator = system_->PathSeparator();
        return DeletionContext{state_, platform_, {}}.BackupFolder();
    }

    std::unique_ptr<SecuritySystem> system_;
    std::unique_ptr<FilesShell> files_;
    ConsoleUi ui_;
    Platform platform_;
    AppState state_;
    BackupStore store_;
};

// Parses the arguments; a usage error or --help ends the command with status.
bool Parse(QCommandLineParser& parser, const QStringList& arguments, const char* synopsis, int& status) {
    parser.addHelpOption();
    if (!parser.parse(arguments)) {
        status = UsageError(arguments, parser, synopsis, parser.errorText());
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(HelpText(parser, arguments, synopsis)), stdout);
        status = 0;
        return false;
    }
    return true;
}

}  // namespace

int RunBackupsCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the backups in KRBackup, one a line: ID, tab, time (UTC), tab, original path, tab, malware "
        "name.\nExit status: 0 listed, 1 the record of the backups is damaged or cannot be read, 2 usage "
        "error."));
    int status = 0;
    if (!Parse(parser, arguments, kBackupsSynopsis, status)) return status;
    if (!parser.positionalArguments().isEmpty())
        return UsageError(arguments, parser, kBackupsSynopsis, QStringLiteral("takes no arguments"));
    ProgramBackups backups;
    if (!backups.Open(arguments)) return 1;
    for (const BackupRecord& record : ListBackups(backups.Store())) {
        PrintLine(stdout, std::to_string(record.id) + "\t" + record.time + "\t" + OneLine(record.original) +
                              "\t" + OneLine(record.detection));
    }
    std::fflush(stdout);
    return 0;
}

int RunRestoreCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Puts each backup (its ID as \"korvane backups\" lists it) back at its original path, or into "
        "FOLDER. "
        "An existing file is never overwritten; a backup whose SHA-256 does not match its record is not "
        "restored. The backup is removed once its file is back.\nExit status: 0 all restored, 1 some not, 2 "
        "usage error."));
    const QCommandLineOption to(QStringLiteral("to"), QStringLiteral("restore into FOLDER instead"),
                                QStringLiteral("FOLDER"));
    parser.addOption(to);
    parser.addPositionalArgument(QStringLiteral("ID"), QStringLiteral("a backup's ID"),
                                 QStringLiteral("ID..."));
    int status = 0;
    if (!Parse(parser, arguments, kRestoreSynopsis, status)) return status;
    std::vector<std::uint64_t> ids;
    for (const QString& text : parser.positionalArguments()) {
        bool number = false;
        const qulonglong id = text.toULongLong(&number);
        if (!number || id == 0)
            return UsageError(arguments, parser, kRestoreSynopsis,
                              QStringLiteral("not a backup ID: ") + text);
        ids.push_back(id);
    }
    if (ids.empty())
        return UsageError(arguments, parser, kRestoreSynopsis, QStringLiteral("no backup ID given"));
    const std::string folder =
        parser.isSet(to) ? parser.value(to).toLocal8Bit().toStdString() : std::string{};
    if (parser.isSet(to) && folder.empty())
        return UsageError(arguments, parser, kRestoreSynopsis, QStringLiteral("--to needs a folder"));

    ProgramBackups backups;
    if (!backups.Open(arguments)) return 1;
    bool failed = false;
    for (const std::uint64_t id : ids) {
        const RestoreOutcome outcome = RestoreBackup(backups.Store(), id, folder);
        if (outcome.error) {
            failed = true;
            std::fflush(stdout);
            const std::string line = arguments.value(0).toStdString() + ": " + std::to_string(id) + ": " +
                                     OneLine(outcome.reason) + ": not restored";
            PrintLine(stderr, line);
            continue;
        }
        PrintLine(stdout, "restored\t" + std::to_string(id) + "\t" + OneLine(outcome.target));
    }
    std::fflush(stdout);
    return failed ? 1 : 0;
}

}  // namespace korvane
