#pragma once
// The list of paths left for deletion at the next restart.
#include <string>
#include <vector>

namespace korvane {

// The list is indexed with a 16-bit counter, so it ends at this many entries.
inline constexpr std::size_t kRebootDeleteListCapacity = 32767;

enum class RebootDeleteAdd { Added, Ignored, ListFull };

// Adds path to list (element 0 stays empty; entries from index 1 on) unless it
// is shorter than five characters or already listed. Entries are compared
// after trimming blanks. Where file names ignore case (Windows) the path is
// stored lower-cased and compared so; where they do not, lower-casing would
// name another file, so the path keeps its case there.
RebootDeleteAdd AddRebootDelete(std::vector<std::string>& list, const std::string& path,
                                bool namesIgnoreCase);

// The order in which a surviving folder is left for the restart: every file
// first, then the sub-folders deepest first, then the folder itself, so each
// folder is empty by the time its turn comes and one restart does it all.
std::vector<std::string> RestartOrder(std::vector<std::string> files, std::vector<std::string> folders,
                                      const std::string& folder, char separator);

// Adds every path as AddRebootDelete does, in order, but looks each one up
// instead of comparing it with every entry, so a folder of a hundred thousand
// files is queued in moments. Returns how many did not fit into the list.
std::size_t AddRebootDeletes(std::vector<std::string>& list, const std::vector<std::string>& paths,
                             bool namesIgnoreCase);

}  // namespace korvane
