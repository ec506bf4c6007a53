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

    // -- deletion --
    {MoreText::SchedulingFailed, "scheduling-failed",
     "Sie konnten nicht zum Löschen beim nächsten Neustart vorgemerkt werden: ",
     "They could not be scheduled for deletion at the next restart: "},
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
