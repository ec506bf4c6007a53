#include "cli/console_text.h"

namespace korvane {

std::string OneLine(const std::string& path) {
    std::string line;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            line += escaped;
        } else {
            line.push_back(c);
        }
    }
    return line;
}

void PrintLine(std::FILE* out, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fputc('\n', out);
}

// The parser's help with the command's own name in its usage line.
QString HelpText(const QCommandLineParser& parser, const QStringList& arguments, const char* synopsis) {
    const QString help = parser.helpText();
    return QStringLiteral("Usage: ") + arguments.value(0) + QString::fromLatin1(synopsis) +
           help.mid(help.indexOf(QLatin1Char('\n')));
}

int UsageError(const QStringList& arguments, const QCommandLineParser& parser, const char* synopsis,
               const QString& problem) {
    std::fprintf(stderr, "%s: %s\n\n", qPrintable(arguments.value(0)), qPrintable(problem));
    std::fputs(qPrintable(HelpText(parser, arguments, synopsis)), stderr);
    return 2;
}

}  // namespace korvane
