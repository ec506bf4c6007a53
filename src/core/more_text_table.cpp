// The texts beyond the 97 rows, German then English. The rows must stay in
// the order of MoreText: the table is checked against itself at start.
#include "core/more_text.h"

#include <array>
#include <iterator>

namespace korvane {

namespace {

constexpr MoreTextRow kRows[] = {
    // -- start-up, windows, command line --
    {MoreText::AppNone_, "", "", ""},
    {MoreText::UnknownCommandOrFile, "unknown-command-or-file", "unbekannter Befehl oder keine solche Datei",
     "unknown command or no such file"},
    {MoreText::NoDisplayForWindow, "no-display-for-window",
     "Ohne Anzeige (weder DISPLAY noch WAYLAND_DISPLAY gesetzt) kann sich das Fenster nicht öffnen; "
     "„korvane --help“ zeigt die Befehle ohne Fenster.",
     "The window cannot open without a display (neither DISPLAY nor WAYLAND_DISPLAY is set); "
     "\"korvane --help\" lists the commands that need none."},

    // -- log evaluation --
    {MoreText::LogNone_, "", "", ""},
    {MoreText::WineNoDrive, "wine-no-drive", "Kein Wine-Laufwerk für diesen Pfad in ",
     "No Wine drive for this path in "},
    {MoreText::WineRelativeName, "wine-relative-name",
     "Ein Pfad mit \".\" oder \"..\" wird nicht umgesetzt.", "A path with \".\" or \"..\" is not mapped."},
    {MoreText::WineNotAbsolute, "wine-not-absolute", "Kein vollständiger Laufwerkspfad.",
     "Not a full drive path."},
    {MoreText::ReportWrittenTo, "report-written-to", "Auswertung gespeichert in ", "Report saved to "},
    {MoreText::ReportNotWritten, "report-not-written", "Auswertung konnte nicht gespeichert werden: ",
     "The report could not be saved: "},

    // -- deletion --
    {MoreText::SchedulingFailed, "scheduling-failed",
     "Sie konnten nicht zum Löschen beim nächsten Neustart vorgemerkt werden: ",
     "They could not be scheduled for deletion at the next restart: "},

    // -- backups --
    {MoreText::BackupNone_, "", "", ""},

    // -- scanner --
    {MoreText::ScannerNone_, "", "", ""},
    {MoreText::ScannerCancel, "scanner-cancel", "Abbrechen", "Cancel"},
};

constexpr bool InOrder() {
    if (std::size(kRows) != static_cast<std::size_t>(MoreText::Count_)) return false;
    for (std::size_t i = 0; i < std::size(kRows); ++i)
        if (static_cast<std::size_t>(kRows[i].id) != i) return false;
    return true;
}
static_assert(InOrder(), "more_text_table.cpp: one row per MoreText name, in the order of the enum");

}  // namespace

const MoreTextRow* MoreTextRows() { return kRows; }

const std::string& More(MoreText id, UiLanguage language) {
    static const auto texts = [] {
        std::array<std::string, std::size(kRows) * 2> t;
        for (std::size_t i = 0; i < std::size(kRows); ++i) {
            t[i * 2] = std::string(kRows[i].german);
            t[i * 2 + 1] = std::string(kRows[i].english);
        }
        return t;
    }();
    return texts[static_cast<std::size_t>(id) * 2 + static_cast<std::size_t>(language)];
}

}  // namespace korvane
