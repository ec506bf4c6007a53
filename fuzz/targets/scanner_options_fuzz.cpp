// libs: korvane_core
// The scanner's option string from arbitrary boxes and folder texts. Input:
// one byte with boxes 1 to 8, one byte with box 9 (bit 0) and the folder's
// exists flag (bit 1), then the chosen folder and its short form, each ended
// by a line feed. The string splits back into the expected switches.
#include <cstdint>
#include <string>
#include <vector>

#include "core/scanner_options.h"
#include "fuzz_bytes.h"

using korvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    korvane::fuzz::FuzzBytes bytes(data, size);
    korvane::ScannerOptionInput input;
    const std::uint8_t boxes = bytes.Byte();
    const std::uint8_t more = bytes.Byte();
    for (int box = 1; box <= 8; ++box) input.checked[box] = (boxes >> (box - 1)) & 1;
    input.checked[9] = more & 1;
    input.scanFolderExists = (more & 2) != 0;
    input.scanFolder = bytes.Text('\n');
    input.scanFolderShort = bytes.Text('\n');

    const std::string options = korvane::BuildScannerOptions(input);

    // The switches the ticked boxes ask for, in box order.
    std::vector<std::string> expected;
    bool folderAdded = false;
    for (int box = 1; box <= 9; ++box) {
        if (!input.checked[box]) continue;
        if (box == 6) {
            folderAdded = !input.scanFolder.empty() && input.scanFolderExists;
            expected.push_back(folderAdded ? "/FOLDER=" + input.scanFolderShort : "/DRIVE");
        } else if (box != 7 || folderAdded) {
            expected.push_back(korvane::ScannerSwitch(box));
        }
    }
    if (expected.empty()) {
        Require(options == korvane::kDefaultScannerOptions, "nothing ticked but not the default");
        return 0;
    }
    expected.push_back("/SNOC");
    Require(!options.empty() && options.front() == ' ', "option string does not start with a blank");

    // A folder whose short form holds " /" may look like a further switch;
    // real short forms hold no blanks at all.
    if (folderAdded && input.scanFolderShort.find(" /") != std::string::npos) return 0;
    Require(korvane::SplitScannerOptions(options) == expected, "option string does not split into its switches");
    return 0;
}
