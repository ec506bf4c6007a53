#pragma once
// The delete run behind the delete button: every checked row that is still
// "added" is removed now (or left for the restart), and its status tells the
// outcome. Works on any row store, so it runs without a window.
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "delete/deletion_context.h"

namespace korvane {

// The rows in display order.
class DeleteRunRows {
public:
    virtual ~DeleteRunRows() = default;
    virtual int Count() const = 0;
    virtual bool Checked(int row) const = 0;
    virtual std::string Status(int row) const = 0;
    virtual std::string Path(int row) const = 0;
    virtual void SetStatus(int row, const std::string& status) = 0;
    // The malware name, kept in the record of a backup.
    virtual std::string Name(int) const { return {}; }
};

// Where a long run stands: rows handled of the rows to handle (checked and
// still "added"), and the path of the row at hand.
struct DeleteProgress {
    int done = 0;
    int total = 0;
    std::string path;
};

struct DeleteOptions {
    bool fileBackup = false;       // Check_FileBackup
    bool allOnReboot = false;      // Check_DelAllOnReboot
    bool reboot = false;           // Check_Reboot
    std::string maskText = "*.*";  // Text1
    bool dryRun = false;           // decide and report only; nothing on disk or in the rows changes
    // Told before each row; false cancels the run there: that row and the
    // rest stay "added", and what was left for the restart so far is handled.
    std::function<bool(const DeleteProgress&)> progress;
};

enum class DeleteEndMessage {
    None,
    LeftForRestart /* A */,
    NeedsAdministrator /* B */,
    // The leftovers could not be handed to the system: message A would
    // promise a deletion that will not happen, and a restart would be in vain.
    SchedulingFailed
};

// What a dry run would do with a row.
enum class PlannedAction {
    RemoveNow,           // delete the file or the folder with its contents
    BackUpNow,           // move the file into KRBackup
    QueueForRestart,     // leave it for the next restart
    NeedsAdministrator,  // cannot be scheduled without administrator rights
    Refuse,              // a root or a protected folder, a mount point inside, not a plain path
    KeepEmptyFolder,     // an empty folder left for the restart: nothing to queue
    Fail                 // the row names nothing here (see notDone)
};

struct RowPlan {
    int row = 0;
    std::string path;
    PlannedAction action = PlannedAction::RemoveNow;
};

// A row that was refused, or whose leftovers could not be recorded for the
// restart: its status is "failed", and the end lists it with the reason.
struct RowNotDone {
    int row = 0;
    std::string path;
    std::string reason;  // in the current language
};

struct DeleteRunResult {
    bool ran = false;  // false: nothing was loaded
    // Something is left that only a restart (or an administrator) deletes.
    // A refusal never counts: it asks for no message A or B, nor a restart.
    bool restartNeeded = false;
    std::vector<RowNotDone> notDone;
    DeleteEndMessage message = DeleteEndMessage::None;
    bool restartRequested = false;
    bool cancelled = false;         // the progress hook stopped the run
    std::error_code scheduleError;  // recording the restart operations failed
    std::vector<RowPlan> plans;     // dry run only
    // Objects left in place because no backup could be made: the reasons.
    std::vector<std::string> backupFailures;
};

// The text of the message in the current language ("" for None).
std::string EndMessageText(const AppState& state, DeleteEndMessage message,
                           const std::error_code& error = {});

// The list of refused and unrecorded rows, one line each with the reason.
std::string NotDoneText(const AppState& state, const std::vector<RowNotDone>& rows);

// The whole run. closeProgram is called after a restart request.
DeleteRunResult CB_DelFiles_Click(const DeletionContext& context, DeleteRunRows& rows,
                                  const DeleteOptions& options, const std::function<void()>& closeProgram);

// Rows held in a vector, in that order (the command line's list).
class VectorDeleteRunRows : public DeleteRunRows {
public:
    struct Row {
        std::string path;
        std::string status;
        bool checked = false;
        std::string name;
    };
    explicit VectorDeleteRunRows(std::vector<Row>& rows) : rows_(rows) {}
    int Count() const override { return static_cast<int>(rows_.size()); }
    bool Checked(int row) const override { return rows_[static_cast<std::size_t>(row)].checked; }
    std::string Status(int row) const override { return rows_[static_cast<std::size_t>(row)].status; }
    std::string Path(int row) const override { return rows_[static_cast<std::size_t>(row)].path; }
    void SetStatus(int row, const std::string& status) override {
        rows_[static_cast<std::size_t>(row)].status = status;
    }
    std::string Name(int row) const override { return rows_[static_cast<std::size_t>(row)].name; }

private:
    std::vector<Row>& rows_;
};

}  // namespace korvane
