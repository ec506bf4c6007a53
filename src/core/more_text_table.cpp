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
    {MoreText::NotDeletedList, "not-deleted-list", "Diese Objekte wurden nicht gelöscht:", "These objects were not deleted:"},
    {MoreText::RefusedProtectedFolder, "refused-protected-folder", "geschützter Ordner", "protected folder"},
    {MoreText::RefusedMountPointInside, "refused-mount-point-inside", "Einhängepunkt darin", "mount point inside"},
    {MoreText::RefusedNotPlainPath, "refused-not-plain-path", "kein einfacher Pfad", "not a plain path"},
    {MoreText::NotRecordedTooShort, "not-recorded-too-short", "zu kurz für die Neustart-Liste", "too short for the restart list"},
    {MoreText::NotRecordedListFull, "not-recorded-list-full", "die Neustart-Liste ist voll", "the restart list is full"},
    {MoreText::NotRecordedScheduling, "not-recorded-scheduling", "nicht zum Neustart vorgemerkt: ", "not scheduled for the restart: "},
    {MoreText::RefusedParentChanged, "refused-parent-changed", "der Ordner darüber ist nicht mehr derselbe", "the folder above it is no longer the same"},
    {MoreText::PendingFileUnsafe, "pending-file-unsafe", "Nichts ausgeführt: die Liste gehört nicht root oder andere dürfen sie ändern: ", "Nothing carried out: the list is not owned by root or others may change it: "},
    {MoreText::ApplyPendingSummary, "apply-pending-summary", "Ausgeführt: {done}, fehlgeschlagen: {failed}, abgelehnt: {refused}", "Done: {done}, failed: {failed}, refused: {refused}"},

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
    {MoreText::ScannerCancelled, "scanner-cancelled", "Abgebrochen.", "Cancelled."},
    {MoreText::UpdaterExitCode, "scanner-updater-exit-code",
     "Update fehlgeschlagen. KAVUpd.exe endete mit Code ", "Update missed. KAVUpd.exe ended with code "},
    {MoreText::UpdaterCrashed, "scanner-updater-crashed", "Update fehlgeschlagen. KAVUpd.exe ist abgestürzt.",
     "Update missed. KAVUpd.exe crashed."},
    {MoreText::UpdaterNotStarted, "scanner-updater-not-started",
     "Update fehlgeschlagen. KAVUpd.exe konnte nicht gestartet werden.",
     "Update missed. KAVUpd.exe couldn't be started."},
    {MoreText::UpdaterTimedOut, "scanner-updater-timed-out",
     "Update fehlgeschlagen. KAVUpd.exe lief länger als erlaubt und wurde beendet.",
     "Update missed. KAVUpd.exe ran longer than allowed and was ended."},
    {MoreText::ArchiveSha256, "scanner-archive-sha256", "SHA-256 des Archivs: ", "SHA-256 of the archive: "},
    {MoreText::ReasonNotAnArchive, "scanner-reason-not-an-archive", "die Antwort ist kein Archiv",
     "the answer is not an archive"},
    {MoreText::ReasonHttpStatus, "scanner-reason-http-status", "HTTP-Status ", "HTTP status "},
    {MoreText::ReasonNoData, "scanner-reason-no-data", "keine Daten seit %1 s", "no data for %1 s"},
    {MoreText::ReasonTooLarge, "scanner-reason-too-large", "größer als die Grenze", "larger than the limit"},
    {MoreText::ReasonDeadline, "scanner-reason-deadline", "nicht in %1 s fertig", "not finished within %1 s"},
    {MoreText::ReasonTooSlow, "scanner-reason-too-slow", "langsamer als %1 Bytes/s",
     "slower than %1 bytes/s"},
    {MoreText::ReasonIncomplete, "scanner-reason-incomplete", "unvollständig", "incomplete"},
    {MoreText::ReasonRedirect, "scanner-reason-redirect", "Umleitung nicht erlaubt", "redirect not allowed"},
    {MoreText::ReasonWriteFailed, "scanner-reason-write-failed", "Datei konnte nicht geschrieben werden",
     "file couldn't be written"},
    {MoreText::LinksCapped, "scanner-links-capped",
     "Mehr Download-Links als %1 gefunden, nur die ersten %1 werden versucht...",
     "More Download-Links than %1 found, only the first %1 are tried..."},
    {MoreText::FolderUnsafe, "scanner-folder-unsafe",
     "Andere Benutzer können in diesen Ordner schreiben; nichts wird von dort gestartet: ",
     "Other users can write to this folder; nothing is run from it: "},
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
