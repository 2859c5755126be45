#include "CommandLine.h"

#include <cerrno>
#include <cstdlib>

namespace sitesim {

namespace {

bool ParseNumber(const std::string& text, long long low, long long high, long long& value)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 18)
        return false;
    value = std::strtoll(text.c_str(), nullptr, 10);
    return value >= low && value <= high;
}

} // namespace

const char* CommandLine::Usage()
{
    return "usage: sitesim --port N [--seed S] [--items N] [--write-lists DIR]\n"
           "               [--user U] [--password P] [--fault kind:match]...\n"
           "  --port N          port on 127.0.0.1 (0 picks a free one)\n"
           "  --seed S          catalogue seed (default 1)\n"
           "  --items N         number of Vanto auctions (default 3000)\n"
           "  --write-lists DIR write category.lst and sorel.lst into DIR\n"
           "  --user U, --password P   the member account (default demo / demo)\n"
           "  --fault kind:match  a fault for every request whose host+path holds match\n"
           "                    kinds: 404 500 empty nomarker stall huge badeuc crlf longlines\n";
}

bool CommandLine::Parse(const std::vector<std::string>& arguments, CommandLine& out, std::string& error)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            out.help = true;
            continue;
        }
        const bool takesValue = option == "--port" || option == "--seed" || option == "--items" ||
                                option == "--write-lists" || option == "--user" || option == "--password" ||
                                option == "--fault";
        if (!takesValue) {
            error = "unknown option '" + option + "'";
            return false;
        }
        if (i + 1 >= arguments.size()) {
            error = "option " + option + " needs a value";
            return false;
        }
        const std::string& value = arguments[++i];
        long long number = 0;
        if (option == "--port") {
            if (!ParseNumber(value, 0, 65535, number)) {
                error = "--port wants a number from 0 to 65535, not '" + value + "'";
                return false;
            }
            out.port = static_cast<int>(number);
        } else if (option == "--seed") {
            if (!ParseNumber(value, 0, 999999999999999999LL, number)) {
                error = "--seed wants a whole number, not '" + value + "'";
                return false;
            }
            out.site.seed = static_cast<std::uint64_t>(number);
        } else if (option == "--items") {
            if (!ParseNumber(value, 1, 200000, number)) {
                error = "--items wants a number from 1 to 200000, not '" + value + "'";
                return false;
            }
            out.site.items = static_cast<int>(number);
        } else if (option == "--write-lists") {
            out.listFolder = value;
        } else if (option == "--user") {
            if (value.empty()) {
                error = "--user must not be empty";
                return false;
            }
            out.site.user = value;
        } else if (option == "--password") {
            out.site.password = value;
        } else {
            FaultRule rule;
            if (!Faults::ParseSwitch(value, rule)) {
                error = "--fault wants kind:match with a kind of 404 500 empty nomarker stall huge badeuc crlf "
                        "longlines, not '" + value + "'";
                return false;
            }
            out.site.faults.push_back(rule);
        }
    }
    return true;
}

} // namespace sitesim
