#pragma once
// A log file's bytes for the command line: mapped into memory where the
// system allows it (a large log is then neither copied nor zero-filled),
// read whole otherwise.
#include <QFile>
#include <string>
#include <string_view>
#include <system_error>

namespace korvane {

class MappedLog {
public:
    // Opens and maps (or reads) the file; the error tells why it failed.
    std::error_code Open(const std::string& path);
    std::string_view Text() const { return text_; }

private:
    QFile file_;
    std::string read_;
    std::string_view text_;
};

}  // namespace korvane
