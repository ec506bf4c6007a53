// libs: korvane_core
// The list of operations left for the next start, read from arbitrary
// bytes: a list that reads writes back to the same bytes, and adding to a
// list file that does not read fails and leaves the file exactly as it was,
// while a readable one keeps all it held and gains the new operation.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/pending_operations.h"
#include "core/whole_file.h"
#include "fuzz_bytes.h"

using korvane::fuzz::Require;
namespace fs = std::filesystem;

namespace {

const fs::path& WorkFolder() { return korvane::fuzz::WorkFolder("korvane-pending-fuzz"); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::vector<korvane::PendingOperation>> read = korvane::DecodePendingOperations(text);
    if (read) {
        Require(korvane::EncodePendingOperations(*read) == text,
                "a list that reads does not write back the same");
        for (const korvane::PendingOperation& operation : *read) {
            Require(!operation.source.empty(), "an operation without a source");
        }
    }

    // The list file: the new operation names a path in the temporary folder
    // only; nothing is carried out here.
    const std::string file = (WorkFolder() / "pending-operations").string();
    Require(!korvane::WriteWholeFile(file, text), "cannot write the list file");
    const korvane::PendingOperation added{(WorkFolder() / "new\nline").string(), ""};
    const std::error_code error = korvane::AppendPendingOperations(file, {added});
    const std::string after = korvane::ReadWholeFile(file);
    if (!read) {
        Require(static_cast<bool>(error), "a list that does not read was added to");
        Require(after == text, "a list that does not read was changed");
        return 0;
    }
    Require(!error, "adding to a list that reads failed");
    std::vector<korvane::PendingOperation> expected = *read;
    bool known = false;
    for (const korvane::PendingOperation& operation : expected) known = known || operation == added;
    if (!known) expected.push_back(added);
    const auto reread = korvane::DecodePendingOperations(after);
    Require(reread && *reread == expected, "the list lost or changed an operation");
    return 0;
}
