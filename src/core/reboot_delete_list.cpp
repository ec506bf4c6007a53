#include "core/reboot_delete_list.h"

#include <algorithm>
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

std::vector<std::string> RestartOrder(std::vector<std::string> files, std::vector<std::string> folders,
                                      const std::string& folder, char separator) {
    const auto depth = [separator](const std::string& path) {
        std::string trimmed = path;
        while (!trimmed.empty() && trimmed.back() == separator) trimmed.pop_back();
        return std::count(trimmed.begin(), trimmed.end(), separator);
    };
    std::stable_sort(folders.begin(), folders.end(),
                     [&depth](const std::string& a, const std::string& b) { return depth(a) > depth(b); });
    std::vector<std::string> order = std::move(files);
    order.insert(order.end(), std::make_move_iterator(folders.begin()),
                 std::make_move_iterator(folders.end()));
    order.push_back(folder);
    return order;
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
