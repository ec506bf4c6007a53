#include <csignal>
#include <cstdio>
#include <iostream>

#include "cli/commands.h"
#include "cli/scanner_cli.h"
#include "core/language_choice.h"
#include "core/vendor_host.h"
#include "platform/console_input.h"
#include "platform/platform.h"
#include "scanner/qt_downloader.h"
#include "scanner/qt_process_runner.h"
#include "scanner/scanner_folder.h"
#include "scanner/scanner_settings.h"
#ifdef _WIN32
#include "platform/win32/win32_process_runner.h"
#endif

namespace korvane {

namespace {

// Message boxes become lines on standard error; the password is read from
// standard input, without echo on a terminal.
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
        std::fprintf(stderr, "%s ", prompt.c_str());
        std::fflush(stderr);
        std::string answer;
        if (!ReadLineWithoutEcho(std::cin, answer)) return {};
        return answer;
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

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
    interrupted = 1;
}

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
    state.ScannerFolder = ChooseScannerFolder(state.DriveRoot, PerUserDataFolder());
    state.PathSeparator = system->PathSeparator();
    state.ResetLists();

    const ScannerLimits limits = ReadScannerLimits();
    QtDownloader downloader(limits);
#ifdef _WIN32
    Win32ProcessRunner processes;
#else
    QtProcessRunner processes;
#endif
    // Ctrl+C and SIGTERM stop the run as the window's Cancel button does:
    // partial files go, a waiting updater is ended, the exit status is 1.
    const auto previousInt = std::signal(SIGINT, OnInterrupt);
    const auto previousTerm = std::signal(SIGTERM, OnInterrupt);
    // The delayed start after an update waits as long as the window does.
    const int status =
        RunScannerSequence(line, state, platform, downloader, processes, VendorHostFromEnvironment(),
                           std::chrono::seconds(20), stdout, stderr, limits, [] { return interrupted != 0; });
    std::signal(SIGINT, previousInt);
    std::signal(SIGTERM, previousTerm);
    return status;
}

}  // namespace korvane
