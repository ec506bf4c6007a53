#include "delete/row_target.h"

#include "core/more_text.h"

namespace korvane {

RowTargets::RowTargets() : mapDrivePaths_(DrivePathsNeedMapping()) {
    if (mapDrivePaths_) prefix_ = ReadWinePrefix();
}

RowTargets::RowTargets(WinePrefix prefix, bool mapDrivePaths)
    : prefix_(std::move(prefix)), mapDrivePaths_(mapDrivePaths) {}

RowTarget RowTargets::Of(const std::string& rowPath, UiLanguage language) const {
    if (!mapDrivePaths_) return {rowPath, {}};
    const WinePathMapping mapping = MapWineDrivePath(rowPath, prefix_.drives, FindNameIgnoringCase);
    switch (mapping.kind) {
        case WineMappingKind::NotADrivePath:
        case WineMappingKind::Mapped:
            return {mapping.path, {}};
        case WineMappingKind::NoSuchDrive:
            return {{}, More(MoreText::WineNoDrive, language) + prefix_.dosdevices};
        case WineMappingKind::RelativeComponent:
            return {{}, More(MoreText::WineRelativeName, language)};
        case WineMappingKind::NotAbsolute:
            return {{}, More(MoreText::WineNotAbsolute, language)};
    }
    return {{}, More(MoreText::WineNotAbsolute, language)};
}

}  // namespace korvane
