#pragma once
// sitesim's command line.

#include "SiteServer.h"

#include <string>
#include <vector>

namespace sitesim {

struct CommandLine {
    int port = 0;
    std::string listFolder;  // --write-lists
    bool help = false;
    SiteOptions site;

    // False with a message naming the bad option.
    static bool Parse(const std::vector<std::string>& arguments, CommandLine& out, std::string& error);
    static const char* Usage();
};

} // namespace sitesim
