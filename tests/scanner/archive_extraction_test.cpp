#include "scanner/archive_extraction.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "scanner/extraction_folder.h"
#include "scanner/test_archive.h"

namespace korvane {
namespace {

using testing::Member;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

class ArchiveExtraction : public testing::ExtractionFolder {
protected:
    QStringList FolderContents() const {
        return QDir(QString::fromStdString(folder))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    ExtractOutcome Extract(const std::string& archive) {
        return ExtractArchiveFlat(archive, folder, '/', [this] {
            ++passwordQuestions;
            if (passwordAnswers.empty()) return std::string();
            std::string answer = passwordAnswers.front();
            passwordAnswers.erase(passwordAnswers.begin());
            return answer;
        });
    }

    std::vector<std::string> passwordAnswers;
    int passwordQuestions = 0;
};

TEST_F(ArchiveExtraction, SelfExtractingArchiveLandsFlatAndSafely) {
    const std::string archive = WriteArchive(testing::WithProgramStub(testing::MakeZip({
        {"bin/KAVUpd.exe", "updater", 0755},
        {"a/same.txt", "first"},
        {"b/same.txt", "second"},
        {"../escape.txt", "outside?"},
        {"..\\..\\win.txt", "backslashes"},
        {"Größe.txt", "umlaut"},
        {"setuid", "x", 06777},
        {"folder/", "", 0755, false, Member::Folder},
        {"link", "", 0777, false, Member::Link, "/etc/passwd"},
    })));
    const ExtractOutcome outcome = Extract(archive);
    EXPECT_EQ(outcome.result, kExtractOk) << outcome.messages;
    EXPECT_EQ(ReadFileBytes(Path("KAVUpd.exe")), "updater");
    EXPECT_EQ(ReadFileBytes(Path("same.txt")), "second");
    EXPECT_EQ(ReadFileBytes(Path("escape.txt")), "outside?");
    EXPECT_EQ(ReadFileBytes(Path("win.txt")), "backslashes");
    EXPECT_EQ(ReadFileBytes(Path("Größe.txt")), "umlaut");
    EXPECT_FALSE(QFile::exists(temp.path() + QStringLiteral("/escape.txt")));
    QStringList expected{"Größe.txt", "KAVUpd.exe", "escape.txt", "same.txt", "setuid", "win.txt"};
    QStringList actual = FolderContents();
    expected.sort();
    actual.sort();
    EXPECT_EQ(actual, expected);
    EXPECT_FALSE(QFileInfo(QString::fromStdString(Path("link"))).exists());
    EXPECT_FALSE(QFileInfo(QString::fromStdString(Path("folder"))).exists());
    struct stat info {};
    ASSERT_EQ(::stat(Path("KAVUpd.exe").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
    ASSERT_EQ(::stat(Path("setuid").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0775u);
    EXPECT_EQ(passwordQuestions, 0);
}

TEST_F(ArchiveExtraction, MemberNameThatIsNotUtf8KeepsItsBytes) {
    // Written on a system with a one-byte code page: "Größe.txt" in Latin-1.
    // The writer takes UTF-8 names only, so the bytes go in afterwards.
    const std::string name = "Gr\xf6\xdf\x65.txt";
    QByteArray zip = testing::MakeZip({{"bin/Gr__e.txt", "latin-1 name"}});
    zip.replace("Gr__e.txt", name.c_str());
    const ExtractOutcome outcome = Extract(WriteArchive(zip));
    EXPECT_EQ(outcome.result, kExtractOk) << outcome.messages;
    std::ifstream file(Path(name), std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "latin-1 name");
    // Qt lists and removes such names no better than it writes them.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{name});
    std::filesystem::remove(Path(name));
}

TEST_F(ArchiveExtraction, ExistingFilesAreOverwrittenWithoutAsking) {
    WriteFileBytes(Path("mwavscan.com"), "old scanner", 0600);
    const ExtractOutcome outcome =
        Extract(WriteArchive(testing::MakeZip({{"mwavscan.com", "new scanner", 0755}})));
    EXPECT_EQ(outcome.result, kExtractOk) << outcome.messages;
    EXPECT_EQ(ReadFileBytes(Path("mwavscan.com")), "new scanner");
    struct stat info {};
    ASSERT_EQ(::stat(Path("mwavscan.com").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
}

TEST_F(ArchiveExtraction, PasswordProtectedMemberAsksAndUsesTheAnswer) {
    passwordAnswers = {"wrong", testing::kTestPassword};
    const ExtractOutcome outcome = Extract(WriteArchive(testing::MakeZip({
        {"plain.txt", "plain"},
        {"secret.txt", "hidden", 0644, true},
        {"secret2.txt", "hidden too", 0644, true},
    })));
    EXPECT_EQ(outcome.result, kExtractOk) << outcome.messages;
    EXPECT_EQ(ReadFileBytes(Path("secret.txt")), "hidden");
    EXPECT_EQ(ReadFileBytes(Path("secret2.txt")), "hidden too");
    EXPECT_EQ(passwordQuestions, 2);  // a wrong answer asks again; the right one serves both
}

TEST_F(ArchiveExtraction, WrongPasswordsAreAskedForAtMostThreeTimes) {
    passwordAnswers = {"wrong", "still wrong", "wrong again", testing::kTestPassword};
    const ExtractOutcome outcome = Extract(WriteArchive(testing::MakeZip({
        {"secret.txt", "hidden", 0644, true},
        {"secret2.txt", "hidden too", 0644, true},
    })));
    EXPECT_NE(outcome.result, kExtractOk);
    EXPECT_EQ(passwordQuestions, kMaximumPasswordQuestions);
    EXPECT_TRUE(FolderContents().isEmpty());
}

TEST_F(ArchiveExtraction, EmptyPasswordSkipsThatAndEveryFurtherProtectedMember) {
    const ExtractOutcome outcome = Extract(WriteArchive(testing::MakeZip({
        {"secret.txt", "hidden", 0644, true},
        {"plain.txt", "plain"},
        {"secret2.txt", "hidden too", 0644, true},
    })));
    EXPECT_EQ(outcome.result, kExtractWarning);
    EXPECT_NE(outcome.messages.find("secret2.txt"), std::string::npos);
    EXPECT_EQ(passwordQuestions, 1);
    EXPECT_EQ(ReadFileBytes(Path("plain.txt")), "plain");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("secret.txt"))));
    EXPECT_EQ(FolderContents(), QStringList{"plain.txt"});  // no temporary files left
}

TEST_F(ArchiveExtraction, DamagedMemberKeepsTheOldFileAndFails) {
    WriteFileBytes(Path("KAVUpd.exe"), "working updater");
    QByteArray zip = testing::MakeZip({{"KAVUpd.exe", "BROKEN-UPDATER-CONTENT"}, {"other.txt", "fine"}});
    const qsizetype at = zip.indexOf("BROKEN");
    ASSERT_GE(at, 0);
    zip[at] = 'X';  // same length, wrong checksum
    const ExtractOutcome outcome = Extract(WriteArchive(zip));
    EXPECT_EQ(outcome.result, kExtractError);
    EXPECT_NE(outcome.messages.find("KAVUpd.exe"), std::string::npos) << outcome.messages;
    EXPECT_EQ(ReadFileBytes(Path("KAVUpd.exe")), "working updater");
    EXPECT_EQ(ReadFileBytes(Path("other.txt")), "fine");
    EXPECT_EQ(FolderContents(), (QStringList{"KAVUpd.exe", "other.txt"}));
}

TEST_F(ArchiveExtraction, SomethingThatIsNoArchiveFailsWithAMessage) {
    const ExtractOutcome outcome = Extract(WriteArchive("<html>not found</html>"));
    EXPECT_EQ(outcome.result, kExtractNoArchive);
    EXPECT_FALSE(outcome.messages.empty());
    EXPECT_EQ(Extract(temp.path().toStdString() + "/missing.exe").result, kExtractNoArchive);
    EXPECT_TRUE(FolderContents().isEmpty());
}

}  // namespace
}  // namespace korvane
