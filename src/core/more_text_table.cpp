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
