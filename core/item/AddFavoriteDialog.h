#pragma once
// The add-to-favourites dialog: the item URL (shown only), the favourite's
// name (by default the item title) and the tick for the site's watch list.

#include <string>

namespace kelo {

struct FavoriteEntry {
    std::string url;
    std::string name;
    bool watchList = false; // "ﾏｲｵｰｸｼｮﾝに追加する"
};

class AddFavoriteDialog {
public:
    virtual ~AddFavoriteDialog() = default;
    // True on OK, with name and watchList as the user left them.
    virtual bool ShowAddFavorite(FavoriteEntry& entry) = 0;
};

} // namespace kelo
