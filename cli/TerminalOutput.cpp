#include "TerminalOutput.h"

#include "net/Unicode.h"

#include <cstdio>
#include <iostream>
#include <termios.h>
#include <unistd.h>

namespace kelo::cli {

void TerminalOutput::Out(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

void TerminalOutput::Error(std::string_view utf8) {
    std::fflush(stdout); // keep the order of both streams on a shared terminal
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
}

void TerminalOutput::Record(std::initializer_list<std::string_view> sjisFields) {
    std::string line;
    bool first = true;
    for (std::string_view field : sjisFields) {
        if (!first)
            line += '\t';
        first = false;
        line += SjisToUtf8(field);
    }
    line += '\n';
    Out(line);
}

bool TerminalOutput::InputIsTerminal() { return isatty(STDIN_FILENO) == 1; }
bool TerminalOutput::ErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

bool TerminalOutput::ReadLine(std::string& line) {
    std::fflush(stdout);
    if (!std::getline(std::cin, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    // A terminal echoes the answer; without one the transcript still breaks
    // the line after the prompt.
    if (!InputIsTerminal())
        Out("\n");
    return true;
}

bool TerminalOutput::ReadPassword(std::string_view prompt, std::string& password) {
    if (!InputIsTerminal())
        return false;
    Error(prompt);
    termios saved{};
    if (tcgetattr(STDIN_FILENO, &saved) != 0)
        return false;
    termios quiet = saved;
    quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
    quiet.c_lflag |= ECHONL;
    if (tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) != 0)
        return false;
    const bool read = ReadLine(password);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    return read;
}

} // namespace kelo::cli
