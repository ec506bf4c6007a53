#include "delete/delete_run.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "delete/protected_paths.h"
#include "deletion_fixture.h"

namespace korvane {
namespace {

using testing::DeletionFixture;

class DeleteRun : public DeletionFixture {};

enum class Kind { Missing, File, LockedFile, Folder, LockedFolder, EmptyFolder };

struct DecisionCase {
    const char* name;
    Kind kind;
    bool allOnReboot;
    bool ntWithoutAdmin;
    int status;   // text row the row ends with
    bool queued;  // the path (and a folder's contents) went into the restart list
    bool gone;    // the object is gone from disk
    DeleteEndMessage message;
};

TEST_F(DeleteRun, DecisionTable) {
    const DecisionCase cases[] = {
        {"missing", Kind::Missing, false, false, kStatusReboot, true, true, DeleteEndMessage::LeftForRestart},
        {"missing, no admin", Kind::Missing, false, true, kStatusFailed, false, true,
         DeleteEndMessage::NeedsAdministrator},
        {"missing, on reboot", Kind::Missing, true, false, kStatusReboot, true, true,
         DeleteEndMessage::LeftForRestart},
        {"file", Kind::File, false, false, kStatusDeleted, false, true, DeleteEndMessage::None},
        {"file, no admin", Kind::File, false, true, kStatusDeleted, false, true, DeleteEndMessage::None},
        {"folder", Kind::Folder, false, false, kStatusDeleted, false, true, DeleteEndMessage::None},
        {"empty folder", Kind::EmptyFolder, false, false, kStatusDeleted, false, true,
         DeleteEndMessage::None},
        {"file, on reboot", Kind::File, true, false, kStatusReboot, true, false,
         DeleteEndMessage::LeftForRestart},
        {"folder, on reboot", Kind::Folder, true, false, kStatusReboot, true, false,
         DeleteEndMessage::LeftForRestart},
        {"empty folder, on reboot", Kind::EmptyFolder, true, false, kStatusAdded, false, false,
         DeleteEndMessage::LeftForRestart},
        {"file, on reboot, no admin", Kind::File, true, true, kStatusFailed, false, false,
         DeleteEndMessage::NeedsAdministrator},
        {"empty folder, on reboot, no admin", Kind::EmptyFolder, true, true, kStatusFailed, false, false,
         DeleteEndMessage::NeedsAdministrator},
        {"locked file", Kind::LockedFile, false, false, kStatusReboot, true, false,
         DeleteEndMessage::LeftForRestart},
        {"locked file, no admin", Kind::LockedFile, false, true, kStatusFailed, false, false,
         DeleteEndMessage::NeedsAdministrator},
        {"locked folder", Kind::LockedFolder, false, false, kStatusReboot, true, false,
         DeleteEndMessage::LeftForRestart},
    };
    int n = 0;
    for (const DecisionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string object = "case" + std::to_string(++n) + "/object";
        switch (c.kind) {
            case Kind::Missing:
                break;
            case Kind::File:
            case Kind::LockedFile:
                MakeFile(object);
                break;
            case Kind::Folder:
            case Kind::LockedFolder:
                MakeFile(object + "/inner.exe");
                break;
            case Kind::EmptyFolder:
                MakeFolder(object);
                break;
        }
        if (c.kind == Kind::LockedFile || c.kind == Kind::LockedFolder) files.locked.insert(Path(object));
        state.UserIsAdmin = !c.ntWithoutAdmin;
        state.RebootDeleteList.assign(1, {});
        std::filesystem::remove(Path("pending"));
        ui.messages.clear();
        rows.clear();
        AddRows({Path(object)});

        DeleteOptions options;
        options.allOnReboot = c.allOnReboot;
        const DeleteRunResult result = Run(options);

        EXPECT_EQ(Status(0), state.Text(c.status));
        EXPECT_EQ(!Exists(object), c.gone);
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(result.restartNeeded, c.message != DeleteEndMessage::None);
        ASSERT_EQ(ui.messages.size(), c.message == DeleteEndMessage::None ? 0u : 1u);
        if (!c.queued) {
            EXPECT_TRUE(Queued().empty());
            EXPECT_TRUE(Pending().empty());
            continue;
        }
        std::vector<std::string> expected;
        if (c.kind == Kind::Folder || c.kind == Kind::LockedFolder)
            expected.push_back(Path(object + "/inner.exe"));
        expected.push_back(Path(object));
        EXPECT_EQ(Queued(), expected);
        std::vector<PendingOperation> pending;
        for (const std::string& path : expected) pending.push_back({path, ""});
        EXPECT_EQ(Pending(), pending);
    }
}

TEST_F(DeleteRun, NothingLoadedMeansNothingHappens) {
    state.ResetLists();
    MakeFile("tool.exe");
    AddRows({Path("tool.exe")});
    const DeleteRunResult result = Run();
    EXPECT_FALSE(result.ran);
    EXPECT_TRUE(Exists("tool.exe"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DeleteRun, OnlyCheckedRowsStillAddedInTheCurrentLanguageAreHandled) {
    for (const char* name : {"a.exe", "b.exe", "c.exe", "d.exe", "e.exe"}) MakeFile(name);
    AddRows({Path("a.exe"), Path("b.exe"), Path("c.exe"), Path("d.exe"), Path("e.exe")});
    rows[1].checked = false;
    rows[2].status = state.Table->Get(kStatusAdded, UiLanguage::German);  // from before a language switch
    rows[3].status = state.Text(kStatusReboot);                           // handled by an earlier run
    files.locked.insert(Path("e.exe"));

    Run();
    EXPECT_EQ(Status(0), "deleted");
    EXPECT_EQ(Status(4), "reboot");
    for (const char* kept : {"b.exe", "c.exe", "d.exe"}) EXPECT_TRUE(Exists(kept)) << kept;

    // A second press handles nothing again: the row left for the restart stays so.
    files.locked.clear();
    ui.messages.clear();
    const DeleteRunResult again = Run();
    EXPECT_FALSE(again.restartNeeded);
    EXPECT_TRUE(Exists("e.exe"));
    EXPECT_EQ(Status(4), "reboot");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DeleteRun, MessagesAAndBInTheCurrentLanguage) {
    AddRows({Path("gone.exe")});
    state.Language = UiLanguage::German;
    rows[0].status = state.Text(kStatusAdded);
    Run();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Fehler beim löschen");
    EXPECT_EQ(ui.messages[0].text,
              "Einige Dateien konnten nicht gelöscht werden.\r\n"
              "Diese werden beim nächsten Neustart des Rechners gelöscht.");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);

    state.Language = UiLanguage::English;
    state.UserIsAdmin = false;
    rows.clear();
    AddRows({Path("also-gone.exe")});
    Run();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].title, "Error while deleting");
    EXPECT_EQ(ui.messages[1].text,
              "Some files couldn't be deleted.\r\nYou need adminstrator-rights to delete these files.\r\n\r\n"
              "Please login as adminstrator and run this procedure a second time.");
}

TEST_F(DeleteRun, BackupMovesFilesIntoKRBackupAndSchedulesTheRest) {
    MakeFile("x/tool.exe", "infected");
    MakeFile("x/other.exe", "second");
    MakeFile("prog/KRBackup/other.exe.bkp", "older backup");  // never overwritten
    MakeFile("x/sub/inner.dll");
    files.locked.insert(Path("x/sub/inner.dll"));
    AddRows({Path("x/tool.exe"), Path("x/other.exe"), Path("x/sub")});
    DeleteOptions options;
    options.fileBackup = true;
    Run(options);

    EXPECT_EQ(Status(0), "deleted");
    EXPECT_EQ(ReadWholeFile(Path("prog/KRBackup/tool.exe.bkp")), "infected");
    EXPECT_EQ(Status(1), "deleted");
    EXPECT_EQ(ReadWholeFile(Path("prog/KRBackup/other.exe.bkp")), "older backup");
    EXPECT_EQ(ReadWholeFile(Path("prog/KRBackup/other.exe (2).bkp")), "second");
    // A file of the folder that cannot be moved keeps the folder for the restart.
    EXPECT_EQ(Status(2), "reboot");
    EXPECT_EQ(Pending(), (std::vector<PendingOperation>{
                             {Path("x/sub/inner.dll"), Path("prog/KRBackup/inner.dll.bkp")},
                             {Path("x/sub"), ""},  // folders are deleted, never backed up
                         }));
}

TEST_F(DeleteRun, OlderFamilyMovesPlainlyAndWritesWininit) {
    state.OsVersion = 2;
    state.UserIsAdmin = false;
    MakeFile("x/tool.exe");
    MakeFile("windows/Wininit.ini", "[rename]\r\nNUL=C:\\OLD.EXE");
    files.locked.insert(Path("x/tool.exe"));
    AddRows({Path("x/tool.exe"), Path("x/gone.exe")});
    DeleteOptions options;
    options.fileBackup = true;
    Run(options);

    ASSERT_EQ(files.moves.size(), 1u);
    EXPECT_FALSE(files.moves[0].copyAllowed);
    EXPECT_EQ(Status(0), "reboot");
    EXPECT_EQ(Status(1), "reboot");
    EXPECT_TRUE(Pending().empty());
    const std::string backup = Path("prog/KRBackup/");
    std::string upper = backup + "TOOL._~1.BKP";
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    std::string upperGone = backup + "GONE._~1.BKP";
    for (char& ch : upperGone) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(
        ReadWholeFile(Path("windows/Wininit.ini")),
        "[rename]\r\nNUL=C:\\OLD.EXE\r\n" + upper + "=" + Path("x/tool.exe") + "\r\n" + upperGone + "=\r\n");
}

TEST_F(DeleteRun, RestartInsteadOfMessageA) {
    AddRows({Path("gone.exe")});
    DeleteOptions options;
    options.reboot = true;
    const DeleteRunResult result = Run(options);
    EXPECT_TRUE(result.restartRequested);
    EXPECT_EQ(system.restartRequests, (std::vector<std::uint32_t>{6}));
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Pending().size(), 1u);  // scheduled before the restart
}

