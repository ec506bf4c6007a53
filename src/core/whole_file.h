#pragma once
// Whole files as byte strings. Paths and contents are bytes in the system code
// page and pass through unchanged.
#include <string>
#include <string_view>
#include <system_error>

namespace korvane {

// The file's bytes; empty on any failure (missing, unreadable, a folder).
std::string ReadWholeFile(const std::string& path);

// Like ReadWholeFile, but tells a failure from an empty file.
std::error_code ReadWholeFile(const std::string& path, std::string& contents);

// Writes the bytes to a temporary file in the same folder and renames it over
// the target, so a failed write (full disk, no rights) leaves the old file as
// it was. Returns what went wrong, or an empty error code.
std::error_code WriteWholeFile(const std::string& path, std::string_view contents);

}  // namespace korvane
