// The 97 user-interface texts, German then English per row.
// Row numbers are binding: every caption and message names its row.
#include "core/ui_text.h"

namespace korvane {

void UiText::FillTextTable() {
    Set(0, "Datei", "File");
    Set(1, "Sonstiges", "Other");
    Set(2, "eScan-Log öffnen...", "Open eScan-log...");
    Set(3, "eScan-Log aus Zwischenablage einlesen", "Read eScan-log from Clipboard");
    Set(4, "Datei zum löschen auswählen...", "Choose file to delete");
    Set(5, "Datei zum löschen eingeben...", "Input file to delete");
    Set(6, "Beenden", "Exit");
    Set(7, "Alle infizierten auswählen", "Mark all infected");
    Set(8, "Alle auswählen", "Mark all");
    Set(9, "Auswahl aufheben", "Unmark all");
    Set(10, "Auswertung kopieren", "Copy Result");
    Set(11, "Schädlings-Beschreibung Online", "Virus description online");
    Set(12, "eScan - Download / Update / Start", "eScan - download / update / start");
    Set(13, "Fenster immer im Vordergrund", "Window always on top");
    Set(14, "Backup der gelöschten Dateien anlegen", "Make file-backup of the deleted files");
    Set(15, "Alle Dateien beim Neustart löschen", "Delete all files on reboot");
    Set(16, "Sofort neustarten wenn nötig", "Restart immediately if necessary");
    Set(17, "Dateien löschen", "Delete Files");
    Set(18, "Status", "Status");
    Set(19, "Datei", "File");
    Set(20, "Schädling", "Virus");
    Set(21, "Hinzugefügt", "added");
    Set(22, "Gelöscht", "deleted");
    Set(23, "Fehlgeschlagen", "failed");
    Set(24, "Alle Dateien ", "all files");
    Set(25, "Keine Dateiangaben vorhanden.", "no file-informations available");
    Set(26, "Deutsch", "german");
    Set(27, "Englisch", "english");
    Set(28, "Sprache", "language");
    Set(29, "Neustart", "reboot");
    Set(30, "Fehler beim löschen", "Error while deleting");
    Set(31, "Einige Dateien konnten nicht gelöscht werden.", "Some files couldn't be deleted.");
    Set(32, "Diese werden beim nächsten Neustart des Rechners gelöscht.", "These are deleted with the next restart of the computer.");
    Set(33, "Um diese Dateien zu löschen benötigen sie Administratorrechte.", "You need adminstrator-rights to delete these files.");
    Set(34, "Bitte melden Sie sich als Administrator an und führen sie die Prozedur erneut aus.", "Please login as adminstrator and run this procedure a second time.");
    Set(35, "Bitte geben sie den vollständigen Pfad zur Datei oder zum Ordner ein.", "Please input the full path to the file or the folder.");
    Set(36, "WARNUNG !!!", "WARNING !!!");
    Set(37, "Wenn sie einen Ordner zum löschen hinzufügen, werden alle Unterordner inklusive der darin befindlichen Dateien unwideruflich gelöscht.", "If you add a folder to delete, all subfolders and all files therein will be deleted, without a chance to restore it.");
    Set(38, " Datei / Ordner löschen...", " Delete File / Folder...");
    Set(39, "Vom User hinzugefügt", "Added from User");
    Set(40, "Keine Datei, oder Datei nicht vorhanden.", "No file or file not found.");
    Set(41, "Fehler", "error");
    Set(42, "eScan Downloaden", "Download eScan");
    Set(43, "Update der Viren-Signaturen", "Update Virus-definitions");
    Set(44, "eScan starten", "Start eScan");
    Set(45, "Start-Optionen", "Start-Options");
    Set(46, "Schliessen", "Close");
    Set(47, "Suche Download-Seite...", "Search for Download-Page...");
    Set(48, "Extrahiere Download-Links...", "Extract Download-Links");
    Set(49, " Download-Links gefunden...", " Download-Links found...");
    Set(50, " gespeichert.", " saved.");
    Set(51, "Download fehlgeschlagen. Versuche nächsten Link", "Download missed. Try next link");
    Set(52, "Download fehlgeschlagen.", "Download missed.");
    Set(53, "Keine Download-Links gefunden. Versuche Standard-Link...", "No Download-Links found. Try standard-link...");
    Set(54, "Download-Seite fehlerhaft. Links konnten nicht extrahiert werden.", "Download-Page incorrectly. Links couldn't be extracted.");
    Set(55, "Download-Seite nicht gefunden. Aktionen werden angebrochen", "Download-Page not found. Actions are stopped.");
    Set(56, "Entpacke ", "Extract ");
    Set(57, "nach", "to");
    Set(58, "Updates heruntergeladen. Bitte warten...", "Updates downloaded. Please wait...");
    Set(59, "Update fertiggestellt.", "Update finished.");
    Set(60, "Update fehlgeschlagen. KAVUpd.exe nicht vorhanden.", "Update missed. KAVUpd.exe not available.");
    Set(61, "eScan konnte nicht gestartet werden. Unbekannter Fehler.", "eScan couldn't be started. Unknown error.");
    Set(62, "eScan konnte nicht gestartet werden. mwavscan.com nicht vorhanden", "eScan couldn't be started. mwavscan.com not available.");
    Set(63, "Entpacken fehlgeschlagen.", "Unpack missed.");
    Set(64, "Suche ", "Search ");
    Set(65, "Verbinde zu ", "Connect to ");
    Set(66, "Umleitung zu ", "Redirect to ");
    Set(67, "Sende Anfrage...", "Send enquiry...");
    Set(68, "Downloade: ", "Downloade: ");
    Set(69, "Lade ", "Load ");
    Set(70, "Download erfolgreich: ", "Download successfully: ");
    Set(71, "Lade Datei aus dem Cache...", "File loads from the Cache...");
    Set(72, "Update fertiggestellt. Starte eScan...", "Update finished. Start eScan...");
    Set(73, "Lade Datei aus dem Cache...", "File loads from the Cache...");
    Set(74, "Bitte wählen sie den Ordner aus der gescannt werden soll.", "Please choose the folder to scan.");
    Set(75, "Aktionen ", "Actions ");
    Set(76, "Speicher prüfen", "Scan Memory");
    Set(77, "Registrierung prüfen", "Scan Registry");
    Set(78, "Dienste prüfen", "Scan Services");
    Set(79, "Autostart prüfen", "Scan Startup");
    Set(80, "System-Ordner prüfen", "Scan System-Folders");
    Set(81, "Ordner-Auswahl prüfen", "Scan choosen Folder");
    Set(82, "Unterordner des ausgwählten Ordners prüfen", "Scan Subfolders of the choosen Folder");
    Set(83, "Alle lokalen Festplatten prüfen", "Scan all local Drives");
    Set(84, "Schliessen von eScan bestätigen", "Prompt before exit eScan");
    Set(85, " Sind keine Optionen ausgewählt startet eScan mit den empfohlenen Einstellungen ", " If there are no options selected, eScan starts with the recommended settings");
    Set(86, "Ordner wählen ...", "Choose Folder ...");
    Set(87, "Gewählter Ordner: ", "Choosen Folder: ");
    Set(88, "Ohne Ordner-Auswahl werden alle lokalen Festplatten gescannt.", "Without choosing a folder, all local Drives will be scanned.");
    Set(89, " Nützlich beim hinzufügen von Dateien per Dragn-Drop", " Useful on adding files over dragn-drop");
    Set(90, " Von jeder Datei wird eine nicht ausführbare Kopie angelegt (Korvane-Ordner\\KRBackup)", " A not executable copy of each file will be stored (Korvane-Folder\\KRBackup)");
    Set(91, " Alle Dateien werden erst bei einem Neustart gelöscht", " All files are only deleted with a restart");
    Set(92, " Bei Bedarf wird nach dem Löschbefehl das System neugestartet", " If necessary your system will be restarted");
    Set(93, "Keine Dateien zum löschen gefunden ", "No files found to delete");
    Set(94, "Alle Dateien", "All files");
    Set(95, "Backup-Ordner leeren", "Clean backup-folder");
    Set(96, "-------- DATEIEN ZUM LÖSCHEN HINZUGEFÜGT ---------", "------------- FILES ADDED TO DELETE --------------");
    filled_ = true;
}

}  // namespace korvane
