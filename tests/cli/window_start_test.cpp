// korvane with a word that is no command, or with no display for the window:
// one line that says so, and an exit status, instead of a window or an abort.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "cli/korvane_run.h"
#include "core/whole_file.h"

namespace korvane {
namespace {

// No display at all: a window that started anyway would end in the GUI
// library's abort, not in the line the test expects.
QProcessEnvironment WithoutDisplay(const char* locale) {
    QProcessEnvironment environment;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.insert(QString::fromLatin1(variable), QString());
    environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    return environment;
}

TEST(WindowStart, UnknownWordIsNeitherCommandNorFile) {
    const testing::KorvaneOutcome english = testing::RunKorvane({"bogus"}, {}, WithoutDisplay("C.UTF-8"));
    EXPECT_EQ(english.status, 2);
    EXPECT_EQ(english.out, "");
    EXPECT_EQ(english.err, "korvane: bogus: unknown command or no such file (korvane --help)\n");
    const testing::KorvaneOutcome german = testing::RunKorvane({"bogus"}, {}, WithoutDisplay("de_DE.UTF-8"));
    EXPECT_EQ(german.status, 2);
    EXPECT_EQ(german.err, "korvane: bogus: unbekannter Befehl oder keine solche Datei (korvane --help)\n");
}

TEST(WindowStart, NoDisplayNamesTheHelpInOneLine) {
    QTemporaryDir folder;
    const std::string log = folder.path().toStdString() + "/mwav.log";
    ASSERT_FALSE(WriteWholeFile(log, "Scanning file C:\\x.exe infected by \"V\"\r\n"));
    const testing::KorvaneOutcome run =
        testing::RunKorvane({QString::fromStdString(log)}, {}, WithoutDisplay("C.UTF-8"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(
        run.err,
        "korvane: The window cannot open without a display (neither DISPLAY nor WAYLAND_DISPLAY is set); "
        "\"korvane --help\" lists the commands that need none.\n");
    EXPECT_EQ(testing::RunKorvane({}, {}, WithoutDisplay("C.UTF-8")).status, 1);
}

}  // namespace
}  // namespace korvane
