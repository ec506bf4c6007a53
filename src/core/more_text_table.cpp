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

    // -- log evaluation --
    {MoreText::LogNone_, "", "", ""},
    {MoreText::LogChangedWhileRead, "log-changed-while-read",
     "Die Datei hat sich beim Lesen geändert (%1 von %2 Bytes gelesen); ausgewertet ist, was gelesen wurde.",
     "The file changed while it was read (%1 of %2 bytes read); what was read is evaluated."},
    {MoreText::LogLinesSkipped, "log-lines-skipped", "Zeilen über 1 MiB übersprungen: %1",
     "Lines over 1 MiB skipped: %1"},
    {MoreText::LogNoLineEnd, "log-no-line-end",
     "Kein Zeilenende in 64 MiB: das ist kein Protokoll des Scanners.",
     "No line end within 64 MiB: this is not a scanner log."},
    {MoreText::LogReadFailed, "log-read-failed",
     "Lesefehler nach %1 Bytes; ausgewertet ist, was gelesen wurde: %2",
     "Read error after %1 bytes; what was read is evaluated: %2"},
    {MoreText::LogReadingProgress, "log-reading-progress", "Protokoll wird gelesen...", "Reading the log..."},

    // -- deletion --
    {MoreText::SchedulingFailed, "scheduling-failed",
     "Sie konnten nicht zum Löschen beim nächsten Neustart vorgemerkt werden: ",
     "They could not be scheduled for deletion at the next restart: "},
    {MoreText::DeleteProgressCaption, "delete-progress-caption", "Markierte Objekte werden gelöscht",
     "Deleting the marked objects"},
    {MoreText::DeleteProgressRow, "delete-progress-row", "Objekt %1 von %2: %3", "Object %1 of %2: %3"},
    {MoreText::DeleteProgressCancel, "delete-progress-cancel", "Abbrechen", "Cancel"},

    // -- backups --
    {MoreText::BackupNone_, "", "", ""},

    // -- scanner --
    {MoreText::ScannerNone_, "", "", ""},
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
