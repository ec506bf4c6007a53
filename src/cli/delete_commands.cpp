// korvane clean and korvane apply-pending: the delete run without a window,
// and the operations it left for the next start of the system.
#include <QCommandLineParser>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli/commands.h"
#include "cli/console_text.h"
#include "cli/raw_arguments.h"
#include "cli/streamed_log.h"
#include "core/app_state.h"
#include "core/language_choice.h"
#include "core/log_evaluation.h"
#include "core/log_parser.h"
#include "core/more_text.h"
#include "core/os_version.h"
#include "core/pending_operations.h"
#include "core/text_util.h"
#include "delete/backup_store.h"
#include "delete/delete_run.h"
#include "delete/pending_carry_out.h"
#include "delete/protected_paths.h"
#include "log/log_bytes.h"
#include "platform/platform.h"

namespace korvane {

namespace {

// UI texts are UTF-8; the terminal takes the system code page.
std::string ToSystemCodePage(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toLocal8Bit().toStdString();
}

bool StandardErrorIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

const char* PlanText(PlannedAction action) {
    switch (action) {
        case PlannedAction::RemoveNow:
            return "remove now";
        case PlannedAction::BackUpNow:
            return "back up";
        case PlannedAction::QueueForRestart:
            return "queue for restart";
        case PlannedAction::NeedsAdministrator:
            return "needs administrator";
        case PlannedAction::Refuse:
            return "refuse (protected)";
        case PlannedAction::KeepEmptyFolder:
            return "keep (empty folder)";
        case PlannedAction::Fail:
            return "fail";
    }
    return "";
}

// What the run needs to know of the system: language, family, rights and
// the folders the guard protects.
void FillStateFromSystem(SecuritySystem& system, AppState& state) {
    state.ResetLists();
    state.AppTitle = "Korvane";
    state.Language =
        ChooseLanguage(NormaliseLocaleLanguageName(system.GetLocaleString(kLocaleNativeLanguageName)));
    state.OsVersion = system.GetOsVersion();
    if (state.OsVersion > 4) state.UserIsAdmin = system.IsUserAdmin();
    state.WindowsDir = system.GetSystemFolder("win");
    state.SystemDir = system.GetSystemFolder("system");
    state.ProgramFolder = system.ProgramFolder();
    state.DriveRoot = system.DriveRoot();
    state.PathSeparator = system.PathSeparator();
}

// The real system, the console for messages, and the state filled from them.
struct NativeSession {
    std::unique_ptr<SecuritySystem> system = MakeNativeSecuritySystem();
    std::unique_ptr<FilesShell> files = MakeNativeFilesShell();
    ConsoleUi ui;
    Platform platform{*system, *files, ui};
    AppState state;

