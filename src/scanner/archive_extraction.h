#pragma once
// Unpacking the scanner archive into one folder with libarchive.
#include <functional>
#include <string>

namespace korvane {

// Result codes of an extraction; anything but kExtractOk is a failure,
// a warning included.
enum ExtractResult : int {
    kExtractOk = 0,
    kExtractWarning = 1,   // a member was skipped (no password) or could not be named
    kExtractError = 2,     // a member was damaged or could not be written
    kExtractNoArchive = 9  // the archive could not be opened or read
};

struct ExtractOutcome {
    int result = kExtractOk;
    std::string messages;  // everything worth telling, line by line; UTF-8
};

// Answer to "Please Enter The Password!"; empty when the user gave none.
using PasswordPrompt = std::function<std::string()>;

// Extracts every regular member of the ZIP archive (a self-extracting program
// in front of the ZIP data is fine) directly into folder, by the last
// component of its name, overwriting existing files without asking. Folders,
// links, devices and members named "", "." or ".." are left out. Each member
// is written to a temporary file that replaces the target only after the
// member was read completely with a correct checksum. Members with a password
// ask promptPassword; an empty answer skips them and stops further questions
// in this extraction.
ExtractOutcome ExtractArchiveFlat(const std::string& archivePath, const std::string& folder, char separator,
                                  const PasswordPrompt& promptPassword);

}  // namespace korvane
