#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "cli/korvane_run.h"
#include "core/backup_manifest.h"
#include "core/pending_operations.h"
#include "core/whole_file.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using Outcome = testing::KorvaneOutcome;

// A copy of korvane in a temporary folder: its KRBackup lies beside it there.
class BackupCommands : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(Path("prog"));
        fs::copy_file(KORVANE_EXECUTABLE, Path("prog/korvane"));
    }
    Outcome Korvane(const QStringList& arguments) {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("KORVANE_PENDING_FILE"),
                           QString::fromLocal8Bit(Path("pending").c_str()));
        return testing::RunKorvane(arguments, {}, environment,
                                   QString::fromLocal8Bit(Path("prog/korvane").c_str()));
    }
    std::string Path(const std::string& relative) const {
        return temp_.path().toLocal8Bit().toStdString() + "/" + relative;
    }
    QString Arg(const std::string& relative) const { return QString::fromLocal8Bit(Path(relative).c_str()); }
    void MakeFile(const std::string& relative, const std::string& content) {
        fs::create_directories(fs::path(Path(relative)).parent_path());
        ASSERT_FALSE(WriteWholeFile(Path(relative), content));
    }
    bool Exists(const std::string& relative) const { return fs::exists(fs::symlink_status(Path(relative))); }

    QTemporaryDir temp_;
};

// A name with a newline and a byte that is not UTF-8, left for the restart,
// moved into KRBackup by apply-pending, listed and put back byte for byte.
TEST_F(BackupCommands, OddPathLeftForTheRestartIsListedAndRestored) {
    const std::string odd = "x/new\nline\xff.exe";
    MakeFile(odd, "odd content");
    // Recorded as the delete run records it: with the device and inode of the
    // folder that holds the source.
    struct stat folder {};
    ASSERT_EQ(::stat(Path("x").c_str(), &folder), 0);
    const std::string identity = std::to_string(folder.st_dev) + ":" + std::to_string(folder.st_ino);
    ASSERT_FALSE(WriteWholeFile(
        Path("pending"), EncodePendingOperations({{Path(odd), Path("prog/KRBackup/odd.bkp"), identity}})));
    const Outcome applied = Korvane({"apply-pending"});
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_FALSE(Exists(odd));

    const Outcome listed = Korvane({"backups"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    const std::string start = "1\t";
    const std::string end = "\t" + Path("x/new\\x0aline\xff.exe") + "\t\n";
    ASSERT_GE(listed.out.size(), start.size() + 20 + end.size()) << listed.out;
    EXPECT_EQ(listed.out.substr(0, 2), start);
    EXPECT_EQ(listed.out.substr(listed.out.size() - end.size()), end);

    const Outcome restored = Korvane({"restore", "1"});
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_EQ(restored.out, "restored\t1\t" + Path("x/new\\x0aline\xff.exe") + "\n");
    EXPECT_EQ(ReadWholeFile(Path(odd)), "odd content");
    EXPECT_FALSE(Exists("prog/KRBackup/odd.bkp"));
    EXPECT_EQ(Korvane({"backups"}).out, "");
}

TEST_F(BackupCommands, CleanWithBackupThenRestoreRefusesToOverwrite) {
    MakeFile("x/tool.exe", "infected");
    MakeFile("x/dir/inner.dll", "inner");
    const Outcome clean =
        Korvane({"clean", "--language", "en", "--backup", "--add", Arg("x/tool.exe"), "--add", Arg("x/dir")});
    EXPECT_EQ(clean.status, 0) << clean.out << clean.err;
    EXPECT_FALSE(Exists("x/tool.exe"));
    EXPECT_FALSE(Exists("x/dir"));
    struct stat info {};
    ::stat(Path("prog/KRBackup").c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0700u);

    const Outcome listed = Korvane({"backups"});
    EXPECT_NE(listed.out.find("1\t"), std::string::npos);
    EXPECT_NE(listed.out.find("\t" + Path("x/tool.exe") + "\t"), std::string::npos);
    EXPECT_NE(listed.out.find("2\t"), std::string::npos);
    EXPECT_NE(listed.out.find("\t" + Path("x/dir/inner.dll") + "\t"), std::string::npos);

    MakeFile("x/tool.exe", "a new file");
    const Outcome refused = Korvane({"restore", "1", "2"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("exists"), std::string::npos) << refused.err;
    EXPECT_EQ(ReadWholeFile(Path("x/tool.exe")), "a new file");
    EXPECT_EQ(ReadWholeFile(Path("x/dir/inner.dll")), "inner");  // the folder is made again

    const Outcome elsewhere = Korvane({"restore", "--to", Arg("saved"), "1"});
    EXPECT_EQ(elsewhere.status, 0) << elsewhere.err;
    EXPECT_EQ(ReadWholeFile(Path("saved/tool.exe")), "infected");

    EXPECT_EQ(Korvane({"restore"}).status, 2);
    EXPECT_EQ(Korvane({"restore", "abc"}).status, 2);
    EXPECT_EQ(Korvane({"backups", "extra"}).status, 2);
    EXPECT_EQ(Korvane({"restore", "99"}).status, 1);
}

TEST_F(BackupCommands, DamagedManifestIsReportedAndNothingRestored) {
    MakeFile("x/tool.exe", "infected");
    ASSERT_EQ(Korvane({"clean", "--backup", "--add", Arg("x/tool.exe")}).status, 0);
    const std::string manifest = Path("prog/KRBackup/") + kBackupManifestName;
    const std::string text = ReadWholeFile(manifest);
    ASSERT_FALSE(WriteWholeFile(manifest, text.substr(0, text.size() - 10)));

    const Outcome listed = Korvane({"backups"});
    EXPECT_EQ(listed.status, 1);
    EXPECT_NE(listed.err.find("damaged"), std::string::npos) << listed.err;
    const Outcome restored = Korvane({"restore", "1"});
    EXPECT_EQ(restored.status, 1);
    EXPECT_FALSE(Exists("x/tool.exe"));
    EXPECT_TRUE(Exists("prog/KRBackup/tool.exe.bkp"));
}

}  // namespace
}  // namespace korvane
