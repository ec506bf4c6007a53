// korvane report and korvane entries: a log evaluated as the file loader
// does it, without a window.
#include <QCommandLineParser>
#include <QString>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/raw_arguments.h"
#include "cli/streamed_log.h"
#include "core/app_state.h"
#include "core/case_insensitive_search.h"
#include "core/language_choice.h"
#include "core/log_parser.h"
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

void WriteBytes(std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// As at start-up: German only for a German locale.
UiLanguage LocaleLanguage() {
    const std::unique_ptr<SecuritySystem> system = MakeNativeSecuritySystem();
    return ChooseLanguage(NormaliseLocaleLanguageName(system->GetLocaleString(kLocaleNativeLanguageName)));
}

constexpr std::string_view TaggedPrefix(const ObjectLine& object) {
    return object.tagged ? std::string_view("tagged:") : std::string_view();
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

// The LOGFILE as the shell passed it, every byte kept (a decoded name with
// bytes that are no text in the locale would name another file).
std::string LogFileBytes(const QCommandLineParser& parser) {
    const RawOptionValues raw = RawValuesOf(RawArguments(), "language", {"language"});
    if (raw.positionals.size() == 1) return raw.positionals.front();
    return parser.positionalArguments().front().toLocal8Bit().toStdString();
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
        state.Language = LocaleLanguage();
    }

    StreamedLog log;
    if (!log.Open(arguments.value(0), LogFileBytes(parser))) return 2;
    // The report goes out while the log is read; it is held back until the
    // log shows the word "file", since without it there is no report at all.
    ReportWriter writer(WriteBytes);
    writer.Hold();
    const CaseInsensitiveSearcher fileWord("file");
    bool hasFileWord = false;
    ObjectLineScanner objects;
    std::size_t entries = 0;
    const std::function<void(const ObjectLine&)> onObject = [&](const ObjectLine& object) {
        ++entries;
        writer.AddEntry(object.path, TaggedPrefix(object), object.name);
    };
    std::string_view text;
    std::size_t from = 0;
    while (log.Next(text, from)) {
        if (!hasFileWord && fileWord.Find(text, from) != std::string_view::npos) {
            hasFileWord = true;
            writer.Release();
        }
        // Every object line holds a word of the report, so one pass serves both.
        writer.AddLines(text, from, [&](std::string_view line, std::string_view lowered) {
            objects.ScanLine(line, lowered, onObject);
        });
    }
    const int readStatus = log.ReportProblems(state.Language);
    if (!hasFileWord) {
        if (readStatus == 2) return 2;
        PrintLine(stderr, ToSystemCodePage(state.Text(kNoFileInformationRow)));
        return 1;
    }
    if (entries == 0) PrintLine(stderr, ToSystemCodePage(state.Text(kNoFilesFoundRow)));
    writer.Finish(ToSystemCodePage(state.Text(kFilesAddedHeaderRow)));
    std::fflush(stdout);
    return readStatus;
}

int RunEntriesCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Lists the objects a scanner log names: index, tab, path, tab, name, tab, the file "
                       "the path names here (a Wine drive path mapped through the Wine prefix; empty "
                       "when it maps nowhere)."));
    int status = 0;
    if (!ParseArguments(parser, arguments, status)) return status;

    StreamedLog log;
    if (!log.Open(arguments.value(0), LogFileBytes(parser))) return 2;
    // Each object goes out as it is found, in pieces of a buffer's size.
    constexpr std::size_t kFlushSize = std::size_t{1} << 18;
    std::string out;
    out.reserve(kFlushSize + 4096);
    std::size_t index = 0;
    // The fourth column: the file a Wine drive path stands for here.
    const RowTargets targets;
    const UiLanguage language = LocaleLanguage();
    ObjectLineScanner objects;
    std::string_view text;
    std::size_t from = 0;
    while (log.Next(text, from)) {
        objects.Scan(text, from, [&](const ObjectLine& object) {
            out.append(std::to_string(++index)).append("\t").append(object.path).append("\t");
            out.append(TaggedPrefix(object)).append(object.name).append("\t");
            out.append(targets.Of(std::string(object.path), language).path).append("\n");
            if (out.size() >= kFlushSize) {
                WriteBytes(out);
                out.clear();
            }
        });
    }
    WriteBytes(out);
    std::fflush(stdout);
    return log.ReportProblems(language);
}

}  // namespace korvane
