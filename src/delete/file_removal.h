#pragma once
// Removing one file now (optionally as a backup move into KRBackup), the list
// of what is left for the restart, and handing that list to the system.
#include <functional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "delete/deletion_context.h"

namespace korvane {

// Deletes the file, or with backup moves it to KRBackup\<name>.bkp. The
// caller judges the outcome by testing whether the path still exists.
void RemoveFileNow(const DeletionContext& context, const std::string& path, bool backup);

// The backup name of a file: KRBackup folder + its name + ".bkp"; empty when
// the path has no separator.
std::string BackupNameFor(const DeletionContext& context, const std::string& path);

// Adds the path to RebootDeleteList; a full list is reported with a message.
// Returns "" when the path is listed (now or already), else why it is not,
// in the current language.
std::string AddRebootDelete(const DeletionContext& context, const std::string& path);

// The message for a path that no longer fits into RebootDeleteList.
void ReportRebootListFull(const DeletionContext& context);

struct ScheduleOutcome {
    std::error_code error;  // what kept the whole list from being recorded
    // Entries the system did not take, each with the reason.
    std::vector<std::pair<std::string, std::error_code>> notRecorded;
};

// Hands every entry of RebootDeleteList to the restart mechanism of the
// system family: the Wininit.ini list on the older family, the system's
// delayed operations on the NT family.
// With backup, each file's backup name is chosen and recorded now; detectionOf
// gives the malware name to record for an entry.
ScheduleOutcome ScheduleRebootDeletes(const DeletionContext& context, bool backup,
                                      const std::function<std::string(const std::string&)>& detectionOf = {});

}  // namespace korvane
