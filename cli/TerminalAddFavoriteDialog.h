#pragma once
// The add-to-favourites dialog answered from the command line: the name
// given there (else the offered one) and the watch-list tick.

#include "item/AddFavoriteDialog.h"

#include <optional>
#include <string>

namespace kelo::cli {

class TerminalAddFavoriteDialog : public AddFavoriteDialog {
public:
    TerminalAddFavoriteDialog(std::optional<std::string> sjisName, bool watchList)
        : name_(std::move(sjisName)), watchList_(watchList) {}

    bool ShowAddFavorite(FavoriteEntry& entry) override {
        if (name_)
            entry.name = *name_;
        entry.watchList = watchList_;
        return true;
    }

private:
    std::optional<std::string> name_;
    bool watchList_;
};

} // namespace kelo::cli
