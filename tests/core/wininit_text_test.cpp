#include "core/wininit_text.h"

#include <gtest/gtest.h>

#include <set>

namespace korvane {
namespace {

// A small Windows: the files that exist, the folders, and 8.3 forms built
// by upper-casing (enough to see which path went where).
struct FakeDisk {
    std::set<std::string> files;
    std::set<std::string> folders;

    WininitQueries Queries() {
        WininitQueries q;
        q.exists = [this](const std::string& p) { return files.count(p) != 0 || folders.count(p) != 0; };
        q.isFolder = [this](const std::string& p) { return folders.count(p) != 0; };
        q.shortPath = [this](const std::string& p) {
            if (files.count(p) == 0 && folders.count(p) == 0) return std::string{};
            std::string s = "SHORT(" + p + ")";
            return s;
        };
        return q;
    }
};

WininitRequest Request(std::vector<std::string> entries) {
    WininitRequest r;
    r.entries = {""};
    r.entries.insert(r.entries.end(), entries.begin(), entries.end());
    r.shortBackupFolder = "C:\\PROGRA~1\\KORVANE\\KRBACKUP\\";
    return r;
}

TEST(WininitText, NewFileStartsWithTheSection) {
    FakeDisk disk{{"c:\\x\\tool.exe"}, {}};
    const std::string text = BuildWininitText(Request({"c:\\x\\tool.exe"}), disk.Queries());
    EXPECT_EQ(text, "[rename]\r\nNUL=SHORT(c:\\x\\tool.exe)\r\n");
}

TEST(WininitText, ExistingTextIsKeptAndRepairedButGetsNoSection) {
    FakeDisk disk{{"c:\\x\\tool.exe"}, {}};
    const std::pair<std::string, std::string> cases[] = {
        {"[rename]\r\nNUL=C:\\OLD.EXE\r\n", "[rename]\r\nNUL=C:\\OLD.EXE\r\n"},
        {"[rename]\r\nNUL=C:\\OLD.EXE", "[rename]\r\nNUL=C:\\OLD.EXE\r\n"},  // missing final CR LF
        {"", "\r\n"},                                                        // empty file
        {"x\n", "x\n\r\n"},
    };
    for (const auto& [existing, kept] : cases) {
        WininitRequest request = Request({"c:\\x\\tool.exe"});
        request.fileExists = true;
        request.existingText = existing;
        EXPECT_EQ(BuildWininitText(request, disk.Queries()), kept + "NUL=SHORT(c:\\x\\tool.exe)\r\n")
            << existing;
    }
}

TEST(WininitText, BackupsGetNumberedShortNamesWithASharedCounter) {
    const std::string d = "C:\\PROGRA~1\\KORVANE\\KRBACKUP\\";
    FakeDisk disk{{"c:\\x\\filename.exe", "c:\\y\\filer.dll", "c:\\x\\a.exe", "c:\\z\\other.com"}, {}};
    disk.files.insert(d + "filen_~1.bkp");
    disk.files.insert(d + "filen_~2.bkp");
    disk.files.insert(d + "filer_~1.bkp");
    WininitRequest request =
        Request({"c:\\x\\filename.exe", "c:\\y\\filer.dll", "c:\\x\\a.exe", "c:\\z\\other.com"});
    request.backup = true;
    const std::string text = BuildWininitText(request, disk.Queries());
    EXPECT_EQ(text,
              "[rename]\r\n" + d +
                  "FILEN_~3.BKP=SHORT(c:\\x\\filename.exe)\r\n" +   // ~1 tested twice, then 2, 3
                  d + "FILER_~4.BKP=SHORT(c:\\y\\filer.dll)\r\n" +  // the counter goes on from 3
                  d + "A.EXE_~1.BKP=SHORT(c:\\x\\a.exe)\r\n" +      // short names are used whole
                  d + "OTHER_~1.BKP=SHORT(c:\\z\\other.com)\r\n");
}

TEST(WininitText, TwoFilesOfOneCallNeverShareABackupName) {
    const std::string d = "C:\\PROGRA~1\\KORVANE\\KRBACKUP\\";
    FakeDisk disk{{"c:\\x\\tools.exe", "c:\\y\\tools.exe"}, {}};
    WininitRequest request = Request({"c:\\x\\tools.exe", "c:\\y\\tools.exe"});
    request.backup = true;
    EXPECT_EQ(BuildWininitText(request, disk.Queries()), "[rename]\r\n" + d +
                                                             "TOOLS_~1.BKP=SHORT(c:\\x\\tools.exe)\r\n" + d +
                                                             "TOOLS_~2.BKP=SHORT(c:\\y\\tools.exe)\r\n");
}

TEST(WininitText, FoldersAndGoneFilesAreDeletedNotBackedUp) {
    FakeDisk disk{{}, {"c:\\x\\sub"}};
    WininitRequest request = Request({"c:\\x\\sub", "c:\\x\\gone.exe", "noseparator"});
    request.backup = true;
    const std::string d = "C:\\PROGRA~1\\KORVANE\\KRBACKUP\\";
    EXPECT_EQ(BuildWininitText(request, disk.Queries()),
              "[rename]\r\nNUL=SHORT(c:\\x\\sub)\r\n" + d +
                  "GONE._~1.BKP=\r\n"  // no short form of a file that is gone
                  "NUL=\r\n");
}

}  // namespace
}  // namespace korvane
