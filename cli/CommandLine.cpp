#include "CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kelo::cli {
namespace {

struct CommandShape {
    std::string_view name;
    std::size_t minOperands;
    std::size_t maxOperands;
    std::array<std::string_view, 2> options; // those taking a value, or "watch"
};

constexpr CommandShape COMMANDS[] = {
    {"search", 1, 1, {}},
    {"category", 1, 1, {}},
    {"mylist", 1, 1, {}},
    {"sorel", 1, 1, {}},
    {"item", 1, 1, {"page"}},
    {"bid", 2, 2, {"quantity", "password"}},
    {"signin", 1, 1, {"password"}},
    {"favorites", 0, 0, {}},
    {"favorites add", 1, 2, {"watch"}},
    {"favorites delete", 1, 1, {}},
    {"history", 0, 0, {}},
    {"tree", 0, 0, {}},
};

const CommandShape* FindShape(std::string_view name) {
    for (const CommandShape& shape : COMMANDS)
        if (shape.name == name)
            return &shape;
    return nullptr;
}

bool Allows(const CommandShape& shape, std::string_view option) {
    return std::find(shape.options.begin(), shape.options.end(), option) != shape.options.end();
}

bool SetOption(CommandLine& line, std::string_view name, std::string value, std::string& error) {
    if (name == "page") {
        if (value != "item" && value != "bids" && value != "qanda") {
            error = "--page takes item, bids or qanda";
            return false;
        }
        line.page = std::move(value);
    } else if (name == "quantity") {
        line.quantity = std::move(value);
    } else {
        line.password = std::move(value);
    }
    return true;
}

} // namespace

bool CommandLine::Parse(const std::vector<std::string>& arguments, CommandLine& line, std::string& error) {
    line = CommandLine{};
    std::vector<std::string> words;
    std::vector<std::pair<std::string, std::optional<std::string>>> options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            words.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            line.help = true;
            return true;
        } else if (argument.rfind("--", 0) == 0) {
            const std::size_t equals = argument.find('=');
            std::string name = argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            std::optional<std::string> value;
            if (equals != std::string::npos)
                value = argument.substr(equals + 1);
            else if (name != "watch" && i + 1 < arguments.size())
                value = arguments[++i];
            options.emplace_back(std::move(name), std::move(value));
        } else {
            error = "unknown option " + argument;
            return false;
        }
    }
    if (words.empty()) {
        error = "no command given";
        return false;
    }

    std::size_t used = 1;
    line.command = words[0];
    if (line.command == "favorites" && words.size() > 1 && (words[1] == "add" || words[1] == "delete")) {
        line.command += " " + words[1];
        used = 2;
    }
    const CommandShape* shape = FindShape(line.command);
    if (!shape) {
        error = "unknown command " + words[0];
        return false;
    }
    line.operands.assign(words.begin() + static_cast<long>(used), words.end());
    if (line.operands.size() < shape->minOperands || line.operands.size() > shape->maxOperands) {
        error = "wrong number of operands for " + line.command;
        return false;
    }

    for (auto& [name, value] : options) {
        if (!Allows(*shape, name)) {
            error = "--" + name + " does not go with " + line.command;
            return false;
        }
        if (name == "watch") {
            if (value) {
                error = "--watch takes no value";
                return false;
            }
            line.watch = true;
        } else if (!value) {
            error = "--" + name + " needs a value";
            return false;
        } else if (!SetOption(line, name, std::move(*value), error)) {
            return false;
        }
    }

    if (line.command == "mylist") {
        const std::string& list = line.operands[0];
        if (list.size() != 1 || list[0] < '0' || list[0] > '3') {
            error = "mylist takes a list number from 0 to 3";
            return false;
        }
    }
    return true;
}

const char* CommandLine::Usage() {
    return "usage: kelo-cli COMMAND [ARGUMENTS]\n"
           "\n"
           "Listings (rows on standard output: flags, title, price, bids or bidder,\n"
           "time left, URL, separated by tabs):\n"
           "  kelo-cli search KEYWORD          keyword search on Vanto, every page\n"
           "  kelo-cli category URL            a category listing (URL or path on the list host)\n"
           "  kelo-cli mylist N                my-auction list N: 0 watched (running),\n"
           "                                   1 watched (ended), 2 bidding, 3 won\n"
           "  kelo-cli sorel PATH              a Sorel category page\n"
           "\n"
           "Items:\n"
           "  kelo-cli item URL [--page item|bids|qanda]\n"
           "                                   the item summary; the item page is also\n"
           "                                   recorded in the history\n"
           "  kelo-cli bid URL AMOUNT [--quantity N] [--password P]\n"
           "                                   the whole bid exchange, answering the site's\n"
           "                                   confirmations on standard input\n"
           "  kelo-cli signin USER [--password P]\n"
           "                                   signs in to Vanto; the session is shared\n"
           "                                   with the desktop application\n"
           "\n"
           "Collections:\n"
           "  kelo-cli favorites               name and URL of every favourite\n"
           "  kelo-cli favorites add URL [NAME] [--watch]\n"
           "                                   --watch also puts it on the site's watch list\n"
           "  kelo-cli favorites delete NAME\n"
           "  kelo-cli history                 title and URL, oldest first\n"
           "  kelo-cli tree                    the category tree\n"
           "\n"
           "Without --password the password is read from the terminal without echo.\n"
           "Settings are the desktop application's; the lists (category.lst, sorel.lst,\n"
           "black.lst) and the dump files are in the current folder.\n"
           "Exit status: 0 success, 1 a failure was reported, 2 usage error.\n";
}

} // namespace kelo::cli
