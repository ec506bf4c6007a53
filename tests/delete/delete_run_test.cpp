#include "delete/delete_run.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "delete/protected_paths.h"
#include "deletion_fixture.h"

namespace korvane {
namespace {

using testing::DeletionFixture;

class DeleteRun : public DeletionFixture {};

enum class Kind { Missing, MissingWithItsFolder, File, LockedFile, Folder, LockedFolder, EmptyFolder };

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
        // Nothing can be recorded for a folder that is not there: a folder
        // made there later would be another one.
        {"missing with its folder", Kind::MissingWithItsFolder, false, false, kStatusFailed, false, true,
         DeleteEndMessage::None},
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
                MakeFolder("case" + std::to_string(n));
                break;
            case Kind::MissingWithItsFolder:
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
        // A row that could not be recorded is listed with the reason.
        const bool listed = c.kind == Kind::MissingWithItsFolder;
        ASSERT_EQ(ui.messages.size(), (c.message == DeleteEndMessage::None ? 0u : 1u) + (listed ? 1u : 0u));
        if (listed) {
            EXPECT_NE(ui.messages[0].text.find(Path(object) + " (not scheduled"), std::string::npos);
        }
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
// never removed or queued, whatever the options; a path with "." or ".." is
// not even looked at. A refusal is only that: no message A, no restart.
TEST_F(DeleteRun, GuardRefusesProtectedFoldersAndAsksForNoRestart) {
    MakeFile("home/letter.txt");
    MakeFile("prog/korvane");
    MakeFolder("elsewhere");
    std::filesystem::create_symlink(Path("home"), Path("elsewhere/home-link"));
    for (bool allOnReboot : {false, true}) {
        SCOPED_TRACE(allOnReboot);
        rows.clear();
        ui.messages.clear();
        AddRows({Path("home"), Path("home/"), Path("prog"), root_, Path("prog/../prog/."),
                 Path("elsewhere/home-link"), Path("elsewhere//home-link"), ""});
        DeleteOptions options;
        options.allOnReboot = allOnReboot;
        options.fileBackup = true;
        options.reboot = true;
        const DeleteRunResult result = Run(options);
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) EXPECT_EQ(Status(row), "failed") << row;
        EXPECT_FALSE(result.restartNeeded);
        EXPECT_FALSE(result.restartRequested);
        EXPECT_TRUE(system.restartRequests.empty());
        EXPECT_EQ(closed, 0);
        EXPECT_EQ(result.message, DeleteEndMessage::None);
        EXPECT_TRUE(Queued().empty());
        EXPECT_TRUE(Pending().empty());
        EXPECT_TRUE(Exists("home/letter.txt"));
        EXPECT_TRUE(Exists("prog/korvane"));
        EXPECT_TRUE(Exists("elsewhere/home-link"));
        // One message lists every refused row with its reason.
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text,
                  "These objects were not deleted:\r\n" + Path("home") + " (protected folder)\r\n" +
                      Path("home/") + " (protected folder)\r\n" + Path("prog") + " (protected folder)\r\n" +
                      root_ + " (protected folder)\r\n" + Path("prog/../prog/.") + " (not a plain path)\r\n" +
                      Path("elsewhere/home-link") + " (protected folder)\r\n" + Path("elsewhere//home-link") +
                      " (not a plain path)\r\n (not a plain path)");
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
}

// The system's own layout on Linux, every home of the user database, the
// backup and pending-operations folders: refused as folders, as typed and
// through links. Files anywhere, and the folders dropped into the shared
// temporary folders, stay deletable.
TEST_F(DeleteRun, GuardTableOfTheSystemLayout) {
    MakeFolder("users/bob/Downloads");
    MakeFolder("x/sub");
    MakeFile("x/tool.exe");
    MakeFolder("prog/KRBackup");
    std::filesystem::create_symlink(Path("users/bob"), Path("x/bob-link"));
    system.otherHomes = {Path("users/bob")};
    const DeletionContext context = Context();
    const ProtectedFolders guard = ProtectedFoldersOf(context);
    const std::string refused[] = {"/",
                                   "/etc",
                                   "/usr/bin",
                                   "/var/lib",
                                   "/etc/ssl",
                                   "/home",
                                   "/root",
                                   "/tmp",
                                   "/var/tmp",
                                   "/dev/shm",
                                   "/no-such-folder-at-the-top",
                                   Path("users/bob"),
                                   Path("users"),
                                   Path("x/bob-link"),
                                   Path("prog/KRBackup"),
                                   root_ /* the folder of the pending-operations list */};
    for (const std::string& path : refused) {
        EXPECT_EQ(GuardRefusal(context, guard, path), Refusal::ProtectedFolder) << path;
    }
    if (std::filesystem::is_symlink("/lib64")) {
        EXPECT_EQ(GuardRefusal(context, guard, "/lib64"), Refusal::ProtectedFolder);
    }
    const std::string allowed[] = {"/etc/passwd",         "/usr/bin/env",     Path("x"),
                                   Path("x/sub"),         Path("x/tool.exe"), Path("users/bob/Downloads"),
                                   "/tmp/dropped-folder", "/var/tmp/x/y"};
    for (const std::string& path : allowed) {
        EXPECT_EQ(GuardRefusal(context, guard, path), Refusal::None) << path;
    }
}

// Gone by this run's own hand: listed twice, or inside a folder a row above
// removed. Nothing of it is left for the restart, where it would take
// whatever is made there again before the next boot.
TEST_F(DeleteRun, WhatThisRunRemovedIsNotQueuedAgain) {
    MakeFile("x/tool.exe");
    MakeFile("x/dir/inner.exe");
    MakeFile("x/later/in.exe");
    AddRows({Path("x/tool.exe"), Path("x/tool.exe"), Path("x/dir"), Path("x/dir/inner.exe"),
             Path("x/later/gone.exe"), Path("x/later")});
    DeleteOptions options;
    options.reboot = true;
    const DeleteRunResult result = Run(options);
    for (int row = 0; row < 6; ++row) EXPECT_EQ(Status(row), "deleted") << row;
    EXPECT_TRUE(Queued().empty());
    EXPECT_TRUE(Pending().empty());
    EXPECT_FALSE(result.restartNeeded);
    EXPECT_TRUE(system.restartRequests.empty());
    EXPECT_TRUE(ui.messages.empty());
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
