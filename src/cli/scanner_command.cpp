#include <cstdio>
#include <iostream>

#include "cli/commands.h"
#include "cli/scanner_cli.h"
#include "core/language_choice.h"
#include "core/vendor_host.h"
#include "platform/platform.h"
#include "scanner/qt_downloader.h"
#include "scanner/qt_process_runner.h"
#ifdef _WIN32
#include "platform/win32/win32_process_runner.h"
#endif

namespace korvane {

namespace {

// Message boxes become lines on standard error; the password is read from
// standard input.
class ConsoleUiServices : public UiServices {
public:
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        std::fprintf(stderr, "%s\n", request.text.c_str());
        return MessageAnswer::Ok;
    }
    std::string InputBox(const std::string& prompt, const std::string&, const std::string&) override {
        return ReadAnswer(prompt);
    }
    std::string OpenFile(const OpenFileRequest&) override { return {}; }
    std::string BrowseForFolder(const std::string&) override { return {}; }
    std::string AskPassword(const std::string& prompt, const std::string&) override {
        return ReadAnswer(prompt);
    }
    std::string ClipboardText() override { return {}; }
    void SetClipboardText(const std::string&) override {}

private:
    static std::string ReadAnswer(const std::string& prompt) {
        std::fprintf(stderr, "%s ", prompt.c_str());
        std::fflush(stderr);
        std::string answer;
        if (!std::getline(std::cin, answer)) return {};
        if (!answer.empty() && answer.back() == '\r') answer.pop_back();
        return answer;
    }
};

}  // namespace

int RunScannerCommand(const QStringList& arguments) {
    ScannerCommandLine line;
    std::string error;
    if (!ParseScannerCommandLine(arguments, line, error)) {
        std::fprintf(stderr, "korvane scanner: %s\n%s", error.c_str(), kScannerUsage);
        return 2;
    }
    auto system = MakeNativeSecuritySystem();
    auto files = MakeNativeFilesShell();
    ConsoleUiServices ui;
    Platform platform{*system, *files, ui};

    AppState state;
    state.AppTitle = "Korvane";
    state.LocaleLanguageName =
        NormaliseLocaleLanguageName(system->GetLocaleString(kLocaleNativeLanguageName));
    state.Language = line.language.value_or(ChooseLanguage(state.LocaleLanguageName));
    state.TempDir = system->GetSystemFolder("temp");
    state.InternetCacheDir = system->GetSpecialFolder(kSpecialFolderInternetCache);
    state.ProgramFolder = system->ProgramFolder();
    state.DriveRoot = system->DriveRoot();
    state.PathSeparator = system->PathSeparator();
    state.ResetLists();

    QtDownloader downloader;
#ifdef _WIN32
    Win32ProcessRunner processes;
#else
    QtProcessRunner processes;
#endif
    // The delayed start after an update waits as long as the window does.
    return RunScannerSequence(line, state, platform, downloader, processes, VendorHostFromEnvironment(),
                              std::chrono::seconds(20), stdout, stderr);
}

}  // namespace korvane
