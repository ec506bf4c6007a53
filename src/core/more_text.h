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

    // -- log evaluation --
    LogNone_,

    // -- deletion --
    SchedulingFailed,
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

    // -- scanner --
    ScannerNone_,

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
