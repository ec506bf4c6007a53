#pragma once
// Texts beyond the 97 rows of UiText, German and English: messages and
// captions the program needs that the original table has no row for.
// Each has a name here, a key (the first column of its reference table) and
// its two texts in more_text_table.cpp.
//
// Keep one block per subsystem; add new names at the end of their block.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/ui_text.h"

namespace korvane {

enum class MoreText : std::uint16_t {
    // -- start-up, windows, command line --
    AppNone_,  // keeps this block non-empty; not a text
    UnknownCommandOrFile,
    NoDisplayForWindow,

    // -- log evaluation --
    LogNone_,
    WineNoDrive,
    WineRelativeName,
    WineNotAbsolute,
    ReportWrittenTo,
    ReportNotWritten,
    LogChangedWhileRead,
    LogLinesSkipped,
    LogNoLineEnd,
    LogReadFailed,
    LogReadingProgress,

    // -- deletion --
    SchedulingFailed,
    DeleteProgressCaption,
    DeleteProgressRow,
    DeleteProgressCancel,
    NotDeletedList,
    RefusedProtectedFolder,
    RefusedMountPointInside,
    RefusedNotPlainPath,
    NotRecordedTooShort,
    NotRecordedListFull,
    NotRecordedScheduling,
    RefusedParentChanged,
    PendingFileUnsafe,
    ApplyPendingSummary,

    // -- backups --
    BackupNone_,
    BackupFailed,
    RestoreFromBackup,
    BackupsTitle,
    BackupsColumnTime,
    BackupsColumnOriginal,
    BackupsColumnDetection,
    BackupsColumnSize,
    BackupsRestore,
    BackupsRestoreTo,
    BackupsDelete,
    BackupsClose,
    BackupsRestoreToPrompt,
    BackupsDeleteQuestion,
    BackupsNotRestored,
    BackupsDamaged,

    // -- scanner --
    ScannerNone_,
    ScannerCancel,
    ScannerCancelled,
    UpdaterExitCode,
    UpdaterCrashed,
    UpdaterNotStarted,
    UpdaterTimedOut,
    ArchiveSha256,
    ReasonNotAnArchive,
    ReasonHttpStatus,
    ReasonNoData,
    ReasonTooLarge,
    ReasonDeadline,
    ReasonTooSlow,
    ReasonIncomplete,
    ReasonRedirect,
    ReasonWriteFailed,
    LinksCapped,
    FolderUnsafe,

    Count_
};

struct MoreTextRow {
    MoreText id;
    std::string_view key;
    std::string_view german;
    std::string_view english;
};

// Every row, in the order of MoreText; placeholder names have an empty key.
const MoreTextRow* MoreTextRows();

const std::string& More(MoreText id, UiLanguage language);

}  // namespace korvane
