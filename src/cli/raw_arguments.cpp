#include "cli/raw_arguments.h"

#include <algorithm>

namespace korvane {

namespace {
std::vector<std::string>& Kept() {
    static std::vector<std::string> arguments;
    return arguments;
}
}  // namespace

void KeepRawArguments(std::vector<std::string> arguments) {
    Kept() = std::move(arguments);
}

const std::vector<std::string>& RawArguments() {
    return Kept();
}

RawOptionValues RawValuesOf(const std::vector<std::string>& arguments, const std::string& option,
                            const std::vector<std::string>& valueOptions) {
    RawOptionValues found;
    const std::string wanted = "--" + option;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            found.positionals.insert(found.positionals.end(), arguments.begin() + static_cast<long>(i) + 1,
                                     arguments.end());
            break;
        }
        if (argument.rfind(wanted + "=", 0) == 0) {
            found.values.push_back(argument.substr(wanted.size() + 1));
            continue;
        }
        if (argument == wanted) {
            if (i + 1 < arguments.size()) found.values.push_back(arguments[++i]);
            continue;
        }
        if (argument.size() > 1 && argument[0] == '-') {
            const bool takesValue =
                std::any_of(valueOptions.begin(), valueOptions.end(),
                            [&argument](const std::string& name) { return argument == "--" + name; });
            if (takesValue) ++i;
            continue;
        }
        found.positionals.push_back(argument);
    }
    return found;
}

}  // namespace korvane
