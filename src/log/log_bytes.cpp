#include "log/log_bytes.h"

#include <fstream>

#include "core/log_text_encoding.h"

namespace korvane {

namespace {

bool SystemCodePageIsUtf8() {
    static const bool utf8 = QString::fromLocal8Bit("\xC3\xBC") == QString(QChar(0xFC));
    return utf8;
}

}  // namespace

std::optional<std::string> Utf16LogInSystemCodePage(std::string_view bytes) {
    std::optional<std::string> utf8 = Utf16LogAsUtf8(bytes);
    if (!utf8 || SystemCodePageIsUtf8()) return utf8;
    return QString::fromUtf8(utf8->data(), static_cast<qsizetype>(utf8->size())).toLocal8Bit().toStdString();
}

std::string LogTextFromLoadedBytes(std::string bytes) {
    std::optional<std::string> converted = Utf16LogInSystemCodePage(bytes);
    return converted ? std::move(*converted) : std::move(bytes);
}

bool LogFileIsUtf16(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char first[2] = {};
    in.read(first, 2);
    return in.gcount() == 2 && StartsAsUtf16(std::string_view(first, 2));
}

QString ShownLogBytes(const std::string& bytes) {
    if (!SystemCodePageIsUtf8())
        return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const std::string shown = Windows1252WhereNotUtf8(bytes);
    return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

}  // namespace korvane
