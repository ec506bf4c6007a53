#include "core/reboot_delete_list.h"

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

}  // namespace korvane
