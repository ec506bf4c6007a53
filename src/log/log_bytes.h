#pragma once
// A log's bytes where they meet the rest of the program: the text of a
// freshly loaded log (file or clipboard), and paths and names as the list and
// the clipboard show them.
#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// The text the parser and the report work on: a log saved as UTF-16 (with a
// byte-order mark) in the system code page, any other log unchanged.
std::string LogTextFromLoadedBytes(std::string bytes);
// The same for a log held elsewhere (a mapped file): the converted text of a
// UTF-16 log, nothing when the bytes are the text.
std::optional<std::string> Utf16LogInSystemCodePage(std::string_view bytes);

// True when the file starts with a UTF-16 byte-order mark: such a log is read
// whole and converted, never streamed in blocks of its raw bytes.
bool LogFileIsUtf16(const std::string& path);

// Bytes of the log as the user sees them. Where the system code page is
// UTF-8, bytes that are not UTF-8 are read as Windows-1252, the code page the
// scanner writes; the bytes themselves stay as they are everywhere else.
QString ShownLogBytes(const std::string& bytes);

}  // namespace korvane
