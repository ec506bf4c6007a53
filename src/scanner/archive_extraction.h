#pragma once
// Unpacking the scanner archive into one folder with libarchive.
#include <cstdint>
#include <functional>
#include <string>

namespace korvane {

// Result codes of an extraction; anything but kExtractOk is a failure,
// a warning included.
enum ExtractResult : int {
    kExtractOk = 0,
    kExtractWarning = 1,   // a member was skipped (no password, unusable name), or the archive is empty
    kExtractError = 2,     // a member was damaged or could not be written
    kExtractNoArchive = 9  // the archive could not be opened or read
};

struct ExtractOutcome {
    int result = kExtractOk;
    std::string messages;  // everything worth telling, line by line; UTF-8
};

// Answer to "Please Enter The Password!"; empty when the user gave none.
using PasswordPrompt = std::function<std::string()>;

// Bytes that may still be written in folder; the free space of its disk.
using FreeSpaceProbe = std::function<std::uintmax_t(const std::string& folder)>;
std::uintmax_t FreeDiskSpace(const std::string& folder);

// How much one extraction may write in all: at most maximumTotal, at most
// maximumRatio times the archive's size (0: no ratio check), and never more
// than the free space at the start less freeSpaceMargin.
struct ExtractLimits {
    std::uintmax_t maximumTotal = UINTMAX_MAX;
    std::uintmax_t maximumRatio = 0;
    std::uintmax_t freeSpaceMargin = 0;
};

// A wrong password is asked again at most this many times in all.
inline constexpr int kMaximumPasswordQuestions = 3;

// Whether the file opens as a ZIP archive whose member list reads to its end
// and holds at least one file; error says why not.
bool IsReadableArchive(const std::string& archivePath, std::string& error);

// Extracts every regular member of the ZIP archive (a self-extracting program
// in front of the ZIP data is fine) directly into folder, by the last
// component of its name, overwriting existing files without asking. Folders,
// links, devices and members named "", "." or ".." are left out. Each member
// is written to a temporary file that replaces the target only after the
// member was read completely with a correct checksum. Members with a password
// ask promptPassword; an empty answer skips them and stops further questions
// in this extraction; after kMaximumPasswordQuestions answers no further
// question is asked. A member that claims, or turns out to hold, more bytes
// than freeSpace or the limits allow stops the extraction as an error before
// the disk is full; its partial file is removed. On Windows, members named like a device
// (CON, NUL, COM1, ...) or holding characters no file name may have are left
// out with a warning.
ExtractOutcome ExtractArchiveFlat(const std::string& archivePath, const std::string& folder, char separator,
                                  const PasswordPrompt& promptPassword,
                                  const FreeSpaceProbe& freeSpace = FreeDiskSpace,
                                  const ExtractLimits& limits = {});

}  // namespace korvane
