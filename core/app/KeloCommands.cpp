#include "app/KeloCommands.h"

#include "app/NetworkOperation.h"
#include "item/BidDialog.h"
#include "item/Browser.h"
#include "item/ButtonBar.h"
#include "item/ItemCommands.h"
#include "item/ItemSummary.h"
#include "listing/ListingLoader.h"
#include "listing/MyAuctionLoader.h"
#include "listing/ResultList.h"
#include "listing/SecondaryListLoader.h"
#include "net/JString.h"
#include "net/SiteRequests.h"

namespace kelo {

KeloCommands::KeloCommands(const KeloPorts& ports)
    : ports_(ports), categories_(LoadCategoryList("category.lst")), favorites_(this) {
    blacklist_.Load("black.lst");
    history_.SetNodes(&tree_);
}

void KeloCommands::OnInitialUpdate() {
    favorites_.RefreshFavorites();
    tree_.BuildCategoryTree(categories_);
    history_.LoadHistory();
}

void KeloCommands::ShowFavorites(const std::vector<std::string>& names) { tree_.SetFavorites(names); }

int KeloCommands::OnSearchTarget(int commandId, std::string_view keyword) {
    if (commandId != SEARCH_TARGET_ALL)
        return 0;
    return LoadListingPages(Listing(), blacklist_, KeywordSearchUrl(EncodeKeyword(keyword)), LISTING_SEARCH);
}

int KeloCommands::LoadCategoryListing(std::string_view url) {
    return LoadListingPages(Listing(), blacklist_, url, LISTING_CATEGORY);
}

int KeloCommands::LoadMyAuctionList(int list) { return kelo::LoadMyAuctionList(Listing(), list); }

int KeloCommands::LoadSecondaryList(std::string_view path) { return kelo::LoadSecondaryList(Listing(), path, 0); }

bool KeloCommands::RefusedWhileBusy() {
    if (!NetworkOperation::Busy())
        return false;
    const NetworkOperation refused; // tells the user why nothing opens
    return true;
}

void KeloCommands::ShowAsCurrentItem(std::string_view url, std::string_view title) {
    if (RefusedWhileBusy())
        return;
    ports_.browser.ShowInBrowser(ShowItemSummary(url, SUMMARY_ITEM_PAGE, ports_.buttonBar));
    ports_.buttonBar.SetCurrentItem(url, title);
}

std::string KeloCommands::OpenItem(std::string_view url, std::string_view title) {
    // In the middle of a listing or a bid the item is not opened at all,
    // rather than recorded and made current without its page.
    if (RefusedWhileBusy())
        return {};
    // The browser goes to the result even when it is empty: the pane then
    // shows nothing rather than the previous item under the new title.
    const std::string path = ShowItemSummary(url, SUMMARY_ITEM_PAGE, ports_.buttonBar);
    ports_.browser.ShowInBrowser(path);
    history_.AddHistory(url, title);
    history_.SaveHistory();
    ports_.buttonBar.SetCurrentItem(url, title);
    return path;
}

void KeloCommands::OnListDblClick() {
    std::string url;
    std::string title;
    if (ports_.list.GetSelectedItem(url, title))
        OpenItem(url, title);
}

void KeloCommands::OnListAddFavorite(AddFavoriteDialog& dialog) {
    std::string url;
    std::string title;
    if (ports_.list.GetSelectedItem(url, title))
        favorites_.AddToFavorites(url, title, dialog);
}

void KeloCommands::OnListBid(BidDialog& bidDialog, BidPlaceDialog& placeDialog) {
    OnBid(FocusedPane::ResultList, bidDialog, placeDialog);
}

void KeloCommands::FillSampleRows() {
    constexpr unsigned SAMPLE_FLAGS[] = {0, 1, 1, 2, 3, 1};
    int position = 0;
    for (unsigned flags : SAMPLE_FLAGS)
        InsertListingRow(ports_.list, flags, position++, "test", "1,000", "-", "1日", "/");
}

bool KeloCommands::FindCurrentItem(FocusedPane focus, std::string& url, std::string& title) {
    switch (focus) {
    case FocusedPane::CategoryTree:
        return GetSelectedItemUrl(url, title);
    case FocusedPane::ResultList:
        return ports_.list.GetSelectedItem(url, title);
    case FocusedPane::Browser:
    case FocusedPane::ButtonBar:
        url = ports_.buttonBar.CurrentItemUrl();
        title = ports_.buttonBar.Title();
        return true;
    case FocusedPane::None:
        break;
    }
    return false;
}

void KeloCommands::OnBid(FocusedPane focus, BidDialog& bidDialog, BidPlaceDialog& placeDialog) {
    std::string url;
    std::string title;
    if (FindCurrentItem(focus, url, title) && !url.empty())
        kelo::OnBid(url, title, bidDialog, placeDialog);
}

void KeloCommands::OnQuestion(FocusedPane focus, QuestionDialog& dialog) {
    std::string url;
    std::string title;
    if (FindCurrentItem(focus, url, title) && !url.empty())
        kelo::OnQuestion(url, title, dialog);
}

bool KeloCommands::GetSelectedItemUrl(std::string& url, std::string& name) {
    const TreeNode* node = tree_.Node(tree_.Selected());
    if (!node)
        return false;
    if (node->kind == TreeNodeKind::Favorite) {
        name = node->text;
        url = favorites_.ReadFavoriteUrl(node->text).substr(0, 199);
        return true;
    }
    if (node->kind == TreeNodeKind::HistoryEntry) {
        name = node->text;
        url = history_.FindHistoryUrl(tree_.SiblingIndex(tree_.Selected()));
        return true;
    }
    return false;
}

void KeloCommands::OnTreeDblClk(TreeNodeId id) {
    const TreeNode* found = tree_.Node(id);
    if (!found)
        return;
    // A copy: a listing pumps messages, and a nested command may rebuild the tree.
    const TreeNode node = *found;
    tree_.Select(id);
    switch (node.kind) {
    case TreeNodeKind::MyAuctionList:
        LoadMyAuctionList(static_cast<int>(node.index));
        break;
    case TreeNodeKind::Favorite:
        favorites_.OpenFavoriteFromTree(node.text, ports_.buttonBar, ports_.browser);
        break;
    case TreeNodeKind::HistoryEntry: {
        const std::string url = history_.FindHistoryUrl(tree_.SiblingIndex(id));
        if (!url.empty())
            ShowAsCurrentItem(url, node.text);
        break;
    }
    case TreeNodeKind::PrimaryCategory:
        // Folders load their own listing too; the pane still expands them.
        if (node.index < categories_.size())
            LoadCategoryListing(std::string(categories_[node.index].Url));
        break;
    case TreeNodeKind::SecondaryCategory:
        if (!node.isFolder && node.index < tree_.SecondaryCategories().size())
            LoadSecondaryList(std::string(tree_.SecondaryCategories()[node.index].Url));
        break;
    default:
        break;
    }
}

void KeloCommands::OnDeleteFavorite() {
    // Only a favourite node offers the command; any other selection must not
    // delete a favourite that happens to share its text.
    const TreeNode* node = tree_.Node(tree_.Selected());
    if (node && node->kind == TreeNodeKind::Favorite)
        favorites_.DeleteFavorite(std::string(node->text));
}

void KeloCommands::OnCategoryUpdate() {
    tree_.BuildCategoryTree(categories_);
    LoadMyAuctionList(MY_AUCTION_WATCH_RUNNING);
}

} // namespace kelo
