// Adding objects to the list by hand: typed, chosen in a dialog, dropped.
#include "core/log_evaluation.h"
#include "log/log_evaluation_controller.h"
#include "log/result_list_model.h"

namespace korvane {

namespace {
constexpr int kChooseFileTitleRow = 4;
constexpr int kInputPromptRow = 35;
constexpr int kInputWarningRow = 36;
constexpr int kInputFolderWarningRow = 37;
constexpr int kInputTitleRow = 38;
constexpr int kNoFileRow = 40;
constexpr int kErrorRow = 41;
constexpr int kAllFilesFilterRow = 94;
}  // namespace

void LogEvaluationController::AppendByHand(const std::string& path) {
    // The model's new row carries its own path and name; a sorting list puts
    // it at its sorted place.
    AppendEntryRow(AppendEntryByHand(state_, path));
}

void LogEvaluationController::mnuAddFilemanual_Click() {
    const std::string prompt = state_.Text(kInputPromptRow) + "\r\n\r\n" + state_.Text(kInputWarningRow) +
                               "\r\n" + state_.Text(kInputFolderWarningRow) + "\r\n";
    // Typed text is taken as it is, blanks included; it is not tested.
    const std::string typed = platform_.ui.InputBox(prompt, state_.Text(kInputTitleRow), {});
    if (typed.empty()) return;
    AppendByHand(typed);
}

void LogEvaluationController::mnuAddFileToDelete_Click() {
    const std::string path =
        ShowFileDialog(state_.Text(kChooseFileTitleRow), {{state_.Text(kAllFilesFilterRow), kAllFilesPattern}},
                       std::string());
    if (path.empty()) return;
    AppendByHand(path);
}

void LogEvaluationController::ListView1_OLEDragDrop(const std::vector<std::string>& droppedPaths) {
    if (droppedPaths.empty() || droppedPaths.front().empty()) return;
    const std::string& path = droppedPaths.front();
    if (platform_.files.FileExists(path)) {
        AppendByHand(path);
        return;
    }
    platform_.ui.ShowMessage({state_.Text(kNoFileRow), state_.AppTitle + " - " + state_.Text(kErrorRow),
                              MessageButtons::Ok, MessageIcon::Information});
}

}  // namespace korvane
