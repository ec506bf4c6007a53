#include "platform/win32/win32_process_runner.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdlib>
#include <vector>

namespace korvane {

bool Win32ProcessRunner::RunAndWait(const std::string& program, int showState) {
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
        return false;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    return CloseHandle(process.hProcess) != 0;
}

bool Win32ProcessRunner::Launch(const std::string& program, const std::string& parameters,
                                const std::string& workingFolder) {
    const HINSTANCE result = ShellExecuteA(GetActiveWindow(), nullptr, program.c_str(), parameters.c_str(),
                                           workingFolder.c_str(), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace korvane
