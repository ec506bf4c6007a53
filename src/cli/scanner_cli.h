#pragma once
// korvane scanner: the scanner window's run without a window.
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/scanner_limits.h"
#include "platform/download.h"
#include "platform/platform.h"
#include "platform/process_runner.h"

namespace korvane {

struct ScannerCommandLine {
    std::optional<UiLanguage> language;
    bool download = false;
    bool update = false;
    bool start = false;
    std::vector<int> options;  // option boxes 1..9 in the order given
    std::optional<std::string> folder;
};

inline constexpr const char* kScannerUsage =
    "Usage: korvane scanner [--language de|en] [--download] [--update] [--start]\n"
    "                       [--option mem,reg,startup,sysfolder,ser,folder,subfolders,drive,wait]...\n"
    "                       [--folder DIR]\n";

// Reads the arguments after "korvane scanner"; false with error set on a
// usage error, such as a --folder that is not an existing folder.
bool ParseScannerCommandLine(const QStringList& arguments, ScannerCommandLine& line, std::string& error);

// Ticks the boxes as a user would and runs the sequence. Status lines go to
// out, each once, messages to err. Returns 0 when every requested stage
// succeeded, 1 when one failed or the run was cancelled (cancelRequested,
// polled while the run waits, turns true), 2 when the boxes could not be
// ticked that way (a box the other options disabled).
int RunScannerSequence(const ScannerCommandLine& line, AppState& state, Platform& platform,
                       Downloader& downloader, ProcessRunner& processes, const std::string& vendorHost,
                       std::chrono::milliseconds startDelay, std::FILE* out, std::FILE* err,
                       const ScannerLimits& limits = {}, const std::function<bool()>& cancelRequested = {});

}  // namespace korvane
