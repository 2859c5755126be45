#pragma once
// The favourites: one Internet Shortcut file per item in the favourites
// folder, which other programs may change at any time. The folder is the only
// store; every listing reads it anew.

#include <string>
#include <string_view>
#include <vector>

namespace kelo {

class AddFavoriteDialog;
class Browser;
class ButtonBar;

// The favourites menu entries carry these command ids, in listing order;
// later entries are listed but have no command.
inline constexpr int FAVORITE_MENU_FIRST = 1200;
inline constexpr int FAVORITE_MENU_LAST = 1400;

// The menu and the tree's favourite nodes, rebuilt after every change.
class FavoritesView {
public:
    virtual ~FavoritesView() = default;
    virtual void ShowFavorites(const std::vector<std::string>& names) = 0;
};

class Favorites {
public:
    explicit Favorites(FavoritesView* view = nullptr) : view_(view) {}

    // USERPROFILE (else HOME) and "Favorites/Kelo", created when missing;
    // reports 001004 when it cannot be created and returns the path anyway.
    static std::string GetFavoritesDir();
    // Test seam: the folder to use instead (empty: the user's).
    static void SetFavoritesDirForTests(const std::string& folder);

    // The name made safe as a file name inside the folder: separators and
    // control bytes replaced, trimmed, ".", ".." and empty names replaced by
    // the item's identifier, kept short enough for the file system.
    static std::string SafeFavoriteName(std::string_view name, std::string_view url);

    // Writes the shortcut whole or not at all and refreshes the view. Returns
    // the name actually used, or an empty text when nothing was written.
    std::string SaveFavorite(std::string_view url, std::string_view name);
    // Removes the favourite of that display name; false when it was not there
    // or the name does not stay inside the folder. Refreshes the view.
    bool DeleteFavorite(std::string_view name);
    // The display names, in file-name order.
    std::vector<std::string> ListFavorites() const;
    void RefreshFavorites();
    // The shortcut's URL, or an empty text when it has none.
    std::string ReadFavoriteUrl(std::string_view name) const;

    // The menu entry: the item summary of the favourite in the browser pane;
    // nothing (no message) when no URL can be read. The current item stays.
    void OpenFavoriteFromMenu(std::string_view name, ButtonBar& bar, Browser& browser);
    // The tree node: as from the menu, but 002001 when no URL can be read,
    // and the item becomes the current item.
    void OpenFavoriteFromTree(std::string_view name, ButtonBar& bar, Browser& browser);

    // The add flow: the dialog with the URL and title, the shortcut, and the
    // site's watch list when ticked. Returns the name used, or an empty text
    // when the user cancelled or nothing was written.
    std::string AddToFavorites(std::string_view url, std::string_view title, AddFavoriteDialog& dialog);

private:
    FavoritesView* view_;
};

// Puts an item on the user's watch list on the primary site and dumps the
// answer to "addmyauction.txt". Sends nothing for an item that is not on a
// "page" host of the primary site; false when nothing was sent or answered.
bool RememberItem(std::string_view itemUrl);

} // namespace kelo
