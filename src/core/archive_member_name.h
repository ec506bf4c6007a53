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

// Whether Windows can create a file of this name in a folder and it stays an
// ordinary file there: not a device name (CON, PRN, AUX, NUL, COM0-9, LPT0-9,
// CONIN$, CONOUT$, with or without an extension, in any case), no character
// Windows forbids (control characters, < > : " / \ | ? *; a colon would name
// a stream of another file), not ending in a dot or a blank.
bool IsUsableWindowsFileName(std::string_view name);

// Permission bits to give an extracted file: the stored ones without
// set-user-id, set-group-id, sticky and write-by-others, as unzip does;
// 0644 when the archive stores none.
std::uint32_t ExtractedFileMode(std::uint32_t storedMode);

}  // namespace korvane
