#pragma once
// How the commands print paths and texts on the terminal.
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <string>

namespace korvane {

// A path on one line: control characters are written as \xNN, every other
// byte as it is.
std::string OneLine(const std::string& path);

// The bytes and a line end.
void PrintLine(std::FILE* out, const std::string& bytes);

// The parser's help with the command's own name in its usage line.
QString HelpText(const QCommandLineParser& parser, const QStringList& arguments, const char* synopsis);

// Prints the problem and the help on standard error; returns the usage exit status 2.
int UsageError(const QStringList& arguments, const QCommandLineParser& parser, const char* synopsis,
               const QString& problem);

}  // namespace korvane
