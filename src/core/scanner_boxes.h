#pragma once
// The scanner window's check boxes and buttons as plain data, with the rules
// that tie them together. Changing a box from code runs the same rule as a
// click, so one change can cascade (unticking the start box clears the
// folder box, which clears the chosen folder).
#include <string>

#include "core/app_state.h"

namespace korvane {

enum ScannerControl : int {
    kCheckDownload,
    kCheckUpdate,
    kCheckStart,
    kCheck1,  // kCheck1 + i - 1 is Check<i>
    kCheck9 = kCheck1 + 8,
    kCommand1,
    kCommand2,
    kCommand3,
    kCommand4,
    kScannerControlCount
};

inline constexpr ScannerControl OptionBox(int i) {
    return static_cast<ScannerControl>(kCheck1 + i - 1);
}
inline constexpr bool IsCheckBox(ScannerControl c) {
    return c <= kCheck9;
}

struct ScannerBoxes {
    bool value[kScannerControlCount] = {};  // check boxes only
    bool enabled[kScannerControlCount] = {true, true,  true, true, true, true, true,  true,
                                          true, false, true, true, true, true, false, false};
    std::string command3ToolTip;  // UTF-8
    // Set when unticking the start box must close an open options panel.
    bool closePanelRequested = false;

    bool Checked(ScannerControl c) const { return value[c]; }
    bool Option(int i) const { return value[OptionBox(i)]; }
};

// Sets a check box; when the value changes its click rule runs.
// optionsPanelOpen tells the start box's rule whether to ask for the panel to close.
void SetBox(ScannerBoxes& boxes, AppState& state, ScannerControl box, bool checked,
            bool optionsPanelOpen = false);

// The folder picker's answer for Command3: the chosen folder, or empty.
void ChooseScanFolder(ScannerBoxes& boxes, AppState& state, const std::string& folder);

// Every button and check box on or off.
void SetControlsEnabled(ScannerBoxes& boxes, bool enable);

// After a run: everything enabled, Command4 only with the start box ticked.
void EnableAfterRun(ScannerBoxes& boxes);

}  // namespace korvane
