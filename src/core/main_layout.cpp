#include "core/main_layout.h"

#include <cmath>

namespace korvane {

MainLayoutResult ComputeMainLayout(const MainLayoutInput& in) {
    MainLayoutResult r;
    r.list = in.list;
    r.alwaysShow = in.alwaysShow;
    r.fileBackup = in.fileBackup;
    r.delAllOnReboot = in.delAllOnReboot;
    r.reboot = in.reboot;
    r.delFiles = in.delFiles;
    r.end = in.end;
    if (in.outerWidth < kMinWindowWidthTwips || in.outerHeight < kMinWindowHeightTwips) {
        r.snapBack = true;
        r.snapHeight = in.outerHeight < kMinWindowHeightTwips ? kMinWindowHeightTwips : in.outerHeight;
        r.snapWidth = in.outerWidth < kMinWindowWidthTwips ? kMinWindowWidthTwips : in.outerWidth;
        return r;
    }
    // Ties go to the even number (banker's rounding), as the default FP mode does.
    const double u = std::nearbyint((in.outerWidth - (in.list.left + 100)) / 100);
    const double v = std::trunc(in.outerHeight - (in.list.top + 1450));
    r.list.width = static_cast<double>(static_cast<float>(u * 99.75));
    r.list.height = v;
    r.statusColumnWidth = u * 11;
    r.fileColumnWidth = u * 60;
    r.alwaysShow.top = r.list.height + 150;
    r.fileBackup.top = r.alwaysShow.top;
    r.fileBackup.left = r.alwaysShow.left + r.alwaysShow.width + 300;
    r.delAllOnReboot.top = r.alwaysShow.top + r.alwaysShow.height + 100;
    r.reboot.top = r.delAllOnReboot.top;
    r.reboot.left = r.fileBackup.left;
    r.delFiles.top = r.list.height + 65;
    r.delFiles.left = in.outerWidth - r.delFiles.width - 140;
    r.end.top = r.delFiles.top + r.delFiles.height + 50;
    r.end.left = r.delFiles.left;
    return r;
}

}  // namespace korvane
