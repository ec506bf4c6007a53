// The report: on the clipboard always, in escan_Result.txt when it has numbered content.
#include <QString>

#include "core/log_evaluation.h"
#include "core/log_report.h"
#include "core/whole_file.h"
#include "log/log_evaluation_controller.h"

namespace korvane {

namespace {
constexpr int kFilesAddedHeaderRow = 96;
}

std::string LogEvaluationController::ReportHeaderBytes() const {
    // The report is in the log's code page, so the header joins it converted.
    const std::string& header = state_.Text(kFilesAddedHeaderRow);
    return QString::fromUtf8(header.data(), static_cast<qsizetype>(header.size()))
        .toLocal8Bit()
        .toStdString();
}

void LogEvaluationController::mnuCopyToClipBoard_Click() {
    DeliverReport(BuildReport(state_.LogText, EntriesOf(state_), ReportHeaderBytes()));
}

void LogEvaluationController::DeliverReport(const std::string& report) {
    if (ReportBelongsInFile(report)) {
        // Failures leave the older file as it was; the clipboard still gets the report.
        (void)WriteWholeFile(state_.ProgramFolder + kReportFileName, report);
    }
    platform_.ui.SetClipboardText(report);
}

}  // namespace korvane
