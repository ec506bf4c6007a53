// What is checked before the window starts, so that a mistyped command or a
// session without a display ends with one clear line instead of an empty
// window or the GUI library's abort.
#include <QFileInfo>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "cli/cli.h"
#include "core/language_choice.h"
#include "core/more_text.h"
#include "platform/platform.h"

namespace korvane {

namespace {

bool Set(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Messages are UTF-8; the terminal takes the system code page.
void PrintError(const std::string& utf8) {
    std::fprintf(
        stderr, "%s\n",
        QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toLocal8Bit().constData());
}

UiLanguage LocaleLanguage() {
    const std::unique_ptr<SecuritySystem> system = MakeNativeSecuritySystem();
    return ChooseLanguage(NormaliseLocaleLanguageName(system->GetLocaleString(kLocaleNativeLanguageName)));
}

}  // namespace

int RefuseWindowStart(int argc, char** argv) {
    // Options (the GUI library's own, --screenshot) are the window's business.
    if (argc >= 2 && argv[1][0] != '-' && argv[1][0] != '\0' &&
        !QFileInfo::exists(QString::fromLocal8Bit(argv[1]))) {
        PrintError(std::string("korvane: ") + argv[1] + ": " +
                   More(MoreText::UnknownCommandOrFile, LocaleLanguage()) + " (korvane --help)");
        return 2;
    }
#if defined(__linux__)
    if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM")) {
        PrintError("korvane: " + More(MoreText::NoDisplayForWindow, LocaleLanguage()));
        return 1;
    }
#endif
    return 0;
}

}  // namespace korvane
