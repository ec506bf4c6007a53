#include "core/log_read_warnings.h"

#include "core/more_text.h"
#include "core/text_util.h"

namespace korvane {

std::vector<std::string> LogReadWarnings(const LogReadOutcome& outcome, UiLanguage language) {
    std::vector<std::string> warnings;
    const std::string bytesRead = std::to_string(outcome.bytesRead);
    if (outcome.noLineEnd) warnings.push_back(More(MoreText::LogNoLineEnd, language));
    if (outcome.error) {
        warnings.push_back(
            FillIn(More(MoreText::LogReadFailed, language), {bytesRead, outcome.error.message()}));
    } else if (outcome.SizeChanged() && !outcome.noLineEnd) {
        // Reading stops early on an input without line ends: that is no change of the file.
        warnings.push_back(FillIn(More(MoreText::LogChangedWhileRead, language),
                                  {bytesRead, std::to_string(*outcome.expectedBytes)}));
    }
    if (outcome.skippedLines > 0 && !outcome.noLineEnd) {
        warnings.push_back(
            FillIn(More(MoreText::LogLinesSkipped, language), {std::to_string(outcome.skippedLines)}));
    }
    return warnings;
}

}  // namespace korvane
