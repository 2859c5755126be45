#pragma once
// The main window's operations, free of any window: what the result list,
// the category tree and the item commands do, over the ports a front end
// provides. It owns what lives for the whole run: the primary category list,
// the blacklist, the history and the tree's content.

#include "app/CategoryTree.h"
#include "app/FocusedPane.h"
#include "collections/Blacklist.h"
#include "collections/CategoryLists.h"
#include "collections/Favorites.h"
#include "collections/History.h"
#include "listing/ListingPorts.h"

#include <string>
#include <string_view>

namespace kelo {

class AddFavoriteDialog;
class BidDialog;
class BidPlaceDialog;
class Browser;
class ButtonBar;
class QuestionDialog;

// The search-target menu's commands.
inline constexpr int SEARCH_TARGET_FIRST = 32811;
inline constexpr int SEARCH_TARGET_ALL = 32812; // "全て": the keyword search
inline constexpr int SEARCH_TARGET_PRIMARY = 32814;
inline constexpr int SEARCH_TARGET_SECONDARY = 32815;
inline constexpr int SEARCH_TARGET_THIRD = 32816;
inline constexpr int SEARCH_TARGET_LAST = 32816;

// The panes the operations show their results in. Dialogs are not among
// them: each lives for one command and is handed to that command.
struct KeloPorts {
    ResultList& list;
    ProgressDialog& progress;
    MessagePump& pump;
    Browser& browser;
    ButtonBar& buttonBar;
};

class KeloCommands : private FavoritesView {
public:
    // Reads "category.lst" and "black.lst" from the working folder.
    explicit KeloCommands(const KeloPorts& ports);
    KeloCommands(const KeloCommands&) = delete;
    KeloCommands& operator=(const KeloCommands&) = delete;

    // Fills the tree once, as the tree pane does when it is first shown: the
    // favourites, both site sub-trees and the history read from its file.
    void OnInitialUpdate();

    // The search-target menu: "全て" searches the keyword on the primary
    // site; the other targets search nothing. Returns the loader's result,
    // or 0 when nothing was searched.
    int OnSearchTarget(int commandId, std::string_view keyword);
    // The listings a front end may start directly.
    int LoadCategoryListing(std::string_view url);
    int LoadMyAuctionList(int list);
    int LoadSecondaryList(std::string_view path);

    // Result list commands on the selected row; nothing without one.
    void OnListDblClick();
    void OnListAddFavorite(AddFavoriteDialog& dialog);
    void OnListBid(BidDialog& bidDialog, BidPlaceDialog& placeDialog);
    // Command 108: six fixed sample rows at the top of the list.
    void FillSampleRows();
    // Shows an item as a double click on its row does: the summary in the
    // browser, a history entry (saved at once), the current item. Returns
    // the summary's path, empty when it failed.
    std::string OpenItem(std::string_view url, std::string_view title);

    // The item the bid and question commands act on, chosen by the pane
    // that has the focus. False when that pane offers none.
    bool FindCurrentItem(FocusedPane focus, std::string& url, std::string& title);
    void OnBid(FocusedPane focus, BidDialog& bidDialog, BidPlaceDialog& placeDialog);
    void OnQuestion(FocusedPane focus, QuestionDialog& dialog);

    // The tree's selected node as an item: a favourite or a history entry.
    bool GetSelectedItemUrl(std::string& url, std::string& name);
    // What a double click on a node opens.
    void OnTreeDblClk(TreeNodeId node);
    // Command 121 on the selected favourite node.
    void OnDeleteFavorite();
    // Command 32771: the site sub-trees anew, then the running watch list.
    void OnCategoryUpdate();

    CategoryTree& Tree() { return tree_; }
    History& GetHistory() { return history_; }
    Favorites& GetFavorites() { return favorites_; }

private:
    void ShowFavorites(const std::vector<std::string>& names) override;
    ListingPorts Listing() const { return {ports_.list, ports_.progress, ports_.pump}; }
    void ShowAsCurrentItem(std::string_view url, std::string_view title);
    // True, with the busy message shown, while another network operation runs.
    static bool RefusedWhileBusy();

    KeloPorts ports_;
    CategoryList categories_;
    Blacklist blacklist_;
    History history_;
    CategoryTree tree_;
    Favorites favorites_;
};

} // namespace kelo