// Message A would promise a deletion at the restart that was never recorded.
TEST_F(DeleteRun, FailedSchedulingIsReportedAndNoRestartFollows) {
    MakeFile("blocker");
    ::setenv(kPendingOperationsFileVariable, Path("blocker/pending").c_str(), 1);
    AddRows({Path("gone.exe")});
    DeleteOptions options;
    options.reboot = true;
    const DeleteRunResult result = Run(options);
    EXPECT_TRUE(result.scheduleError);
    EXPECT_EQ(result.message, DeleteEndMessage::SchedulingFailed);
    EXPECT_TRUE(system.restartRequests.empty());
    EXPECT_EQ(closed, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(ui.messages[0].text.rfind("Some files couldn't be deleted.\r\nThey could not be scheduled", 0),
              0u)
        << ui.messages[0].text;
}

TEST_F(DeleteRun, RestartListIsNeverEmptiedSoLaterRunsScheduleEarlierEntriesAgain) {
    AddRows({Path("first.exe")});
    Run();
    std::filesystem::remove(Path("pending"));
    AddRows({Path("second.exe")});
    Run();
    EXPECT_EQ(Pending(), (std::vector<PendingOperation>{{Path("first.exe"), ""}, {Path("second.exe"), ""}}));
}

// Roots, the home folder, the program's folder and the folders above it are
// never removed or queued, whatever the options.
TEST_F(DeleteRun, GuardRefusesProtectedFolders) {
    MakeFile("home/letter.txt");
    MakeFile("prog/korvane");
    MakeFolder("elsewhere");
    std::filesystem::create_symlink(Path("home"), Path("elsewhere/home-link"));
    for (bool allOnReboot : {false, true}) {
        SCOPED_TRACE(allOnReboot);
        rows.clear();
        ui.messages.clear();
        AddRows({Path("home"), Path("home/"), Path("prog"), root_, Path("prog/../prog/."),
                 Path("elsewhere/home-link")});
        DeleteOptions options;
        options.allOnReboot = allOnReboot;
        options.fileBackup = true;
        const DeleteRunResult result = Run(options);
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) EXPECT_EQ(Status(row), "failed") << row;
        EXPECT_TRUE(result.restartNeeded);
        EXPECT_TRUE(Queued().empty());
        EXPECT_TRUE(Pending().empty());
        EXPECT_TRUE(Exists("home/letter.txt"));
        EXPECT_TRUE(Exists("prog/korvane"));
        EXPECT_TRUE(Exists("elsewhere/home-link"));
    }
}

