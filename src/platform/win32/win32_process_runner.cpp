#include "platform/win32/win32_process_runner.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdlib>
#include <vector>

namespace korvane {

ProcessOutcome Win32ProcessRunner::RunAndWait(const std::string& program, int showState,
                                              std::chrono::milliseconds timeLimit) {
    cancelled_ = false;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(std::abs(showState));
    PROCESS_INFORMATION process{};
    // CreateProcessA may write into the command line.
    std::vector<char> commandLine(program.begin(), program.end());
    commandLine.push_back('\0');
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                        nullptr, &startup, &process)) {
        return {ProcessOutcome::NotStarted, 0};
    }
    CloseHandle(process.hThread);
    // Waited for in slices, so a cancel and the time limit end the wait.
    const auto deadline = std::chrono::steady_clock::now() + timeLimit;
    ProcessOutcome outcome{ProcessOutcome::Finished, 0};
    while (WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT) {
        if (cancelled_ || std::chrono::steady_clock::now() >= deadline) {
            outcome.kind = cancelled_ ? ProcessOutcome::Cancelled : ProcessOutcome::TimedOut;
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 5000);
            break;
        }
    }
    if (outcome.kind == ProcessOutcome::Finished) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        outcome.exitCode = static_cast<int>(code);
        // An unhandled exception ends a program with its NTSTATUS code.
        if ((code & 0xC0000000u) == 0xC0000000u) outcome.kind = ProcessOutcome::Crashed;
    }
    CloseHandle(process.hProcess);
    return outcome;
}

bool Win32ProcessRunner::Launch(const std::string& program, const std::string& parameters,
                                const std::vector<std::string>&, const std::string& workingFolder,
                                std::chrono::milliseconds) {
    // ShellExecuteA returns once the program has been started.
    const HINSTANCE result = ShellExecuteA(GetActiveWindow(), nullptr, program.c_str(), parameters.c_str(),
                                           workingFolder.c_str(), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace korvane
