// The report: on the clipboard always, in escan_Result.txt when it has numbered content.
#include <QMainWindow>
#include <QStatusBar>
#include <QString>

#include "core/log_evaluation.h"
#include "core/log_report.h"
#include "core/more_text.h"
#include "core/whole_file.h"
#include "log/log_evaluation_controller.h"

namespace korvane {

namespace {
constexpr int kFilesAddedHeaderRow = 96;

QString FromUi(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

std::string LogEvaluationController::ReportHeaderBytes() const {
    // The report is in the log's code page, so the header joins it converted.
    const std::string& header = state_.Text(kFilesAddedHeaderRow);
    return FromUi(header).toLocal8Bit().toStdString();
}

void LogEvaluationController::mnuCopyToClipBoard_Click() {
    DeliverReport(BuildReport(state_.LogText, EntriesOf(state_), ReportHeaderBytes()));
}

void LogEvaluationController::DeliverReport(const std::string& report) {
    // The status line names the file written (the folder depends on where the
    // program may write), or why it could not be; never an older file's name.
    QStatusBar* status = parts_.window != nullptr ? parts_.window->statusBar() : nullptr;
    if (ReportBelongsInFile(report)) {
        const std::string file = state_.ProgramFolder + kReportFileName;
        const QString shownFile = QString::fromLocal8Bit(file.data(), static_cast<qsizetype>(file.size()));
        // Failures leave the older file as it was; the clipboard still gets the report.
        if (const std::error_code error = WriteWholeFile(file, report)) {
            if (status != nullptr)
                status->showMessage(FromUi(More(MoreText::ReportNotWritten, state_.Language)) + shownFile +
                                    QStringLiteral(" (") + QString::fromLocal8Bit(error.message().c_str()) +
                                    QStringLiteral(")"));
        } else if (status != nullptr) {
            status->showMessage(FromUi(More(MoreText::ReportWrittenTo, state_.Language)) + shownFile);
        }
    } else if (status != nullptr) {
        status->clearMessage();
    }
    platform_.ui.SetClipboardText(report);
}

}  // namespace korvane
