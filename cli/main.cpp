// kelo-cli: the terminal front end. Same settings, cookies, cache and
// favourites as the desktop application; the current folder is the working
// folder for the list files and the dump files.

#include "CommandLine.h"
#include "KeloCli.h"
#include "TerminalOutput.h"

#include "QtSettingsStore.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace kelo::cli;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CommandLine line;
    std::string error;
    if (!CommandLine::Parse(arguments, line, error)) {
        TerminalOutput::Error("kelo-cli: " + error + "\n" + CommandLine::Usage());
        return EXIT_USAGE;
    }
    if (line.help) {
        TerminalOutput::Out(CommandLine::Usage());
        return EXIT_DONE;
    }
    kelo::QtSettingsStore settings;
    kelo::SetProfile(settings);
    KeloCli cli;
    return cli.Run(line);
}
