#pragma once
// kelo-cli's command line: one command, its operands and its options, all
// still UTF-8 as the terminal gave them.

#include <optional>
#include <string>
#include <vector>

namespace kelo::cli {

struct CommandLine {
    std::string command;               // "search", "favorites add", ...
    std::vector<std::string> operands; // in order, options removed
    std::optional<std::string> page;   // item: item, bids or qanda
    std::optional<std::string> quantity;
    std::optional<std::string> password;
    bool watch = false;
    bool help = false;

    // Fills line from the arguments after the program name; false with the
    // reason in error when they make no command.
    static bool Parse(const std::vector<std::string>& arguments, CommandLine& line, std::string& error);
    static const char* Usage();
};

} // namespace kelo::cli
