#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/win32_files_shell.h"
#include "platform/win32/win32_process_runner.h"
#include "platform/win32/win32_security_system.h"

namespace korvane {
namespace {

std::string ThisProgram() {
    char buffer[MAX_PATH * 4] = {};
    const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return std::string(buffer, n);
}

class Win32Scanner : public ::testing::Test {
protected:
    Win32Scanner() {
        root =
            system.GetSystemFolder("temp") + "korvane scanner test " + std::to_string(GetCurrentProcessId());
    }
    ~Win32Scanner() override {
        DeleteFileA((root + "\\a long folder name\\deeper\\file.txt").c_str());
        RemoveDirectoryA((root + "\\a long folder name\\deeper").c_str());
        RemoveDirectoryA((root + "\\a long folder name").c_str());
        RemoveDirectoryA(root.c_str());
    }

    Win32SecuritySystem system;
    Win32FilesShell files;
    std::string root;
};

TEST_F(Win32Scanner, CreatesFoldersGivesShortNamesAndDeletesFiles) {
    const std::string deeper = root + "\\a long folder name\\deeper\\";
    ASSERT_FALSE(files.CreateFolderPath(deeper));
    EXPECT_TRUE(files.FileExists(deeper));
    EXPECT_FALSE(files.CreateFolderPath(deeper));  // already there is fine

    const std::string shortForm = files.ShortPathOf(root + "\\a long folder name");
    ASSERT_FALSE(shortForm.empty());
    EXPECT_EQ(shortForm.find('\0'), std::string::npos);
    EXPECT_TRUE(files.FileExists(shortForm));
    EXPECT_EQ(files.ShortPathOf(root + "\\missing"), "");

    const std::string file = deeper + "file.txt";
    HANDLE h =
        CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_FALSE(files.RemoveFile(file));
    EXPECT_FALSE(files.FileExists(file));
    EXPECT_TRUE(files.RemoveFile(file));  // gone: an error, not a success
}

TEST_F(Win32Scanner, RunAndWaitWaitsForTheProgramAndFailsForAMissingOne) {
    Win32ProcessRunner runner;
    const std::chrono::minutes limit(5);
    const ProcessOutcome ran =
        runner.RunAndWait("\"" + ThisProgram() + "\" --gtest_list_tests --gtest_filter=None", -1, limit);
    EXPECT_TRUE(ran.Succeeded());
    EXPECT_EQ(runner.RunAndWait(root + "\\KAVUpd.exe", -1, limit).kind, ProcessOutcome::NotStarted);
}

TEST_F(Win32Scanner, LaunchOfAMissingScannerFails) {
    Win32ProcessRunner runner;
    ASSERT_FALSE(files.CreateFolderPath(root + "\\"));
    EXPECT_FALSE(runner.Launch("mwavscan.com", " /MEM /SNOC", {"/MEM", "/SNOC"}, root + "\\",
                               std::chrono::seconds(60)));
}

}  // namespace
}  // namespace korvane
