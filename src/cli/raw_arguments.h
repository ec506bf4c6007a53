#pragma once
// The command line as the system handed it over, byte for byte. Paths on it
// need not be valid in any encoding, and a decoded QString would turn their
// odd bytes into U+FFFD: a path read back from it names another file.
#include <string>
#include <vector>

namespace korvane {

// Kept by the command-line start: the arguments after the command's name.
void KeepRawArguments(std::vector<std::string> arguments);
const std::vector<std::string>& RawArguments();

// The values of one option ("--name VALUE" or "--name=VALUE") and the
// positional arguments, read from raw arguments; valueOptions names every
// option that takes a value, so that its value is not taken for a positional.
struct RawOptionValues {
    std::vector<std::string> values;
    std::vector<std::string> positionals;
};
RawOptionValues RawValuesOf(const std::vector<std::string>& arguments, const std::string& option,
                            const std::vector<std::string>& valueOptions);

}  // namespace korvane
