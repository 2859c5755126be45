#pragma once
// kelo-cli: runs one command of the command line over the core's commands,
// with the terminal as every pane and dialog.

#include "CommandLine.h"
#include "TerminalBrowser.h"
#include "TerminalMessageBox.h"
#include "TerminalProgress.h"
#include "TerminalPump.h"

#include "app/KeloCommands.h"
#include "item/ButtonBar.h"
#include "listing/MemoryResultList.h"

namespace kelo::cli {

inline constexpr int EXIT_DONE = 0;
inline constexpr int EXIT_FAILED = 1;
inline constexpr int EXIT_USAGE = 2;

class KeloCli {
public:
    KeloCli();
    ~KeloCli();
    KeloCli(const KeloCli&) = delete;
    KeloCli& operator=(const KeloCli&) = delete;

    int Run(const CommandLine& line);

private:
    int Search(const CommandLine& line);
    int Category(const CommandLine& line);
    int MyList(const CommandLine& line);
    int Sorel(const CommandLine& line);
    int Item(const CommandLine& line);
    int Bid(const CommandLine& line);
    int SignIn(const CommandLine& line);
    int ListFavorites();
    int AddFavorite(const CommandLine& line);
    int DeleteFavorite(const CommandLine& line);
    int ListHistory();
    int PrintTree();

    // The rows of the list, then the status: failed when the loader failed
    // or reported anything.
    int ListingDone(int loaded);
    int Status(bool succeeded) const;
    int UsageError(const std::string& reason) const;
    // The title a user would have seen for the item: its latest history
    // entry's, else the item's identifier.
    std::string KnownTitle(const std::string& url);
    // The password from --password, else typed at the terminal.
    bool Password(const CommandLine& line, std::string& password) const;

    TerminalMessageBox messages_;
    MemoryResultList list_;
    TerminalProgress progress_;
    TerminalPump pump_;
    TerminalBrowser browser_;
    ButtonBar buttonBar_;
    KeloCommands commands_;
};

} // namespace kelo::cli
