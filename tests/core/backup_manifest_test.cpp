#include "core/backup_manifest.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace korvane {
namespace {

BackupRecord Done(std::string file, std::string original) {
    BackupRecord record;
    record.file = std::move(file);
    record.original = std::move(original);
    record.time = "2026-12-10T05:43:25Z";
    record.size = 8;
    record.sha256 = std::string(64, 'a');
    record.detection = "Trojan.Win32.Agent";
    return record;
}

// Every byte of a path comes back: a newline, a tab, a backslash, a lone
// Latin-1 byte, a cut-off UTF-8 sequence, valid UTF-8, NUL and DEL.
TEST(BackupManifest, PathBytesSurviveTheRoundTrip) {
    const std::string odd[] = {
        std::string("/tmp/new\nline.exe"),
        std::string("C:\\Temp\\tab\there.exe"),
        std::string("/tmp/caf\xe9.exe"),  // Latin-1, not UTF-8
        std::string("/tmp/\xc3"),         // cut-off sequence at the end
        std::string("/tmp/gr\xc3\xbc\xc3\x9f"
                    "e.exe"),  // UTF-8, kept as it is
        std::string("/tmp/nul\0byte", 13),
        std::string("/tmp/\x7f\r\\x41"),
        std::string("  leading and trailing blanks  "),
    };
    BackupManifest manifest;
    for (const std::string& path : odd) {
        BackupRecord record = Done("f.bkp", path);
        record.detection = path;
        manifest.Add(record);
    }
    const std::string text = EncodeBackupManifest(manifest);
    // One line per field: no raw newline from a path got in.
    EXPECT_EQ(text.find("new\nline"), std::string::npos);
    EXPECT_NE(text.find("gr\xc3\xbc\xc3\x9f"
                        "e.exe"),
              std::string::npos);
    const ManifestDecode decoded = DecodeBackupManifest(text);
    ASSERT_TRUE(decoded.Sound()) << decoded.damage;
    EXPECT_EQ(decoded.manifest.records, manifest.records);
}

TEST(BackupManifest, EveryFieldRoundTrips) {
    BackupManifest manifest;
    BackupRecord full = Done("setup.exe (2).bkp", "/x/setup.exe");
    full.mode = 04755;
    full.owner = FileOwner{1000, 100};
    full.modified = FileTimestamp{-5, 7};
    manifest.Add(full);
    BackupRecord pending;
    pending.pending = true;
    pending.file = "setup.exe (3).bkp";
    pending.original = "/y/setup.exe";
    manifest.Add(pending);
    manifest.Remove(1);
    manifest.Add(Done("a.bkp", "/a"));

    const ManifestDecode decoded = DecodeBackupManifest(EncodeBackupManifest(manifest));
    ASSERT_TRUE(decoded.Sound()) << decoded.damage;
    EXPECT_EQ(decoded.manifest.records, manifest.records);
    EXPECT_EQ(decoded.manifest.nextId, 4u);  // ids are never given twice
    EXPECT_EQ(decoded.manifest.records[1].id, 3u);
}

// A damaged manifest is reported and nothing is read from it.
TEST(BackupManifest, DamageIsReportedAndNothingIsRead) {
    BackupManifest manifest;
    manifest.Add(Done("tool.exe.bkp", "/x/tool.exe"));
    const std::string good = EncodeBackupManifest(manifest);
    std::string changed = good;
    changed.replace(changed.find("/x/tool"), 3, "/y/");
    const std::string cases[] = {
        good.substr(0, good.size() / 2),  // cut short
        good.substr(0, good.size() - 1),  // last line end missing
        changed,                          // a path changed by hand
        "",
        "korvane-backups 2\nnext-id 1\ncheck 0\n",
        "some other file\n",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        const ManifestDecode decoded = DecodeBackupManifest(text);
        EXPECT_FALSE(decoded.Sound());
        EXPECT_TRUE(decoded.manifest.records.empty());
    }
}

TEST(BackupManifest, EscapesThatAreNotOursAreDamage) {
    for (const char* text : {"a\\", "\\q", "\\x4", "\\xzz"})
        EXPECT_FALSE(UnescapeManifestValue(text)) << text;
    EXPECT_EQ(UnescapeManifestValue("\\x41\\\\\\n"), std::string("A\\\n"));
}

TEST(BackupManifest, BackupNamesAreNeverReused) {
    std::set<std::string> taken;
    const auto isTaken = [&taken](const std::string& name) { return taken.count(name) != 0; };
    EXPECT_EQ(FreeBackupFileName("setup.exe", isTaken), "setup.exe.bkp");
    taken = {"setup.exe.bkp", "setup.exe (2).bkp"};
    EXPECT_EQ(FreeBackupFileName("setup.exe", isTaken), "setup.exe (3).bkp");
    // A name chosen for the restart and taken meanwhile goes on from there.
    EXPECT_EQ(NextFreeBackupFileName("setup.exe.bkp", isTaken), "setup.exe (3).bkp");
    taken.insert("setup.exe (5).bkp");
    EXPECT_EQ(NextFreeBackupFileName("setup.exe (5).bkp", isTaken), "setup.exe (6).bkp");
    EXPECT_EQ(NextFreeBackupFileName("setup.exe (4).bkp", isTaken), "setup.exe (4).bkp");
    // A name of the user's own that only looks numbered.
    taken = {"a (x).bkp"};
    EXPECT_EQ(NextFreeBackupFileName("a (x).bkp", isTaken), "a (x) (2).bkp");
}

TEST(BackupManifest, NamesTakenIgnoreCaseWhereTheSystemDoes) {
    BackupManifest manifest;
    manifest.Add(Done("Tool.EXE.bkp", "C:\\x\\Tool.EXE"));
    EXPECT_TRUE(manifest.NameTaken("tool.exe.bkp", true));
    EXPECT_FALSE(manifest.NameTaken("tool.exe.bkp", false));
}

TEST(BackupManifest, IsoUtcTime) {
    EXPECT_EQ(IsoUtcTime(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(IsoUtcTime(951782400), "2000-02-29T00:00:00Z");
    EXPECT_EQ(IsoUtcTime(1796881405), "2026-12-10T05:43:25Z");
    EXPECT_EQ(IsoUtcTime(-1), "1969-12-31T23:59:59Z");
}

}  // namespace
}  // namespace korvane
