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
    {MoreText::BackupFailed, "backup-failed",
     "Für diese Objekte konnte keine Sicherung angelegt werden; sie wurden nicht gelöscht:",
     "No backup could be made of these objects; they were not deleted:"},
    {MoreText::RestoreFromBackup, "restore-from-backup", "Aus Sicherung wiederherstellen…",
     "Restore from backup…"},
    {MoreText::BackupsTitle, "backups-title", "Sicherungen",
     "Backups"},
    {MoreText::BackupsColumnTime, "backups-column-time", "Zeit (UTC)",
     "Time (UTC)"},
    {MoreText::BackupsColumnOriginal, "backups-column-original", "Ursprünglicher Pfad",
     "Original path"},
    {MoreText::BackupsColumnDetection, "backups-column-detection", "Erkennung",
     "Detection"},
    {MoreText::BackupsColumnSize, "backups-column-size", "Größe (Bytes)",
     "Size (bytes)"},
    {MoreText::BackupsRestore, "backups-restore", "Wiederherstellen",
     "Restore"},
    {MoreText::BackupsRestoreTo, "backups-restore-to", "Wiederherstellen nach…",
     "Restore to…"},
    {MoreText::BackupsDelete, "backups-delete", "Sicherung löschen",
     "Delete backup"},
    {MoreText::BackupsClose, "backups-close", "Schließen",
     "Close"},
    {MoreText::BackupsRestoreToPrompt, "backups-restore-to-prompt", "Ordner für die wiederhergestellten Dateien:",
     "Folder for the restored files:"},
    {MoreText::BackupsDeleteQuestion, "backups-delete-question", "Die gewählten Sicherungen endgültig löschen?",
     "Delete the selected backups for good?"},
    {MoreText::BackupsNotRestored, "backups-not-restored", "Nicht wiederhergestellt:",
     "Not restored:"},
    {MoreText::BackupsDamaged, "backups-damaged", "Das Verzeichnis der Sicherungen ist beschädigt oder nicht lesbar; es wird nichts daraus gelesen:",
     "The record of the backups is damaged or cannot be read; nothing is read from it:"},

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
