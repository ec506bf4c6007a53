#pragma once
// The "[rename]" list of Wininit.ini, which the older Windows family works
// through at its next start: one line target "=" source per object, target
// "NUL" meaning delete.
#include <functional>
#include <string>
#include <vector>

namespace korvane {

struct WininitQueries {
    std::function<bool(const std::string&)> exists;
    std::function<bool(const std::string&)> isFolder;
    // The 8.3 form of an existing path; empty when there is none.
    std::function<std::string(const std::string&)> shortPath;
    // Called once per entry, so a window stays responsive; may be empty.
    std::function<void()> processEvents;
};

struct WininitRequest {
    bool fileExists = false;
    std::string existingText;          // the file's content when it exists
    std::vector<std::string> entries;  // element 0 empty, entries from index 1
    bool backup = false;
    std::string shortBackupFolder;  // 8.3 form of the backup folder, with a trailing separator
    char separator = '\\';
};

// The whole new content of Wininit.ini: the existing text (or a new
// "[rename]" section), a CR LF where it did not end with one, then a line for
// every entry. With a backup wanted, each file gets the first free numbered
// name FIRST5_~N.BKP in the backup folder; names given out earlier in the same
// call count as taken, so two files never get the same backup name.
std::string BuildWininitText(const WininitRequest& request, const WininitQueries& queries);

// The backup name part "first five characters of the file name" + "_~" + n + ".bkp".
std::string NumberedBackupName(const std::string& fileName, int number);

}  // namespace korvane
