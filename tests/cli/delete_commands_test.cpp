#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <string>

#include "cli/korvane_run.h"
#include "core/pending_operations.h"
#include "core/whole_file.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

using Outcome = testing::KorvaneOutcome;

// Runs korvane with its pending-operations list inside a temporary folder.
class CleanCommand : public ::testing::Test {
protected:
    Outcome Korvane(const QStringList& arguments, QProcessEnvironment environment = {}) {
        environment.insert(QStringLiteral("KORVANE_PENDING_FILE"),
                           QString::fromLocal8Bit(Path("pending").c_str()));
        return testing::RunKorvane(arguments, {}, environment);
    }
    std::string Path(const std::string& relative) const {
        return temp_.path().toLocal8Bit().toStdString() + "/" + relative;
    }
    QString Arg(const std::string& relative) const { return QString::fromLocal8Bit(Path(relative).c_str()); }
    void MakeFile(const std::string& relative) {
        fs::create_directories(fs::path(Path(relative)).parent_path());
        ASSERT_FALSE(WriteWholeFile(Path(relative), "data"));
    }
    bool Exists(const std::string& relative) const { return fs::exists(fs::symlink_status(Path(relative))); }
    std::vector<PendingOperation> Pending() const {
        return DecodePendingOperations(ReadWholeFile(Path("pending")))
            .value_or(std::vector<PendingOperation>{});
    }
    // An operation as the delete run records it: with the device and inode
    // of the folder that holds its source.
    static PendingOperation Recorded(const std::string& source, const std::string& target = {}) {
        struct stat folder {};
        EXPECT_EQ(::stat(fs::path(source).parent_path().c_str(), &folder), 0);
        return {source, target, std::to_string(folder.st_dev) + ":" + std::to_string(folder.st_ino)};
    }
    // Delayed operations need administrator rights: root here.
    static bool Root() { return ::geteuid() == 0; }

    QTemporaryDir temp_;
};

TEST_F(CleanCommand, DeletesWhatItCanAndLeavesTheRestForTheRestart) {
    MakeFile("x/tool.exe");
    MakeFile("x/sub/inner.exe");
    const Outcome run = Korvane({"clean", "--language", "en", "--add", Arg("x/tool.exe"), "--add",
                                 Arg("x/sub"), "--add", Arg("x/gone.exe")});
    EXPECT_FALSE(Exists("x/tool.exe"));
    EXPECT_FALSE(Exists("x/sub"));
    EXPECT_EQ(run.status, 1);
    const std::string deleted = "deleted\t" + Path("x/tool.exe") + "\ndeleted\t" + Path("x/sub") + "\n";
    if (Root()) {
        EXPECT_EQ(run.out,
                  deleted + "reboot\t" + Path("x/gone.exe") +
                      "\nSome files couldn't be deleted.\nThese are deleted with the next restart of the "
                      "computer.\n");
        EXPECT_EQ(Pending(), (std::vector<PendingOperation>{{Path("x/gone.exe"), ""}}));
    } else {
        EXPECT_EQ(run.out.substr(0, deleted.size()), deleted);
        EXPECT_NE(run.out.find("failed\t" + Path("x/gone.exe")), std::string::npos);
        EXPECT_TRUE(Pending().empty());
    }
}

