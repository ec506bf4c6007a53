#include "cli/mapped_log.h"

#include "core/whole_file.h"

namespace korvane {

std::error_code MappedLog::Open(const std::string& path) {
    file_.setFileName(QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())));
    if (file_.open(QIODevice::ReadOnly) && file_.size() > 0) {
        if (uchar* bytes = file_.map(0, file_.size())) {
            text_ = std::string_view(reinterpret_cast<const char*>(bytes),
                                     static_cast<std::size_t>(file_.size()));
            return {};
        }
    }
    file_.close();
    // Empty files, pipes and what cannot be mapped: read whole, with its error.
    const std::error_code error = ReadWholeFile(path, read_);
    text_ = read_;
    return error;
}

}  // namespace korvane
