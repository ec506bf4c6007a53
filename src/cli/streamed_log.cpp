#include "cli/streamed_log.h"

#include <cstdio>

#include "core/log_read_warnings.h"

namespace korvane {

bool StreamedLog::Open(const QString& command, const QString& file) {
    command_ = command;
    if (const std::error_code error = source_.Open(file.toLocal8Bit().toStdString())) {
        std::fprintf(stderr, "%s: cannot read %s: %s\n", qPrintable(command), qPrintable(file),
                     error.message().c_str());
        return false;
    }
    reader_ = std::make_unique<LogBlockReader>(source_);
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