TEST_F(CleanCommand, NothingLeftExitsZeroInGerman) {
    MakeFile("x/tool.exe");
    const Outcome run = Korvane({"clean", "--language", "de", "--add", Arg("x/tool.exe")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Gelöscht\t" + Path("x/tool.exe") + "\n");
    EXPECT_FALSE(Exists("pending"));
}

TEST_F(CleanCommand, DryRunTellsAndChangesNothing) {
    MakeFile("x/tool.exe");
    MakeFile("x/sub/inner.exe");
    const Outcome run = Korvane({"clean", "--dry-run", "--backup", "--add", Arg("x/tool.exe"), "--add",
                                 Arg("x/sub"), "--add", "/", "--add", Arg("x/gone.exe")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "back up\t" + Path("x/tool.exe") + "\nremove now\t" + Path("x/sub") +
                           "\nrefuse (protected)\t/\n" +
                           (Root() ? "queue for restart\t" : "needs administrator\t") + Path("x/gone.exe") +
                           "\n");
    EXPECT_TRUE(Exists("x/tool.exe"));
    EXPECT_TRUE(Exists("x/sub/inner.exe"));
    EXPECT_FALSE(Exists("pending"));
}

TEST_F(CleanCommand, MarksInfectedRowsOfALogUnlessAllAreWanted) {
    const QString log = QStringLiteral(KORVANE_FIXTURES_DIR "/cli-sample.log");
    const Outcome infected = Korvane({"clean", "--dry-run", log});
    const Outcome all = Korvane({"clean", "--dry-run", "--mark", "all", log});
    const auto lines = [](const std::string& text) { return std::count(text.begin(), text.end(), '\n'); };
    EXPECT_GT(lines(infected.out), 0);
    EXPECT_EQ(lines(all.out), lines(infected.out) + 1);  // the one tagged row
    EXPECT_EQ(infected.out.find("bar.dll"), std::string::npos);
    EXPECT_NE(all.out.find("C:\\Tools\\bar.dll"), std::string::npos);
}

TEST_F(CleanCommand, UsageAndFileErrorsExitTwo) {
    EXPECT_EQ(Korvane({"clean"}).status, 2);
    EXPECT_EQ(Korvane({"clean", "--mark", "some", "--add", Arg("x")}).status, 2);
    EXPECT_EQ(Korvane({"clean", "--language", "fr", "--add", Arg("x")}).status, 2);
    const Outcome missing = Korvane({"clean", Arg("no-such.log")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
    EXPECT_EQ(Korvane({"apply-pending", "extra"}).status, 2);
}

TEST_F(CleanCommand, ApplyPendingRoundTripKeepsEveryByte) {
    const std::string odd = "new\nline\xff.exe";
    MakeFile(odd);
    MakeFile("tool.exe");
    MakeFile("full/keep.txt");
    ASSERT_FALSE(WriteWholeFile(
        Path("pending"),
        EncodePendingOperations({Recorded(Path(odd)), Recorded(Path("tool.exe"), Path("tool.exe.bkp")),
                                 Recorded(Path("full"))})));
    const Outcome run = Korvane({"apply-pending"});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(Exists(odd));
    EXPECT_TRUE(Exists("tool.exe.bkp"));
    EXPECT_TRUE(Exists("full/keep.txt"));
    const std::string expectedStart = "deleted\t" + Path("new\\x0aline\xff.exe") + "\nmoved\t" +
                                      Path("tool.exe") + "\t" + Path("tool.exe.bkp") + "\nfailed (";
    EXPECT_EQ(run.out.substr(0, expectedStart.size()), expectedStart);
    EXPECT_EQ(Pending(), (std::vector<PendingOperation>{{Path("full"), ""}}));

    fs::remove(Path("full/keep.txt"));
    const Outcome again = Korvane({"apply-pending"});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, "deleted\t" + Path("full") + "\nDone: 1, failed: 0, refused: 0\n");
    EXPECT_FALSE(Exists("full"));
    EXPECT_TRUE(Pending().empty());
    EXPECT_TRUE(DecodePendingOperations(ReadWholeFile(Path("pending"))));
}

// A list cut short, or with one byte changed so that it names a file that was
// never asked for, is reported and not one of its operations is carried out.
TEST_F(CleanCommand, ApplyPendingRefusesAListCutShortOrGarbled) {
    MakeFile("a1.exe");
    MakeFile("a2.exe");
    MakeFile("a3.exe");
    const std::string whole = EncodePendingOperations({{Path("a1.exe"), ""}, {Path("a3.exe"), ""}});
    const std::string afterFirstPair = whole.substr(0, Path("a1.exe").size() + 2);
    const std::string inTheCheck = whole.substr(0, whole.size() - 3);
    std::string otherFile = whole;
    otherFile[Path("a1.exe").size() - 5] = '2';  // a1.exe becomes a2.exe
    for (const std::string& text :
         {afterFirstPair, inTheCheck, otherFile, std::string("\x89PNG\r\n\x1a\n")}) {
        ASSERT_FALSE(WriteWholeFile(Path("pending"), text));
        const Outcome run = Korvane({"apply-pending"});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err,
                  "korvane apply-pending: " + Path("pending") +
                      " is damaged or incomplete: nothing was carried out, and the file is left as it is\n");
        EXPECT_TRUE(Exists("a1.exe") && Exists("a2.exe") && Exists("a3.exe"));
        EXPECT_EQ(ReadWholeFile(Path("pending")), text);
    }
}

// Path bytes that are no UTF-8 go from the log to the delete run, its rows and
// the restart list unchanged. A path with a NUL byte is refused: the system
// would read it cut short, as the file that its first part names.
TEST_F(CleanCommand, OddPathBytesSurviveFromLogToRestartList) {
    using namespace std::string_literals;
    const std::string odd = "bad\xff\xfe dir/M\xfcll\x80.exe";
    MakeFile(odd);
    MakeFile("victim");
    const std::string cutShort = Path("victim") + "\0.exe"s;
    ASSERT_FALSE(WriteWholeFile(Path("mwav.log"), "Scanning file " + Path(odd) +
                                                      " infected by \"W\xe4rm:\\x\"\r\n" + "Scanning file " +
                                                      cutShort + " infected by \"N:\\ul\"\r\n"));
    const Outcome entries = Korvane({"entries", Arg("mwav.log")});
    EXPECT_EQ(entries.out, "1\t" + Path(odd) + "\tW\xe4rm:\\x\t" + Path(odd) + "\n2\t" + cutShort +
                               "\tN:\\ul\t" + cutShort + "\n");

    const std::string refused = "failed\t" + Path("victim") + "\\x00.exe\n";
    if (Root()) {
        const Outcome clean = Korvane({"clean", "--language", "en", "--all-on-reboot", Arg("mwav.log")});
        EXPECT_EQ(clean.status, 1);
        EXPECT_EQ(clean.out.rfind("reboot\t" + Path(odd) + "\n" + refused, 0), 0u) << clean.out;
        EXPECT_TRUE(Exists(odd));
        EXPECT_EQ(Pending(), (std::vector<PendingOperation>{{Path(odd), ""}}));
        const Outcome apply = Korvane({"apply-pending"});
        EXPECT_EQ(apply.status, 0);
        EXPECT_EQ(apply.out, "deleted\t" + Path(odd) + "\nDone: 1, failed: 0, refused: 0\n");
    } else {
        const Outcome clean = Korvane({"clean", "--language", "en", Arg("mwav.log")});
        EXPECT_EQ(clean.out.rfind("deleted\t" + Path(odd) + "\n" + refused, 0), 0u) << clean.out;
    }
    EXPECT_FALSE(Exists(odd));
    EXPECT_TRUE(Exists("victim"));
}

// A log written by the scanner under Wine: its drive paths name files in a
// scratch tree through a Wine prefix in the temporary folder.
TEST_F(CleanCommand, WineLogActsOnTheMappedFiles) {
    MakeFile("x/tool.exe");
    MakeFile("wine/drive_c/users/anna/evil.exe");
    fs::create_directories(Path("wine/dosdevices"));
    fs::create_symlink("../drive_c", Path("wine/dosdevices/c:"));
    fs::create_symlink("/", Path("wine/dosdevices/z:"));
    std::string onZ = "Z:" + Path("x/tool.exe");
    std::replace(onZ.begin(), onZ.end(), '/', '\\');
    ASSERT_FALSE(WriteWholeFile(Path("mwav.log"),
                                "Scanning file " + onZ + " infected by \"V.a\"\r\n" +
                                    "Scanning file C:\\Users\\ANNA\\evil.exe infected by \"V.b\"\r\n" +
                                    "Scanning file Q:\\nothing.exe infected by \"V.c\"\r\n"));
    QProcessEnvironment prefix;
    prefix.insert(QStringLiteral("WINEPREFIX"), Arg("wine"));
    const std::string driveC = fs::canonical(Path("wine/drive_c")).string();
    const std::string evil = driveC + "/users/anna/evil.exe";
    const std::string noDrive = "No Wine drive for this path in " + Path("wine") + "/dosdevices";

    const Outcome entries = Korvane({"entries", Arg("mwav.log")}, prefix);
    EXPECT_EQ(entries.out, "1\t" + onZ + "\tV.a\t" + Path("x/tool.exe") +
                               "\n2\tC:\\Users\\ANNA\\evil.exe\tV.b\t" + evil +
                               "\n3\tQ:\\nothing.exe\tV.c\t\n");

    const Outcome dry = Korvane({"clean", "--language", "en", "--dry-run", Arg("mwav.log")}, prefix);
    EXPECT_EQ(dry.status, 1);
    EXPECT_EQ(dry.out, "remove now\t" + Path("x/tool.exe") + "\nremove now\t" + evil + "\nfail (" + noDrive +
                           ")\tQ:\\nothing.exe\n");
    EXPECT_TRUE(Exists("x/tool.exe"));
    EXPECT_TRUE(Exists("wine/drive_c/users/anna/evil.exe"));

    const Outcome clean = Korvane({"clean", "--language", "en", Arg("mwav.log")}, prefix);
    EXPECT_EQ(clean.status, 1);
    EXPECT_EQ(clean.out,
              "deleted\t" + onZ + "\ndeleted\tC:\\Users\\ANNA\\evil.exe\nfailed\tQ:\\nothing.exe\n");
    EXPECT_EQ(clean.err, "These objects were not deleted:\nQ:\\nothing.exe (" + noDrive + ")\n");
    EXPECT_FALSE(Exists("x/tool.exe"));
    EXPECT_FALSE(Exists("wine/drive_c/users/anna/evil.exe"));
    EXPECT_FALSE(Exists("pending"));
}

TEST_F(CleanCommand, AllOnRebootThenApplyPending) {
    if (!Root()) GTEST_SKIP() << "delayed deletions need root";
    MakeFile("x/tool.exe");
    MakeFile("x/dir/a.txt");
    MakeFile("x/dir/s/b.exe");
    const Outcome clean = Korvane(
        {"clean", "--language", "en", "--all-on-reboot", "--add", Arg("x/tool.exe"), "--add", Arg("x/dir")});
    EXPECT_EQ(clean.status, 1);
    EXPECT_TRUE(Exists("x/tool.exe"));
    EXPECT_EQ(Pending(), (std::vector<PendingOperation>{{Path("x/tool.exe"), ""},
                                                        {Path("x/dir/a.txt"), ""},
                                                        {Path("x/dir/s/b.exe"), ""},
                                                        {Path("x/dir/s"), ""},
                                                        {Path("x/dir"), ""}}));
    const Outcome apply = Korvane({"apply-pending"});
    EXPECT_EQ(apply.status, 0) << apply.out << apply.err;
    EXPECT_FALSE(Exists("x/tool.exe"));
    EXPECT_FALSE(Exists("x/dir"));
}

// "LINK/" as tab completion writes it names the link, never the folder it
// points to: the link goes, the folder and its contents stay.
TEST_F(CleanCommand, TrailingSlashLinkToAFolderRemovesOnlyTheLink) {
    MakeFile("target/keep.txt");
    fs::create_directories(Path("x"));
    fs::create_directory_symlink(Path("target"), Path("x/link"));
    const Outcome run = Korvane({"clean", "--language", "en", "--add", Arg("x/link") + "/"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "deleted\t" + Path("x/link") + "/\n");
    EXPECT_FALSE(Exists("x/link"));
    EXPECT_TRUE(Exists("target/keep.txt"));
}

// A name that is no UTF-8 reaches the run byte for byte: the neighbour whose
// name a decoded text would give (U+FFFD for the odd byte) stays.
TEST_F(CleanCommand, NonUtf8AddNamesExactlyThatFile) {
    MakeFile("x/bad\xff.exe");
    MakeFile("x/bad\xef\xbf\xbd.exe");
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("KORVANE_PENDING_FILE"), Arg("pending"));
    shell.setProcessEnvironment(environment);
    shell.setWorkingDirectory(Arg("x"));
    // The shell makes the byte; relative, so the working folder is used too.
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("exec \"$0\" clean --language en --add \"$(printf 'bad\\377.exe')\""),
                 QStringLiteral(KORVANE_EXECUTABLE)});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    EXPECT_EQ(shell.readAllStandardOutput().toStdString(), "deleted\t" + Path("x/bad\xff.exe") + "\n");
    EXPECT_FALSE(Exists("x/bad\xff.exe"));
    EXPECT_TRUE(Exists("x/bad\xef\xbf\xbd.exe"));
}

// Longer than PATH_MAX: deleted now, not taken for missing and queued.
TEST_F(CleanCommand, PathLongerThanPathMaxIsDeletedNow) {
    const std::string level(200, 'd');
    std::string relative = "long";
    fs::create_directories(Path(relative));
    int folder = ::open(Path(relative).c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    for (int i = 0; i < 25; ++i) {
        ASSERT_EQ(::mkdirat(folder, level.c_str(), 0700), 0);
        const int inner = ::openat(folder, level.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(folder);
        ASSERT_GE(inner, 0);
        folder = inner;
        relative += "/" + level;
    }
    const int file = ::openat(folder, "tool.exe", O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(file, 0);
    ::close(file);
    ::close(folder);
    const std::string path = Path(relative + "/tool.exe");
    ASSERT_GT(path.size(), 4096u);
    const Outcome run = Korvane({"clean", "--language", "en", "--add", QString::fromStdString(path)});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "deleted\t" + path + "\n");
    folder = ::open(Path("long").c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < 25 && folder >= 0; ++i) {
        const int inner = ::openat(folder, level.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(folder);
        folder = inner;
    }
    ASSERT_GE(folder, 0);
    struct stat info {};
    EXPECT_NE(::fstatat(folder, "tool.exe", &info, AT_SYMLINK_NOFOLLOW), 0);
    ::close(folder);
    EXPECT_FALSE(Exists("pending"));
    fs::remove_all(Path("long"));
}

// A folder nested three deep goes in one boot: files first, then the
// folders deepest first, then the folder itself.
TEST_F(CleanCommand, FolderThreeDeepIsGoneAfterOneApplyPending) {
    if (!Root()) GTEST_SKIP() << "delayed deletions need root";
    MakeFile("x/d1/d2/d3/f.exe");
    MakeFile("x/d1/a.txt");
    const Outcome clean = Korvane({"clean", "--language", "en", "--all-on-reboot", "--add", Arg("x/d1")});
    EXPECT_EQ(clean.status, 1);
    EXPECT_EQ(Pending(), (std::vector<PendingOperation>{{Path("x/d1/a.txt"), ""},
                                                        {Path("x/d1/d2/d3/f.exe"), ""},
                                                        {Path("x/d1/d2/d3"), ""},
                                                        {Path("x/d1/d2"), ""},
                                                        {Path("x/d1"), ""}}));
    const Outcome apply = Korvane({"apply-pending"});
    EXPECT_EQ(apply.status, 0) << apply.out << apply.err;
    EXPECT_FALSE(Exists("x/d1"));
    EXPECT_NE(apply.out.find("Done: 5, failed: 0, refused: 0"), std::string::npos) << apply.out;
}

// Between scheduling and the boot a link (or another folder) takes the place
// of the recorded folder: the operation is refused, the file behind the link
// stays, and the operation stays listed.
TEST_F(CleanCommand, ApplyPendingRefusesAFolderSwappedAfterScheduling) {
    if (!Root()) GTEST_SKIP() << "delayed deletions need root";
    MakeFile("x/dir/tool.exe");
    MakeFile("x/other/tool.exe");
    MakeFile("elsewhere/tool.exe");
    const Outcome clean = Korvane({"clean", "--language", "en", "--all-on-reboot", "--add",
                                   Arg("x/dir/tool.exe"), "--add", Arg("x/other/tool.exe")});
    EXPECT_EQ(clean.status, 1);
    fs::rename(Path("x/dir"), Path("x/dir-was"));
    fs::create_directory_symlink(Path("elsewhere"), Path("x/dir"));
    fs::rename(Path("x/other"), Path("x/other-was"));
    MakeFile("x/other/tool.exe");
    const Outcome apply = Korvane({"apply-pending"});
    EXPECT_EQ(apply.status, 1);
    EXPECT_EQ(apply.out, "refused (the folder above it is no longer the same)\t" + Path("x/dir/tool.exe") +
                             "\nrefused (the folder above it is no longer the same)\t" +
                             Path("x/other/tool.exe") + "\nDone: 0, failed: 0, refused: 2\n");
    EXPECT_TRUE(Exists("elsewhere/tool.exe"));
    EXPECT_TRUE(Exists("x/other/tool.exe"));
    EXPECT_EQ(Pending().size(), 2u);
}

// The list is carried out as root: entries on protected folders, or a move
// onto something that is no backup, are refused; a list others could have
// written is not carried out at all.
TEST_F(CleanCommand, ApplyPendingTrustsNothingItReads) {
    MakeFile("x/a.exe");
    MakeFile("y/precious.txt");
    fs::create_directories(Path("x/sub"));
    ASSERT_FALSE(WriteWholeFile(
        Path("pending"), EncodePendingOperations({Recorded("/etc"), Recorded("/tmp"), Recorded(Path("x/sub")),
                                                  Recorded(Path("x/a.exe"), Path("y/precious.txt"))})));
    fs::permissions(Path("pending"), fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::replace);
    const Outcome apply = Korvane({"apply-pending"});
    EXPECT_EQ(apply.status, 1);
    EXPECT_EQ(apply.out, "refused (protected folder)\t/etc\nrefused (protected folder)\t/tmp\ndeleted\t" +
                             Path("x/sub") + "\nrefused (protected folder)\t" + Path("x/a.exe") + "\t" +
                             Path("y/precious.txt") + "\nDone: 1, failed: 0, refused: 3\n");
    EXPECT_EQ(ReadWholeFile(Path("y/precious.txt")), "data");
    EXPECT_TRUE(Exists("x/a.exe"));

    ASSERT_FALSE(WriteWholeFile(Path("pending"), EncodePendingOperations({Recorded(Path("x/a.exe"))})));
    fs::permissions(Path("pending"), fs::perms::others_write, fs::perm_options::add);
    const Outcome open = Korvane({"apply-pending"});
    EXPECT_EQ(open.status, 2);
    EXPECT_EQ(open.out, "");
    EXPECT_NE(open.err.find("Nothing carried out: the list is not owned by root or others may change it"),
              std::string::npos)
        << open.err;
    EXPECT_TRUE(Exists("x/a.exe"));
}

}  // namespace
}  // namespace korvane
