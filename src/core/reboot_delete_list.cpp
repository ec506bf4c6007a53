#include "core/reboot_delete_list.h"

#include <unordered_set>

#include "core/text_util.h"

namespace korvane {

RebootDeleteAdd AddRebootDelete(std::vector<std::string>& list, const std::string& path,
                                bool namesIgnoreCase) {
    if (path.size() < 5) return RebootDeleteAdd::Ignored;
    const std::string stored = namesIgnoreCase ? AsciiLowerCopy(path) : path;
    if (list.empty()) list.emplace_back();
    const std::string trimmed = TrimBlanks(stored);
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (TrimBlanks(list[i]) == trimmed) return RebootDeleteAdd::Ignored;
    }
    if (list.size() - 1 >= kRebootDeleteListCapacity) return RebootDeleteAdd::ListFull;
    list.push_back(stored);
    return RebootDeleteAdd::Added;
}

std::size_t AddRebootDeletes(std::vector<std::string>& list, const std::vector<std::string>& paths,
                             bool namesIgnoreCase) {
    if (list.empty()) list.emplace_back();
    std::unordered_set<std::string> listed;
    for (std::size_t i = 1; i < list.size(); ++i) listed.insert(TrimBlanks(list[i]));
    std::size_t refused = 0;
    for (const std::string& path : paths) {
        if (path.size() < 5) continue;
        std::string stored = namesIgnoreCase ? AsciiLowerCopy(path) : path;
        std::string trimmed = TrimBlanks(stored);
        if (listed.count(trimmed) != 0) continue;
        if (list.size() - 1 >= kRebootDeleteListCapacity) {
            ++refused;
            continue;
        }
        list.push_back(std::move(stored));
        listed.insert(std::move(trimmed));
    }
    return refused;
}

}  // namespace korvane
