#include <windows.h>

#include <iostream>

#include "platform/console_input.h"

namespace korvane {

bool ReadLineWithoutEcho(std::istream& in, std::string& line) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD saved = 0;
    const bool console = &in == &std::cin && input != INVALID_HANDLE_VALUE && GetConsoleMode(input, &saved);
    if (console) SetConsoleMode(input, saved & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
    const bool read = static_cast<bool>(std::getline(in, line));
    if (console) {
        SetConsoleMode(input, saved);
        std::cerr << '\n';
    }
    if (read && !line.empty() && line.back() == '\r') line.pop_back();
    return read;
}

}  // namespace korvane
