#pragma once
// The encodings a scanner log arrives in. The program works on the log's
// bytes; these turn a log saved as UTF-16 into bytes, and make a name in the
// Windows code page readable on a system whose names are UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// The text of a log that starts with a UTF-16 byte-order mark (either byte
// order) as UTF-8, without the mark; nothing for any other log. A surrogate
// without its partner becomes U+FFFD; an odd last byte is dropped.
std::optional<std::string> Utf16LogAsUtf8(std::string_view bytes);

// True when the bytes start with a UTF-16 byte-order mark (either byte order).
bool StartsAsUtf16(std::string_view firstBytes);

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

// UTF-8 to show: well-formed UTF-8 stays as it is, and every byte that is not
// part of a well-formed sequence is read as Windows-1252, the code page the
// scanner writes on Windows.
std::string Windows1252WhereNotUtf8(std::string_view bytes);

}  // namespace korvane
