#pragma once
// A deletion context over a real temporary folder: the program's folder, a
// Windows folder and a home folder inside it, the pending-operations file
// there too, and files the test can lock against removal.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>

#include "core/pending_operations.h"
#include "core/status_rows.h"
#include "core/whole_file.h"
#include "delete/delete_run.h"
#include "platform/posix/posix_files_shell.h"
#include "support/fake_security_system.h"
#include "support/scripted_ui_services.h"

namespace korvane::testing {

// The real file system, except that locked paths cannot be removed or moved
// (as a file in use on Windows) and every removal can be watched.
class LockingFilesShell : public PosixFilesShell {
public:
    std::set<std::string> locked;
    std::function<void(const std::string&)> onRemove;

    std::error_code RemoveFile(const std::string& path) override {
        if (onRemove) onRemove(path);
        if (locked.count(path) != 0) return std::make_error_code(std::errc::device_or_resource_busy);
        return PosixFilesShell::RemoveFile(path);
    }
    std::error_code MoveFileNow(const std::string& from, const std::string& to, bool copyAllowed) override {
        moves.push_back({from, to, copyAllowed});
        if (locked.count(from) != 0) return std::make_error_code(std::errc::device_or_resource_busy);
        return PosixFilesShell::MoveFileNow(from, to, copyAllowed);
    }
    std::error_code RemoveFolderTree(const std::string& path) override {
        if (onRemove) onRemove(path);
        if (locked.count(path) != 0) return std::make_error_code(std::errc::device_or_resource_busy);
        return PosixFilesShell::RemoveFolderTree(path);
    }

    struct Move {
        std::string from, to;
        bool copyAllowed;
    };
    std::vector<Move> moves;
};

class DeletionFixture : public ::testing::Test {
protected:
    DeletionFixture() {
        root_ = temp_.path().toLocal8Bit().toStdString();
        std::filesystem::create_directories(Path("prog"));
        std::filesystem::create_directories(Path("windows"));
        std::filesystem::create_directories(Path("home"));
        ::setenv(kPendingOperationsFileVariable, Path("pending").c_str(), 1);
        state.ResetLists();
        state.LogEntries.push_back({"loaded", "something"});
        state.AppTitle = "Korvane";
        state.OsVersion = 9;
        state.UserIsAdmin = true;
        state.Language = UiLanguage::English;
        state.PathSeparator = '/';
        state.ProgramFolder = Path("prog") + "/";
        state.WindowsDir = Path("windows");
        system.homeFolder = Path("home");
        system.programFolder = state.ProgramFolder;
    }
    ~DeletionFixture() override { ::unsetenv(kPendingOperationsFileVariable); }

    std::string Path(const std::string& relative) const { return root_ + "/" + relative; }
    void MakeFile(const std::string& relative, const std::string& content = "data") {
        std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
        ASSERT_FALSE(WriteWholeFile(Path(relative), content));
    }
    void MakeFolder(const std::string& relative) { std::filesystem::create_directories(Path(relative)); }
    bool Exists(const std::string& relative) const {
        return std::filesystem::exists(std::filesystem::symlink_status(Path(relative)));
    }

    DeletionContext Context() {
        return DeletionContext{state, platform, [this] { ++eventRounds; }};
    }

    // Rows of full paths, checked and "added".
    void AddRows(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) rows.push_back({path, state.Text(kStatusAdded), true, {}});
    }
    DeleteRunResult Run(const DeleteOptions& options = {}) {
        VectorDeleteRunRows access(rows);
        return CB_DelFiles_Click(Context(), access, options, [this] { ++closed; });
    }
    std::vector<PendingOperation> Pending() const {
        return DecodePendingOperations(ReadWholeFile(Path("pending")))
            .value_or(std::vector<PendingOperation>{});
    }
    std::vector<std::string> Queued() const {
        return std::vector<std::string>(state.RebootDeleteList.begin() + 1, state.RebootDeleteList.end());
    }
    std::string Status(int row) const { return rows[static_cast<std::size_t>(row)].status; }

    QTemporaryDir temp_;
    std::string root_;
    AppState state;
    FakeSecuritySystem system;
    LockingFilesShell files;
    ScriptedUiServices ui;
    Platform platform{system, files, ui};
    std::vector<VectorDeleteRunRows::Row> rows;
    int eventRounds = 0;
    int closed = 0;
};

}  // namespace korvane::testing
