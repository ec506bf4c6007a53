#include <termios.h>
#include <unistd.h>

#include <iostream>

#include "platform/console_input.h"

namespace korvane {

bool ReadLineWithoutEcho(std::istream& in, std::string& line) {
    termios saved{};
    const bool terminal = &in == &std::cin && ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL;  // the Enter still moves to the next line
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    const bool read = static_cast<bool>(std::getline(in, line));
    if (terminal) ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    if (read && !line.empty() && line.back() == '\r') line.pop_back();
    return read;
}

}  // namespace korvane
