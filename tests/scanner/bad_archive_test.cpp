// Archives that are damaged, too large for the disk, or name their members so
// that they would land outside the scanner folder: the extraction fails with a
// message or keeps every member inside the folder, and leaves no partial file.
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "scanner/archive_extraction.h"
#include "scanner/extraction_folder.h"
#include "scanner/test_archive.h"
#include "support/disk_full.h"

namespace korvane {
namespace {

using testing::Member;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

class BadArchive : public testing::ExtractionFolder {
protected:
    ExtractOutcome Extract(const std::string& archive, const FreeSpaceProbe& freeSpace = FreeDiskSpace) {
        return ExtractArchiveFlat(
            archive, folder, '/', [] { return std::string(); }, freeSpace);
    }
    // Every file and link below the temporary folder, relative to it.
    QStringList Tree() const {
        QStringList found;
        QDirIterator it(temp.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) found << QDir(temp.path()).relativeFilePath(it.next());
        found.sort();
        return found;
    }

};

QByteArray SampleZip() {
    return testing::MakeZip(
        {{"KAVUpd.exe", std::string(3000, 'u'), 0755}, {"mwavscan.com", std::string(5000, 's')}});
}

struct Damage {
    const char* name;
    QByteArray (*apply)(QByteArray);
};

// Damaged archives: each fails as a whole or per member, and the scanner
// folder keeps its older files unchanged, with no temporary file beside them.
class DamagedArchive : public BadArchive, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedArchive, FailsAndKeepsTheOlderFiles) {
    WriteFileBytes(Path("KAVUpd.exe"), "working updater");
    WriteFileBytes(Path("mwavscan.com"), "working scanner");
    const ExtractOutcome outcome = Extract(WriteArchive(GetParam().apply(SampleZip())));
    EXPECT_NE(outcome.result, kExtractOk);
    EXPECT_FALSE(outcome.messages.empty());
    EXPECT_EQ(ReadFileBytes(Path("KAVUpd.exe")), "working updater");
    EXPECT_EQ(ReadFileBytes(Path("mwavscan.com")), "working scanner");
    EXPECT_EQ(Tree(), (QStringList{"bases_x", "bases_x/KAVUpd.exe", "bases_x/mwavscan.com", "mwav.exe"}));
}

QByteArray Overwrite(QByteArray zip, const QByteArray& what, char with) {
    for (qsizetype at = zip.indexOf(what); at >= 0; at = zip.indexOf(what, at + 1)) {
        for (qsizetype i = 0; i < what.size(); ++i) zip[at + i] = with;
    }
    return zip;
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedArchive,
    ::testing::Values(Damage{"NoCentralDirectory",
                             [](QByteArray z) { return Overwrite(z, QByteArray("PK\x01\x02", 4), 'X'); }},
                      Damage{"NoEndRecord",
                             [](QByteArray z) { return Overwrite(z, QByteArray("PK\x05\x06", 4), 'X'); }},
                      Damage{"DataOfBothMembersChanged",
                             [](QByteArray z) {
                                 z = Overwrite(z, QByteArray(3000, 'u'), 'v');
                                 return Overwrite(z, QByteArray(5000, 's'), 't');
                             }},
                      Damage{"EndRecordPointsPastTheFile",
                             [](QByteArray z) {
                                 const qsizetype end = z.lastIndexOf(QByteArray("PK\x05\x06", 4));
                                 z[end + 19] = '\x7f';  // directory offset far beyond the end
                                 return z;
                             }},
                      Damage{"ZeroesInTheMiddle",
                             [](QByteArray z) {
                                 z.replace(z.size() / 4, z.size() / 2, QByteArray(z.size() / 2, '\0'));
                                 return z;
                             }},
                      Damage{"TruncatedToAQuarter", [](QByteArray z) { return z.left(z.size() / 4); }},
                      Damage{"TruncatedToHalf", [](QByteArray z) { return z.left(z.size() / 2); }},
                      Damage{"TruncatedByOneByte", [](QByteArray z) { return z.left(z.size() - 1); }},
                      Damage{"OnlyTheEndRecord",
                             [](QByteArray z) { return z.mid(z.lastIndexOf(QByteArray("PK\x05\x06", 4))); }},
                      Damage{"EmptyFile", [](QByteArray) { return QByteArray(); }},
                      Damage{"ArchiveWithoutMembers", [](QByteArray) { return testing::MakeZip({}); }}),
    [](const auto& info) { return std::string(info.param.name); });

// A member whose stored size is more than the disk has free stops the
// extraction before anything of it is written.
TEST_F(BadArchive, MemberClaimingMoreThanTheFreeSpaceStopsTheExtraction) {
    WriteFileBytes(Path("mwavscan.com"), "working scanner");
    const std::string archive = WriteArchive(testing::MakeZip({
        {"small.txt", "fits"},
        {"mwavscan.com", std::string(20000, 's')},
        {"later.txt", "never reached"},
    }));
    const ExtractOutcome outcome = Extract(archive, [](const std::string&) { return std::uintmax_t{10000}; });
    EXPECT_EQ(outcome.result, kExtractError);
    EXPECT_NE(
        outcome.messages.find("mwavscan.com: needs 20000 bytes, only 10000 bytes of disk space are free"),
        std::string::npos)
        << outcome.messages;
    EXPECT_EQ(ReadFileBytes(Path("small.txt")), "fits");
    EXPECT_EQ(ReadFileBytes(Path("mwavscan.com")), "working scanner");
    EXPECT_EQ(Tree(), (QStringList{"bases_x", "bases_x/mwavscan.com", "bases_x/small.txt", "mwav.exe"}));
}

// Compressed members: the size after unpacking shows only while unpacking,
// and libarchive finds a wrong one only after handing out all the data.
QByteArray DeflatedZip(const std::vector<std::pair<std::string, std::string>>& members) {
    std::vector<char> buffer(1 << 20);
    size_t used = 0;
    struct archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_set_format_option(a, "zip", "compression", "deflate");
    archive_write_open_memory(a, buffer.data(), buffer.size(), &used);
    for (const auto& [name, content] : members) {
        struct archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, name.c_str());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, static_cast<la_int64_t>(content.size()));
        archive_write_header(a, entry);
        archive_write_data(a, content.data(), content.size());
        archive_entry_free(entry);
    }
    archive_write_close(a);
    archive_write_free(a);
    return QByteArray(buffer.data(), static_cast<qsizetype>(used));
}

