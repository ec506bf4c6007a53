// korvane report and korvane entries: a log evaluated as the file loader
// does it, without a window.
#include <QCommandLineParser>
#include <QString>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/mapped_log.h"
#include "core/app_state.h"
#include "core/case_insensitive_search.h"
#include "core/language_choice.h"
#include "core/log_evaluation.h"
#include "core/log_report.h"
#include "delete/row_target.h"
#include "log/log_bytes.h"
#include "platform/platform.h"

namespace korvane {

namespace {

constexpr int kNoFileInformationRow = 25;
constexpr int kNoFilesFoundRow = 93;
constexpr int kFilesAddedHeaderRow = 96;

// UI texts are UTF-8; the terminal and the report take the system code page.
std::string ToSystemCodePage(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toLocal8Bit().toStdString();
}

void PrintLine(std::FILE* out, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fputc('\n', out);
}

void WriteBytes(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

// The parser's help with the command's own name in its usage line (the
// parser would name the executable's path).
QString HelpText(const QCommandLineParser& parser, const QStringList& arguments) {
    QString help = parser.helpText();
    const qsizetype firstLineEnd = help.indexOf(QLatin1Char('\n'));
    return QStringLiteral("Usage: ") + arguments.value(0) + QStringLiteral(" [options] LOGFILE") +
           help.mid(firstLineEnd);
}

// Parses the arguments; on a mistake prints it with the usage and returns false.
bool ParseArguments(QCommandLineParser& parser, const QStringList& arguments, int& exitStatus) {
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("LOGFILE"), QStringLiteral("the scanner's log (mwav.log)"));
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s: %s\n\n", qPrintable(arguments.value(0)), qPrintable(parser.errorText()));
        std::fputs(qPrintable(HelpText(parser, arguments)), stderr);
        exitStatus = 2;
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(HelpText(parser, arguments)), stdout);
        exitStatus = 0;
        return false;
    }
    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "%s: expected exactly one LOGFILE\n\n", qPrintable(arguments.value(0)));
        std::fputs(qPrintable(HelpText(parser, arguments)), stderr);
        exitStatus = 2;
        return false;
    }
    return true;
}

// Opens the log; on failure prints a message naming the file.
bool OpenLog(const QString& command, const QString& file, MappedLog& log) {
    if (const std::error_code error = log.Open(file.toLocal8Bit().toStdString())) {
        std::fprintf(stderr, "%s: cannot read %s: %s\n", qPrintable(command), qPrintable(file),
                     error.message().c_str());
        return false;
    }
    return true;
}

}  // namespace

int RunReportCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the report of a scanner log to standard output."));
    const QCommandLineOption languageOption(
        QStringLiteral("language"),
        QStringLiteral("language of the report's texts: de or en (default: "
                       "the user's locale)"),
        QStringLiteral("de|en"));
    parser.addOption(languageOption);
    int status = 0;
    if (!ParseArguments(parser, arguments, status)) return status;

    AppState state;
    state.ResetLists();
    state.AppTitle = "Korvane";
    if (parser.isSet(languageOption)) {
        const QString language = parser.value(languageOption).toLower();
        if (language != QStringLiteral("de") && language != QStringLiteral("en")) {
            std::fprintf(stderr, "%s: --language takes de or en, not %s\n", qPrintable(arguments.value(0)),
                         qPrintable(parser.value(languageOption)));
            return 2;
        }
        state.Language = language == QStringLiteral("de") ? UiLanguage::German : UiLanguage::English;
    } else {
        // As at start-up: German only for a German locale.
        const std::unique_ptr<SecuritySystem> system = MakeNativeSecuritySystem();
        state.Language =
            ChooseLanguage(NormaliseLocaleLanguageName(system->GetLocaleString(kLocaleNativeLanguageName)));
    }

    MappedLog log;
    if (!OpenLog(arguments.value(0), parser.positionalArguments().front(), log)) return 2;
    const std::optional<std::string> converted = Utf16LogInSystemCodePage(log.Text());
    const std::string_view text = converted ? std::string_view(*converted) : log.Text();
    if (CaseInsensitiveSearcher("file").Find(text) == std::string_view::npos) {
        PrintLine(stderr, ToSystemCodePage(state.Text(kNoFileInformationRow)));
        return 1;
    }
    EvaluateLogIntoEntries(state, text);
    if (state.EntryCount() == 0) PrintLine(stderr, ToSystemCodePage(state.Text(kNoFilesFoundRow)));
    WriteBytes(BuildReport(text, EntriesOf(state), ToSystemCodePage(state.Text(kFilesAddedHeaderRow))));
    return 0;
}

int RunEntriesCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists the objects a scanner log names: index, tab, path, tab, name, tab, the file "
                       "the path names here (a Wine drive path mapped through the Wine prefix; empty "
                       "when it maps nowhere)."));
    int status = 0;
    if (!ParseArguments(parser, arguments, status)) return status;

    AppState state;
    state.ResetLists();
    MappedLog log;
    if (!OpenLog(arguments.value(0), parser.positionalArguments().front(), log)) return 2;
    const std::optional<std::string> converted = Utf16LogInSystemCodePage(log.Text());
    EvaluateLogIntoEntries(state, converted ? std::string_view(*converted) : log.Text());
    const RowTargets targets;
    std::string out;
    for (std::size_t i = 1; i <= state.EntryCount(); ++i) {
        const LogEntry& entry = state.LogEntries[i];
        out.append(std::to_string(i)).append("\t").append(entry.FilePath);
        out.append("\t").append(entry.VirusName);
        out.append("\t").append(targets.Of(entry.FilePath, state.Language).path).append("\n");
    }
    WriteBytes(out);
    return 0;
}

}  // namespace korvane
