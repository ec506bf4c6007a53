#pragma once
// The one store every part of the program shares for the whole run.
#include <cstdint>
#include <string>
#include <vector>

#include "core/log_entry.h"
#include "core/ui_text.h"

namespace korvane {

struct AppState {
    std::string AppTitle;
    UiLanguage Language = UiLanguage::German;
    UiLanguage PreviousLanguage = UiLanguage::German;
    std::string LocaleLanguageName;
    std::int16_t OsVersion = 0;
    bool UserIsAdmin = false;
    std::string WindowsDir;
    std::string SystemDir;
    std::string TempDir;
    std::string InternetCacheDir;
    std::vector<LogEntry> LogEntries;          // element 0 stays blank
    std::vector<std::string> RebootDeleteList; // element 0 stays empty
    bool LogEvaluated = false;
    std::string LogText;
    std::string DialogFolder;
    std::int32_t ClickedItemIndex = 0;
    std::int32_t ClickedSubItemIndex = 0;
    std::string ClickedSubItemText;
    std::string ScanFolder;

    // Folders the probes report, so tests can point them at temporary folders.
    std::string ProgramFolder;   // with a trailing separator
    std::string DriveRoot;       // with a trailing separator
    // Where the scanner lives, without a trailing separator; empty: "bases_x"
    // at DriveRoot. Chosen at start so that no other user can write there.
    std::string ScannerFolder;
    char PathSeparator = '/';

    const UiText* Table = &Texts();  // "UiText"

    const std::string& Text(int row) const { return Table->Get(row, Language); }
    std::string ScannerFolderPath() const {
        return ScannerFolder.empty() ? DriveRoot + "bases_x" : ScannerFolder;
    }

    // Entries live at indices 1..n; element 0 is blank.
    std::size_t EntryCount() const { return LogEntries.empty() ? 0 : LogEntries.size() - 1; }
    void ResetLists() {
        LogEntries.assign(1, LogEntry{});
        RebootDeleteList.assign(1, std::string{});
    }
};

}  // namespace korvane