// A member whose header claims a few bytes but that holds many more: the
// writing stops where the free space ends, before the disk is full.
TEST_F(BadArchive, MemberExpandingBeyondItsClaimStopsAtTheFreeSpace) {
    WriteFileBytes(Path("mwavscan.com"), "working scanner");
    QByteArray zip =
        DeflatedZip({{"mwavscan.com", std::string(4 << 20, 's')}, {"later.txt", "never reached"}});
    // The size after unpacking is lowered, in the member's own header and in
    // the directory.
    const qsizetype local = zip.indexOf(QByteArray("PK\x03\x04", 4));
    const qsizetype central = zip.indexOf(QByteArray("PK\x01\x02", 4));
    ASSERT_GE(local, 0);
    ASSERT_GE(central, 0);
    for (const qsizetype field : {local + 22, central + 24}) {
        zip[field] = 100;
        zip[field + 1] = zip[field + 2] = zip[field + 3] = 0;
    }
    const ExtractOutcome outcome =
        Extract(WriteArchive(zip), [](const std::string&) { return std::uintmax_t{1 << 20}; });
    EXPECT_EQ(outcome.result, kExtractError);
    EXPECT_NE(outcome.messages.find("mwavscan.com: more than the 1048576 bytes of free disk space"),
              std::string::npos)
        << outcome.messages;
    EXPECT_EQ(ReadFileBytes(Path("mwavscan.com")), "working scanner");
    EXPECT_EQ(Tree(), (QStringList{"bases_x", "bases_x/mwavscan.com", "mwav.exe"}));
}

