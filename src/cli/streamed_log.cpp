#include "cli/streamed_log.h"

#include <cstdio>

#include "core/log_read_warnings.h"
#include "core/whole_file.h"
#include "log/log_bytes.h"

namespace korvane {

bool StreamedLog::Open(const QString& command, const std::string& path) {
    command_ = command;
    if (const std::error_code error = file_.Open(path)) {
        std::fprintf(stderr, "%s: cannot read %s: %s\n", qPrintable(command), path.c_str(),
                     error.message().c_str());
        return false;
    }
    // A pipe or a device is never read ahead: its first bytes would be gone.
    if (file_.SizeAtOpen() && LogFileIsUtf16(path)) {
        converted_ = LogTextFromLoadedBytes(ReadWholeFile(path));
        convertedSource_ = std::make_unique<TextByteSource>(converted_);
        reader_ = std::make_unique<LogBlockReader>(*convertedSource_);
    } else {
        reader_ = std::make_unique<LogBlockReader>(file_);
    }
    return true;
}

int StreamedLog::ReportProblems(UiLanguage language) const {
    const LogReadOutcome& outcome = reader_->Outcome();
    for (const std::string& warning : LogReadWarnings(outcome, language)) {
        // UI texts are UTF-8; the terminal takes the system code page.
        const QByteArray local =
            QString::fromUtf8(warning.data(), static_cast<qsizetype>(warning.size())).toLocal8Bit();
        std::fprintf(stderr, "%s: %s\n", qPrintable(command_), local.constData());
    }
    if (LogReadFailed(outcome)) return 2;
    return outcome.SizeChanged() || outcome.skippedLines > 0 ? 3 : 0;
}

}  // namespace korvane
