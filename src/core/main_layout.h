#pragma once
// Geometry of the main window in twips (1/1440 inch), as the window was designed.

namespace korvane {

struct TwipRect {
    double left = 0, top = 0, width = 0, height = 0;
};

struct MainLayoutInput {
    double outerWidth = 0;   // whole window, border, title and menu bar included
    double outerHeight = 0;
    TwipRect list{0, 0, 8250, 3570};
    TwipRect alwaysShow{45, 3645, 2625, 215};
    TwipRect fileBackup{2760, 3645, 3435, 215};
    TwipRect delAllOnReboot{45, 3960, 2805, 215};
    TwipRect reboot{2925, 3960, 2670, 215};
    TwipRect delFiles{5670, 3690, 2535, 300};
    TwipRect end{5670, 4005, 2535, 300};
};

struct MainLayoutResult {
    // Set when the window is below 9000 x 3000: the size it must snap back to,
    // and nothing else is laid out in this pass.
    bool snapBack = false;
    double snapWidth = 0, snapHeight = 0;

    TwipRect list, alwaysShow, fileBackup, delAllOnReboot, reboot, delFiles, end;
    double statusColumnWidth = 0;
    double fileColumnWidth = 0;
};

inline constexpr double kMinWindowWidthTwips = 9000;
inline constexpr double kMinWindowHeightTwips = 3000;

MainLayoutResult ComputeMainLayout(const MainLayoutInput& in);

}  // namespace korvane
