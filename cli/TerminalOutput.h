#pragma once
// The terminal's streams: UTF-8 text out, lines and passwords in.

#include <initializer_list>
#include <string>
#include <string_view>

namespace kelo::cli {

class TerminalOutput {
public:
    static void Out(std::string_view utf8);
    static void Error(std::string_view utf8);
    // Fields joined by tabs, ended by a line feed, each converted from Shift_JIS.
    static void Record(std::initializer_list<std::string_view> sjisFields);

    static bool InputIsTerminal();
    static bool ErrorIsTerminal();
    // One line of standard input without its line end; false at its end.
    // Without a terminal the line end goes to standard output instead.
    static bool ReadLine(std::string& line);
    // One line typed at the terminal with echo off, after the prompt on
    // standard error; false when it could not be read.
    static bool ReadPassword(std::string_view prompt, std::string& password);
};

} // namespace kelo::cli
