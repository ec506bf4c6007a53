#include <gtest/gtest.h>

#include "core/log_evaluation.h"
#include "core/status_rows.h"

namespace korvane {
namespace {

AppState EnglishState() {
    AppState state;
    state.Language = UiLanguage::English;
    state.ResetLists();
    return state;
}

const char* kLog = "file C:\\a.exe infected by \"A\"\r\nfile C:\\b.exe infected by \"B\"\r\n";

TEST(LogEvaluation, HandAddedEntriesBeforeTheFirstLogStayInFront) {
    AppState state = EnglishState();
    EXPECT_EQ(AppendEntryByHand(state, "C:\\a.exe"), 1u);
    const LogEvaluation first = EvaluateLogIntoEntries(state, kLog);
    EXPECT_FALSE(first.entriesReplaced);
    EXPECT_EQ(first.firstNewIndex, 2u);
    // The hand-added path counts as listed, so the log's line for it is dropped.
    ASSERT_EQ(state.EntryCount(), 2u);
    EXPECT_EQ(state.LogEntries[1], (LogEntry{"C:\\a.exe", "Added from User"}));
    EXPECT_EQ(state.LogEntries[2], (LogEntry{"C:\\b.exe", "B"}));
    EXPECT_TRUE(state.LogEvaluated);
}

TEST(LogEvaluation, LaterEvaluationsStartFromAnEmptyList) {
    AppState state = EnglishState();
    EvaluateLogIntoEntries(state, kLog);
    AppendEntryByHand(state, " C:\\typed ");
    EXPECT_EQ(state.LogEntries[3].FilePath, " C:\\typed ");
    const LogEvaluation again = EvaluateLogIntoEntries(state, kLog);
    EXPECT_TRUE(again.entriesReplaced);
    EXPECT_EQ(again.firstNewIndex, 1u);
    EXPECT_EQ(state.EntryCount(), 2u);
    EXPECT_EQ(state.LogEntries[0], LogEntry{});
}

TEST(LogEvaluation, RowCarriesKeyStatusPathAndName) {
    AppState state = EnglishState();
    EvaluateLogIntoEntries(state, kLog);
    EXPECT_EQ(RowForEntry(state, 2), (ResultRow{"Line2", "added", "C:\\b.exe", "B", false}));
    state.Language = UiLanguage::German;
    EXPECT_EQ(RowForEntry(state, 1).Status, "Hinzugefügt");
}

}  // namespace
}  // namespace korvane
