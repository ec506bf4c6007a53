#include "core/scanner_options.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

ScannerOptionInput Ticked(std::initializer_list<int> boxes) {
    ScannerOptionInput input;
    for (int box : boxes) input.checked[box] = true;
    return input;
}

TEST(ScannerOptions, NothingTickedGivesTheDefault) {
    EXPECT_EQ(BuildScannerOptions(Ticked({})),
              " /DRIVE /MEM /REG /STARTUP /SYSFOLDER /SER /SNOC /WaitToExit");
}

TEST(ScannerOptions, TickedSwitchesInBoxOrderWithSnocLast) {
    EXPECT_EQ(BuildScannerOptions(Ticked({2, 1})), " /MEM /REG /SNOC");
    EXPECT_EQ(BuildScannerOptions(Ticked({1, 2, 3, 4, 5, 8, 9})),
              " /MEM /REG /STARTUP /SysFolder /SER /DRIVE /WaitToExit /SNOC");
}

TEST(ScannerOptions, ExistingFolderUsesItsShortFormAndAllowsSubFolders) {
    ScannerOptionInput input = Ticked({6, 7});
    input.scanFolder = "C:\\Program Files\\Data";
    input.scanFolderExists = true;
    input.scanFolderShort = "C:\\PROGRA~1\\DATA";
    EXPECT_EQ(BuildScannerOptions(input), " /FOLDER=C:\\PROGRA~1\\DATA /SubFolders /SNOC");
}

TEST(ScannerOptions, MissingOrUnchosenFolderScansTheDrivesWithoutSubFolders) {
    ScannerOptionInput gone = Ticked({6, 7});
    gone.scanFolder = "C:\\Gone";
    gone.scanFolderExists = false;
    EXPECT_EQ(BuildScannerOptions(gone), " /DRIVE /SNOC");

    ScannerOptionInput none = Ticked({1, 6, 7});
    EXPECT_EQ(BuildScannerOptions(none), " /MEM /DRIVE /SNOC");
}

TEST(ScannerOptions, SplittingKeepsAFolderWithBlanksTogether) {
    EXPECT_EQ(SplitScannerOptions(" /FOLDER=/home/a b/x /SubFolders /SNOC"),
              (std::vector<std::string>{"/FOLDER=/home/a b/x", "/SubFolders", "/SNOC"}));
    EXPECT_EQ(SplitScannerOptions(kDefaultScannerOptions),
              (std::vector<std::string>{"/DRIVE", "/MEM", "/REG", "/STARTUP", "/SYSFOLDER", "/SER", "/SNOC",
                                        "/WaitToExit"}));
    // A folder part that merely starts like a switch is not cut.
    EXPECT_EQ(SplitScannerOptions(" /FOLDER=/tmp/x /SERVICES /SNOC"),
              (std::vector<std::string>{"/FOLDER=/tmp/x /SERVICES", "/SNOC"}));
}

// On a system that starts programs with an argument list the folder is one
// argument, whatever its name holds; the string form is the same as before.
TEST(ScannerOptions, ArgumentsKeepAFolderNamedLikeASwitchInOnePiece) {
    ScannerOptionInput input = Ticked({2, 6, 7});
    input.scanFolder = "/data/a /REG b";
    input.scanFolderExists = true;
    input.scanFolderShort = input.scanFolder;
    EXPECT_EQ(BuildScannerArguments(input),
              (std::vector<std::string>{"/REG", "/FOLDER=/data/a /REG b", "/SubFolders", "/SNOC"}));
    EXPECT_EQ(BuildScannerOptions(input), " /REG /FOLDER=/data/a /REG b /SubFolders /SNOC");
    EXPECT_EQ(BuildScannerArguments(Ticked({})), SplitScannerOptions(kDefaultScannerOptions));
}

}  // namespace
}  // namespace korvane
