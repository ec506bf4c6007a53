#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "core/pending_operations.h"
#include "core/whole_file.h"
#include "cli/korvane_run.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

using Outcome = testing::KorvaneOutcome;

// Runs korvane with its pending-operations list inside a temporary folder.
class CleanCommand : public ::testing::Test {
protected:
    Outcome Korvane(const QStringList& arguments) {
        QProcessEnvironment pendingFile;
        pendingFile.insert(QStringLiteral("KORVANE_PENDING_FILE"), QString::fromLocal8Bit(Path("pending").c_str()));
        return testing::RunKorvane(arguments, {}, pendingFile);
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
    ASSERT_FALSE(
        WriteWholeFile(Path("pending"),
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
    EXPECT_EQ(entries.out, "1\t" + Path(odd) + "\tW\xe4rm:\\x\n2\t" + cutShort + "\tN:\\ul\n");

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

}  // namespace
}  // namespace korvane
