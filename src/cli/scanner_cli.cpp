#include "cli/scanner_cli.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include "core/scanner_boxes.h"
#include "scanner/scanner_sequence.h"

namespace korvane {

namespace {

struct OptionName {
    const char* name;
    int box;
};

constexpr OptionName kOptionNames[] = {{"mem", 1},        {"reg", 2},   {"startup", 3},
                                       {"sysfolder", 4},  {"ser", 5},   {"folder", 6},
                                       {"subfolders", 7}, {"drive", 8}, {"wait", 9}};

const char* NameOf(int box) {
    for (const OptionName& o : kOptionNames) {
        if (o.box == box) return o.name;
    }
    return "?";
}

// Prints the status history the window shows, without the progress panel
// (which repeats it with a percentage) and without a progress line that
// only repeats the one before.
class ConsoleView : public ScannerView {
public:
    explicit ConsoleView(std::FILE* out) : out_(out) {}
    void ShowStatus(const std::string&) override {}
    void AppendStatusLine(const std::string& line) override {
        if (line == last_) return;
        last_ = line;
        Line(line);
    }
    void ClearStatusLog() override {}
    void AppendByteLog(const std::string&) override {}
    void ShowDownloadProgress(std::optional<int>) override {}
    void HideDownloadProgress() override {}
    void BoxesChanged() override {}
    void FocusCloseButton() override {}
    void CloseWindow() override {}
    void StartDelayTimer() override {}
    void StopDelayTimer() override {}

private:
    void Line(const std::string& text) {
        std::fprintf(out_, "%s\n", text.c_str());
        std::fflush(out_);
    }
    std::FILE* out_;
    std::string last_;
};

}  // namespace

bool ParseScannerCommandLine(const QStringList& arguments, ScannerCommandLine& line, std::string& error) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const auto value = [&](QString& out) {
            if (i + 1 >= arguments.size()) {
                error = a.toStdString() + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        QString v;
        if (a == QLatin1String("--download")) {
            line.download = true;
        } else if (a == QLatin1String("--update")) {
            line.update = true;
        } else if (a == QLatin1String("--start")) {
            line.start = true;
        } else if (a == QLatin1String("--language")) {
            if (!value(v)) return false;
            if (v == QLatin1String("de")) {
                line.language = UiLanguage::German;
            } else if (v == QLatin1String("en")) {
                line.language = UiLanguage::English;
            } else {
                error = "--language takes de or en";
                return false;
            }
        } else if (a == QLatin1String("--option")) {
            if (!value(v)) return false;
            for (const QString& name : v.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                int box = 0;
                for (const OptionName& o : kOptionNames) {
                    if (name.trimmed().compare(QLatin1String(o.name), Qt::CaseInsensitive) == 0) box = o.box;
                }
                if (box == 0) {
                    error = "unknown option: " + name.toStdString();
                    return false;
                }
                line.options.push_back(box);
            }
        } else if (a == QLatin1String("--folder")) {
            if (!value(v)) return false;
            // A folder that is not there would silently become a scan of every drive.
            if (!QFileInfo(v).isDir()) {
                error = "--folder: no such folder: " + v.toStdString();
                return false;
            }
            line.folder = QDir(v).absolutePath().toLocal8Bit().toStdString();
        } else {
            error = "unknown argument: " + a.toStdString();
            return false;
        }
    }
    if (!line.download && !line.update && !line.start) {
        error = "nothing to do: give --download, --update or --start";
        return false;
    }
    return true;
}

int RunScannerSequence(const ScannerCommandLine& line, AppState& state, Platform& platform,
                       Downloader& downloader, ProcessRunner& processes, const std::string& vendorHost,
                       std::chrono::milliseconds startDelay, std::FILE* out, std::FILE* err,
                       const ScannerLimits& limits, const std::function<bool()>& cancelRequested) {
    ScannerBoxes boxes;
    // The stage boxes first, then the options in the order given, each only
    // where the window would let the user tick it.
    SetBox(boxes, state, kCheckDownload, line.download);
    SetBox(boxes, state, kCheckUpdate, line.update);
    SetBox(boxes, state, kCheckStart, line.start);
    for (int box : line.options) {
        if (!boxes.enabled[OptionBox(box)]) {
            std::fprintf(err, "korvane scanner: option %s is not available %s\n", NameOf(box),
                         box == 7 ? "without folder" : "together with the options before it");
            return 2;
        }
        SetBox(boxes, state, OptionBox(box), true);
    }
    if (line.folder) {
        if (!boxes.Option(6)) {
            std::fprintf(err, "korvane scanner: --folder needs --option folder\n");
            return 2;
        }
        ChooseScanFolder(boxes, state, *line.folder);
    }

    ConsoleView view(out);
    ScannerSequence sequence(state, platform, downloader, processes, boxes, view, vendorHost);
    sequence.UseLimits(limits);
    // Ctrl+C arrives as a flag; the run's waits handle events, so it is seen
    // while a transfer or the updater runs.
    QTimer poll;
    poll.setInterval(50);
    QEventLoop wait;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (!cancelRequested || !cancelRequested()) return;
        poll.stop();
        sequence.Cancel();
        wait.quit();
    });
    if (cancelRequested) poll.start();
    sequence.Run();
    if (sequence.Outcome().startDelayed) {
        QTimer::singleShot(startDelay, &wait, &QEventLoop::quit);
        wait.exec();
        if (sequence.Outcome().startDelayed) sequence.DelayedStart();
    }
    poll.stop();
    const ScannerRunOutcome& outcome = sequence.Outcome();
    const bool ok = !outcome.failed && !outcome.cancelled && (!line.download || outcome.downloadSucceeded) &&
                    (!line.update || outcome.updateSucceeded) && (!line.start || outcome.startSucceeded);
    (void)err;
    return ok ? 0 : 1;
}

}  // namespace korvane
