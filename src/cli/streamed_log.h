#pragma once
// A log file for the command line, read in blocks of whole lines with
// ordinary reads: memory stays at a block however large the log is, and a log
// that is cut short or grows while it is read ends with a warning, not a signal.
#include <QString>
#include <memory>
#include <string>
#include <string_view>

#include "core/log_block_reader.h"
#include "core/ui_text.h"

namespace korvane {

class StreamedLog {
public:
    // Opens the file; on failure prints a message naming it and returns false.
    bool Open(const QString& command, const std::string& path);
    bool Open(const QString& command, const QString& file) {
        return Open(command, file.toLocal8Bit().toStdString());
    }
    // The next lines: text[from, end), with up to two earlier lines before from.
    bool Next(std::string_view& text, std::size_t& from) { return reader_->Next(text, from); }
    // After the last block: prints what went wrong while reading to standard
    // error. Returns the exit status it calls for: 0 read whole, 2 not
    // readable as a log (no line end, a failed read), 3 evaluated in part (the
    // file changed while it was read, over-long lines left out).
    int ReportProblems(UiLanguage language) const;

private:
    QString command_;
    FileByteSource file_;
    // A UTF-16 log, converted whole before it is read.
    std::string converted_;
    std::unique_ptr<TextByteSource> convertedSource_;
    std::unique_ptr<LogBlockReader> reader_;
};

}  // namespace korvane