// The disk really fills up while a member is written: its partial file goes,
// the older file stays, the extraction fails.
TEST_F(BadArchive, DiskFullWhileWritingRemovesThePartialFile) {
    WriteFileBytes(Path("mwavscan.com"), "working scanner");
    const std::string archive =
        WriteArchive(testing::MakeZip({{"mwavscan.com", std::string(512 * 1024, 's')}}));
    ExtractOutcome outcome;
    {
        testing::DiskFullAfter full(64 * 1024);
        ASSERT_TRUE(full.Active());
        outcome = Extract(archive);
    }
    EXPECT_EQ(outcome.result, kExtractError);
    EXPECT_NE(outcome.messages.find("mwavscan.com: "), std::string::npos) << outcome.messages;
    EXPECT_EQ(ReadFileBytes(Path("mwavscan.com")), "working scanner");
    EXPECT_EQ(Tree(), (QStringList{"bases_x", "bases_x/mwavscan.com", "mwav.exe"}));
}

// Names that would leave the folder, or name a device on Windows: on this
// system every one of them is an ordinary file directly in the folder.
TEST_F(BadArchive, EveryMemberNameStaysInsideTheFolder) {
    const std::string outside = temp.path().toStdString();
    const std::string archive = WriteArchive(testing::MakeZip({
        {outside + "/absolute.txt", "1"},
        {"/etc/absolute2.txt", "2"},
        {"../up.txt", "3"},
        {"a/../../../up2.txt", "4"},
        {"..\\..\\up3.txt", "5"},
        {"C:\\WINDOWS\\drive.txt", "6"},
        {"D:/drive2.txt", "7"},
        {"\\\\server\\share\\unc.txt", "8"},
        {"C:relative.txt", "9"},
        {"CON", "10"},
        {"NUL", "11"},
        {"nul.txt", "12"},
        {"COM1", "13"},
        {"..", "14"},
        {"a/..", "15"},
        {"sub/", "", 0755, false, Member::Folder},
        {"link-out", "", 0777, false, Member::Link, "../../outside-link-target"},
        {"link-abs", "", 0777, false, Member::Link, "/etc/passwd"},
    }));
    const ExtractOutcome outcome = Extract(archive);
    EXPECT_EQ(outcome.result, kExtractOk) << outcome.messages;
    QStringList expected{"bases_x",
                         "bases_x/absolute.txt",
                         "bases_x/absolute2.txt",
                         "bases_x/up.txt",
                         "bases_x/up2.txt",
                         "bases_x/up3.txt",
                         "bases_x/drive.txt",
                         "bases_x/drive2.txt",
                         "bases_x/unc.txt",
                         "bases_x/C:relative.txt",
                         "bases_x/CON",
                         "bases_x/NUL",
                         "bases_x/nul.txt",
                         "bases_x/COM1",
                         "mwav.exe"};
    expected.sort();
    EXPECT_EQ(Tree(), expected);
    EXPECT_EQ(ReadFileBytes(Path("absolute.txt")), "1");
    EXPECT_EQ(ReadFileBytes(Path("CON")), "10");
}

// A link that already stands in the folder under a member's name is replaced
// by the member; the file it pointed to stays as it was.
TEST_F(BadArchive, ExistingLinkInTheFolderIsReplacedNotFollowed) {
    const QString victim = temp.path() + QStringLiteral("/victim.txt");
    WriteFileBytes(victim.toStdString(), "not yours");
    ASSERT_TRUE(QFile::link(victim, QString::fromStdString(Path("KAVUpd.exe"))));
    const ExtractOutcome outcome = Extract(WriteArchive(testing::MakeZip({{"KAVUpd.exe", "updater", 0755}})));
    EXPECT_EQ(outcome.result, kExtractOk) << outcome.messages;
    EXPECT_EQ(ReadFileBytes(victim.toStdString()), "not yours");
    EXPECT_FALSE(QFileInfo(QString::fromStdString(Path("KAVUpd.exe"))).isSymLink());
    EXPECT_EQ(ReadFileBytes(Path("KAVUpd.exe")), "updater");
}

}  // namespace
}  // namespace korvane