TEST_F(DeleteRun, GuardKnowsRootsAndLinksToThem) {
    MakeFolder("x");
    std::filesystem::create_symlink("/", Path("x/root-link"));
    const DeletionContext context = Context();
    const ProtectedFolders guard = ProtectedFoldersOf(context);
    for (const std::string& path : {std::string("/"), std::string("//"), std::string("/tmp/.."),
                                    Path("x/root-link"), Path("x/root-link/"), Path("prog/")}) {
        EXPECT_TRUE(IsGuardedPath(context, guard, path)) << path;
    }
    EXPECT_FALSE(IsGuardedPath(context, guard, Path("x")));
    EXPECT_FALSE(IsGuardedPath(context, guard, Path("prog/KRBackup")));
}

// An installed program's files go elsewhere, but the folder it runs from
// (here the test's own) is never deleted either.
TEST_F(DeleteRun, GuardKeepsTheFolderTheProgramRunsFrom) {
    const DeletionContext context = Context();
    const ProtectedFolders guard = ProtectedFoldersOf(context);
    const std::string executableFolder = QCoreApplication::applicationDirPath().toLocal8Bit().toStdString();
    ASSERT_FALSE(executableFolder.empty());
    EXPECT_TRUE(IsGuardedPath(context, guard, executableFolder));
    EXPECT_TRUE(IsGuardedPath(context, guard, executableFolder + "/"));
}

