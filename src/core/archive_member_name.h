#pragma once
// How a stored archive member lands in the scanner folder: flat, by its last
// name component, never outside the folder.
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

// The member's last component after both '/' and '\'; empty for names that
// must not be written ("", ".", "..", a name ending in a separator).
std::string FlatMemberName(std::string_view storedName);

// Permission bits to give an extracted file: the stored ones without
// set-user-id, set-group-id, sticky and write-by-others, as unzip does;
// 0644 when the archive stores none.
std::uint32_t ExtractedFileMode(std::uint32_t storedMode);

}  // namespace korvane
