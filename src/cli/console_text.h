#pragma once
// How the commands print paths and texts on the terminal.
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/ui_services.h"

namespace korvane {

// A path on one line: control characters are written as \xNN, every other
// byte as it is.
std::string OneLine(const std::string& path);

// The bytes and a line end.
void PrintLine(std::FILE* out, const std::string& bytes);

// Messages are kept for the command to print; nothing waits for an answer.
class ConsoleUi : public UiServices {
public:
    std::vector<MessageRequest> messages;

    MessageAnswer ShowMessage(const MessageRequest& request) override {
        messages.push_back(request);
        return MessageAnswer::Ok;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::string OpenFile(const OpenFileRequest&) override { return {}; }
    std::string BrowseForFolder(const std::string&) override { return {}; }
    std::string AskPassword(const std::string&, const std::string&) override { return {}; }
    std::string ClipboardText() override { return {}; }
    void SetClipboardText(const std::string&) override {}
};

// The parser's help with the command's own name in its usage line.
QString HelpText(const QCommandLineParser& parser, const QStringList& arguments, const char* synopsis);

// Prints the problem and the help on standard error; returns the usage exit status 2.
int UsageError(const QStringList& arguments, const QCommandLineParser& parser, const char* synopsis,
               const QString& problem);

}  // namespace korvane
