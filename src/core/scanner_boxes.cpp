#include "core/scanner_boxes.h"

namespace korvane {

namespace {

void CheckStartClick(ScannerBoxes& boxes, AppState& state, bool optionsPanelOpen) {
    if (boxes.value[kCheckStart]) {
        boxes.enabled[kCommand4] = true;
        return;
    }
    boxes.enabled[kCommand4] = false;
    if (optionsPanelOpen) boxes.closePanelRequested = true;
    for (int i = 1; i <= 7; ++i) SetBox(boxes, state, OptionBox(i), false);
    boxes.enabled[OptionBox(7)] = false;
    boxes.enabled[kCommand3] = false;
    SetBox(boxes, state, OptionBox(8), false);
}

void Check6Click(ScannerBoxes& boxes, AppState& state) {
    const bool folder = boxes.Option(6);
    boxes.enabled[OptionBox(7)] = folder;
    SetBox(boxes, state, OptionBox(7), false);
    boxes.enabled[OptionBox(8)] = !folder;
    boxes.enabled[kCommand3] = folder;
    if (!folder) {
        state.ScanFolder.clear();
        boxes.command3ToolTip.clear();
    }
}

void Check8Click(ScannerBoxes& boxes, AppState& state) {
    if (boxes.Option(8)) {
        SetBox(boxes, state, OptionBox(6), false);
        boxes.enabled[OptionBox(6)] = false;
        SetBox(boxes, state, OptionBox(7), false);
        boxes.enabled[OptionBox(7)] = false;
        state.ScanFolder.clear();
        boxes.command3ToolTip.clear();
        boxes.enabled[kCommand3] = false;
    } else {
        boxes.enabled[OptionBox(6)] = true;
    }
}

}  // namespace

void SetBox(ScannerBoxes& boxes, AppState& state, ScannerControl box, bool checked, bool optionsPanelOpen) {
    if (!IsCheckBox(box) || boxes.value[box] == checked) return;
    boxes.value[box] = checked;
    if (box == kCheckStart) CheckStartClick(boxes, state, optionsPanelOpen);
    if (box == OptionBox(6)) Check6Click(boxes, state);
    if (box == OptionBox(8)) Check8Click(boxes, state);
}

void ChooseScanFolder(ScannerBoxes& boxes, AppState& state, const std::string& folder) {
    state.ScanFolder = folder;
    // The tool tip is UTF-8 text; the folder is shown as the system spells it.
    if (!folder.empty()) {
        boxes.command3ToolTip = " " + state.Text(87) + folder + " ";
    } else {
        boxes.command3ToolTip = " " + state.Text(88);
    }
}

void SetControlsEnabled(ScannerBoxes& boxes, bool enable) {
    for (bool& e : boxes.enabled) e = enable;
}

void EnableAfterRun(ScannerBoxes& boxes) {
    SetControlsEnabled(boxes, true);
    boxes.enabled[kCommand4] = boxes.value[kCheckStart];
}

}  // namespace korvane