    NativeSession() { FillStateFromSystem(*system, state); }
};

std::string PendingRefusalText(const AppState& state, PendingRefusal refusal) {
    switch (refusal) {
        case PendingRefusal::None:
            return {};
        case PendingRefusal::ProtectedTarget:
            return RefusalText(state, Refusal::ProtectedFolder);
        case PendingRefusal::FolderChanged:
            return More(MoreText::RefusedParentChanged, state.Language);
        case PendingRefusal::NotPlainPath:
            return RefusalText(state, Refusal::NotPlainPath);
    }
    return {};
}

std::string Replaced(std::string text, const std::string& name, std::size_t value) {
    const auto at = text.find(name);
    if (at != std::string::npos) text.replace(at, name.size(), std::to_string(value));
    return text;
}

constexpr char kCleanSynopsis[] = " [options] [LOGFILE]";
constexpr char kApplySynopsis[] = "";

}  // namespace

int RunCleanCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Deletes the objects of a scanner log and the paths given with --add, as the delete "
                       "button does. Prints each row's status and path.\nExit status: 0 nothing left, 1 "
                       "something left for the restart, refused or failed, 2 usage or file error."));
    parser.addHelpOption();
    const QCommandLineOption language(
        QStringLiteral("language"),
        QStringLiteral("language of the texts: de or en (default: the user's locale)"),
        QStringLiteral("de|en"));
    const QCommandLineOption mark(
        QStringLiteral("mark"),
        QStringLiteral("rows to mark: infected (every row not tagged, the default) or all"),
        QStringLiteral("infected|all"), QStringLiteral("infected"));
    const QCommandLineOption backup(QStringLiteral("backup"),
                                    QStringLiteral("move each file into the backup folder KRBackup instead"));
    const QCommandLineOption allOnReboot(
        QStringLiteral("all-on-reboot"),
        QStringLiteral("delete nothing now, everything at the next restart"));
    const QCommandLineOption reboot(QStringLiteral("reboot"),
                                    QStringLiteral("restart the computer when something is left"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"),
                                    QStringLiteral("print what would be done and change nothing"));
    const QCommandLineOption add(QStringLiteral("add"), QStringLiteral("also delete PATH (file or folder)"),
                                 QStringLiteral("PATH"));
    for (const QCommandLineOption& option : {language, mark, backup, allOnReboot, reboot, dryRun, add}) {
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("LOGFILE"), QStringLiteral("the scanner's log (mwav.log)"),
                                 QStringLiteral("[LOGFILE]"));
    if (!parser.parse(arguments)) return UsageError(arguments, parser, kCleanSynopsis, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(HelpText(parser, arguments, kCleanSynopsis)), stdout);
        return 0;
    }
    if (parser.positionalArguments().size() > 1) {
        return UsageError(arguments, parser, kCleanSynopsis, QStringLiteral("at most one LOGFILE"));
    }
    if (parser.positionalArguments().isEmpty() && !parser.isSet(add)) {
        return UsageError(arguments, parser, kCleanSynopsis,
                          QStringLiteral("nothing to clean: give a LOGFILE or --add PATH"));
    }
    const QString marking = parser.value(mark).toLower();
    if (marking != QStringLiteral("infected") && marking != QStringLiteral("all")) {
        return UsageError(arguments, parser, kCleanSynopsis, QStringLiteral("--mark takes infected or all"));
    }

    NativeSession session;
    ConsoleUi& ui = session.ui;
    Platform& platform = session.platform;
    AppState& state = session.state;
    if (parser.isSet(language)) {
        const QString code = parser.value(language).toLower();
        if (code != QStringLiteral("de") && code != QStringLiteral("en")) {
            return UsageError(arguments, parser, kCleanSynopsis, QStringLiteral("--language takes de or en"));
        }
        state.Language = code == QStringLiteral("de") ? UiLanguage::German : UiLanguage::English;
    }

    // The paths as the shell passed them, every byte kept.
    const RawOptionValues raw = RawValuesOf(RawArguments(), "add", {"add", "language", "mark"});
    if (raw.values.size() != static_cast<std::size_t>(parser.values(add).size()) ||
        raw.positionals.size() != static_cast<std::size_t>(parser.positionalArguments().size())) {
        return UsageError(arguments, parser, kCleanSynopsis, QStringLiteral("cannot read the paths' bytes"));
    }
    if (!raw.positionals.empty()) {
        StreamedLog log;
        if (!log.Open(arguments.value(0), raw.positionals.front())) return 2;
        std::vector<LogEntry> found;
        ObjectLineScanner objects(EntriesKeptByEvaluation(state));
        std::string_view text;
        std::size_t from = 0;
        while (log.Next(text, from)) {
            objects.Scan(text, from, [&](const ObjectLine& object) { found.push_back(EntryOf(object)); });
        }
        // A log that could not be read as a log deletes nothing; one that
        // changed while it was read names real objects all the same.
        if (log.ReportProblems(state.Language) == 2) return 2;
        TakeEvaluatedEntries(state, std::move(found));
    }
    for (const std::string& path : raw.values) AppendEntryByHand(state, AgainstWorkingFolder(path));

    std::vector<VectorDeleteRunRows::Row> rows;
    for (std::size_t index = 1; index <= state.EntryCount(); ++index) {
        const ResultRow row = RowForEntry(state, index);
        const bool checked = marking == QStringLiteral("all") || !ContainsIgnoreCase(row.Name, "tagged");
        rows.push_back({row.Path, row.Status, checked, row.Name});
    }

    DeleteOptions options;
    options.fileBackup = parser.isSet(backup);
    options.allOnReboot = parser.isSet(allOnReboot);
    options.reboot = parser.isSet(reboot);
    options.dryRun = parser.isSet(dryRun);
    // On a terminal a long run shows where it is, on one line of standard error.
    const bool progressLine = !options.dryRun && StandardErrorIsTerminal();
    if (progressLine) {
        options.progress = [&state](const DeleteProgress& at) {
            const std::string line =
                ToSystemCodePage(FillIn(More(MoreText::DeleteProgressRow, state.Language),
                                        {std::to_string(at.done + 1), std::to_string(at.total), ""})) +
                OneLine(at.path);
            std::fprintf(stderr, "\r\x1b[K%s", line.c_str());
            std::fflush(stderr);
            return true;
        };
    }
    DeletionContext context{state, platform, {}};
    VectorDeleteRunRows access(rows);
    const DeleteRunResult result = CB_DelFiles_Click(context, access, options, {});
    if (progressLine) std::fputs("\r\x1b[K", stderr);

    if (options.dryRun) {
        bool left = false;
        for (const RowPlan& plan : result.plans) {
            std::string action = PlanText(plan.action);
            for (const RowNotDone& notDone : result.notDone) {
                if (notDone.row == plan.row) action += " (" + ToSystemCodePage(notDone.reason) + ")";
            }
            PrintLine(stdout, action + "\t" + OneLine(plan.path));
            left =
                left || (plan.action != PlannedAction::RemoveNow && plan.action != PlannedAction::BackUpNow);
        }
        return left ? 1 : 0;
    }
    for (const VectorDeleteRunRows::Row& row : rows) {
        PrintLine(stdout, ToSystemCodePage(row.status) + "\t" + OneLine(row.path));
    }
    for (const MessageRequest& message : ui.messages) {
        std::string text = message.text;
        for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;)
            text.replace(at, 2, "\n");
        PrintLine(message.icon == MessageIcon::Warning ? stderr : stdout, ToSystemCodePage(text));
    }
    std::fflush(stdout);
    const bool somethingLeft = result.restartNeeded || result.scheduleError || !result.notDone.empty() ||
                               !result.backupFailures.empty();
    return somethingLeft ? 1 : 0;
}

int RunApplyPendingCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Carries out the deletions and backup moves left for the restart (the list in "
        "$KORVANE_PENDING_FILE, by default /var/lib/korvane/pending-operations). An operation that "
        "fails or is refused stays listed for the next time.\nExit status: 0 all done, 1 something "
        "failed or was refused, 2 the list could not be read, written or trusted."));
    parser.addHelpOption();
    if (!parser.parse(arguments)) return UsageError(arguments, parser, kApplySynopsis, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(HelpText(parser, arguments, kApplySynopsis)), stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return UsageError(arguments, parser, kApplySynopsis, QStringLiteral("takes no arguments"));

    NativeSession session;
    AppState& state = session.state;
    FilesShell* files = session.files.get();
    const DeletionContext context{state, session.platform, {}};
    const ProtectedFolders guard = ProtectedFoldersOf(context);

    // It runs as root at boot: a list that someone else could have written is
    // not carried out at all.
    const std::string file = PendingOperationsFile();
    if (const std::error_code unsafe = files->CheckPendingList(file)) {
        std::fprintf(stderr, "%s: %s: %s%s\n", qPrintable(arguments.value(0)), file.c_str(),
                     ToSystemCodePage(More(MoreText::PendingFileUnsafe, state.Language)).c_str(),
                     unsafe.message().c_str());
        return 2;
    }
    const ApplyPendingResult result = ApplyPendingOperations(
        file, [&](AppliedOperation& applied) { CarryOutPendingEntry(context, guard, applied); });
    std::size_t done = 0, failed = 0, refused = 0;
    for (const AppliedOperation& applied : result.applied) {
        const PendingOperation& operation = applied.operation;
        std::string outcome;
        if (applied.refused != PendingRefusal::None) {
            outcome = "refused (" + ToSystemCodePage(PendingRefusalText(state, applied.refused)) + ")";
            ++refused;
        } else if (applied.error) {
            outcome = "failed (" + applied.error.message() + ")";
            ++failed;
        } else if (applied.alreadyGone) {
            outcome = "already gone";
            ++done;
        } else {
            outcome = operation.target.empty() ? "deleted" : "moved";
            ++done;
        }
        std::string line = outcome + "\t" + OneLine(operation.source);
        if (!operation.target.empty()) line += "\t" + OneLine(operation.target);
        PrintLine(stdout, line);
    }
    if (!result.applied.empty()) {
        std::string summary = More(MoreText::ApplyPendingSummary, state.Language);
        summary =
            Replaced(Replaced(Replaced(summary, "{done}", done), "{failed}", failed), "{refused}", refused);
        PrintLine(stdout, ToSystemCodePage(summary));
    }
    std::fflush(stdout);
    if (result.fileError == std::errc::illegal_byte_sequence) {
        std::fprintf(stderr,
                     "%s: %s is damaged or incomplete: nothing was carried out, and the file is left as it "
                     "is\n",
                     qPrintable(arguments.value(0)), file.c_str());
        return 2;
    }
    if (result.fileError) {
        std::fprintf(stderr, "%s: %s: %s\n", qPrintable(arguments.value(0)), file.c_str(),
                     result.fileError.message().c_str());
        return 2;
    }
    return failed + refused > 0 ? 1 : 0;
}

}  // namespace korvane
