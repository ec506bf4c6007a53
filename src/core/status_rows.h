#pragma once

namespace korvane {

// Text-table rows of the result list's status column and of hand-added names.
inline constexpr int kStatusAdded = 21;
inline constexpr int kStatusDeleted = 22;
inline constexpr int kStatusFailed = 23;
inline constexpr int kStatusReboot = 29;
inline constexpr int kAddedByUserName = 39;

}  // namespace korvane