TEST_F(DeleteRun, DryRunReportsAndChangesNothing) {
    MakeFile("x/tool.exe");
    MakeFile("x/sub/inner.exe");
    MakeFolder("x/empty");
    AddRows({Path("x/tool.exe"), Path("x/sub"), Path("x/gone.exe"), Path("home")});
    DeleteOptions options;
    options.dryRun = true;
    options.fileBackup = true;
    const DeleteRunResult result = Run(options);
    ASSERT_EQ(result.plans.size(), 4u);
    EXPECT_EQ(result.plans[0].action, PlannedAction::BackUpNow);
    EXPECT_EQ(result.plans[1].action, PlannedAction::RemoveNow);
    EXPECT_EQ(result.plans[2].action, PlannedAction::QueueForRestart);
    EXPECT_EQ(result.plans[3].action, PlannedAction::Refuse);
    EXPECT_TRUE(Exists("x/tool.exe"));
    EXPECT_TRUE(Exists("x/sub/inner.exe"));
    EXPECT_FALSE(Exists("prog/KRBackup"));
    for (int row = 0; row < 4; ++row) EXPECT_EQ(Status(row), "added");
    EXPECT_TRUE(Queued().empty());
    EXPECT_FALSE(Exists("pending"));
    EXPECT_TRUE(ui.messages.empty());
}

// The progress hook sees each marked row before it is handled; stopping it
// leaves that row and every later one "added" and untouched on disk.
TEST_F(DeleteRun, ProgressCountsMarkedRowsAndCancelLeavesTheRestAdded) {
    for (const char* name : {"a.exe", "b.exe", "c.exe", "d.exe"}) MakeFile(name);
    AddRows({Path("a.exe"), Path("b.exe"), Path("c.exe"), Path("d.exe")});
    rows[1].checked = false;
    std::vector<std::string> seen;
    DeleteOptions options;
    options.progress = [&](const DeleteProgress& at) {
        seen.push_back(std::to_string(at.done) + "/" + std::to_string(at.total) + " " + at.path);
        return at.done < 1;  // Cancel while the second marked row is at hand
    };
    const DeleteRunResult result = Run(options);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(seen, (std::vector<std::string>{"0/3 " + Path("a.exe"), "1/3 " + Path("c.exe")}));
    EXPECT_EQ(Status(0), "deleted");
    for (int row : {1, 2, 3}) EXPECT_EQ(Status(row), "added") << row;
    EXPECT_FALSE(Exists("a.exe"));
    for (const char* name : {"b.exe", "c.exe", "d.exe"}) EXPECT_TRUE(Exists(name)) << name;
    EXPECT_TRUE(ui.messages.empty());

    // A second run goes on with the rows still "added".
    options.progress = {};
    EXPECT_FALSE(Run(options).cancelled);
    EXPECT_EQ(Status(2), "deleted");
    EXPECT_EQ(Status(3), "deleted");
    EXPECT_TRUE(Exists("b.exe"));
}

}  // namespace
}  // namespace korvane
