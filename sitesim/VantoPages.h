#pragma once
// The pages of Vanto, the auction site: written as UTF-8 here and served as
// EUC-JP. Around what a reader needs, each page carries the furniture of a
// real site of its time: navigation tables, scripts, images, comments.

#include "AuctionItem.h"
#include "Category.h"
#include "Page.h"

#include <ctime>
#include <string>
#include <vector>

namespace sitesim {

// One page of a listing: the rows to show and where the neighbours are.
struct ListingSlice {
    std::vector<const AuctionItem*> rows;
    int first = 1;        // 1-based position of the first row in the whole result
    int total = 0;        // matching auctions in all pages
    int pageCount = 1;
    int pageNumber = 1;
    std::string previousUrl;  // empty on the first page
    std::string nextUrl;      // empty on the last page
};

enum class MyList { WatchRunning, WatchEnded, Bidding, Won };

class VantoPages {
public:
    // The copyright line that closes the item's pages.
    static const std::string ITEM_PAGE_FOOTER;
    static constexpr int PAGE_SIZE = 50;

    static std::string ItemHost(const AuctionItem& item);
    static std::string ItemUrl(const AuctionItem& item);
    static std::string CategoryPath(const Category& category);

    static Page SearchResults(const std::string& keyword, const ListingSlice& slice, const std::string& member,
                              std::time_t now);
    static Page CategoryListing(const std::vector<const Category*>& trail, const std::vector<const Category*>& children,
                                const ListingSlice& slice, const std::string& member, std::time_t now);
    static Page CategoryIndex(const std::vector<Category>& categories, const std::string& member);
    static Page MyStatus(MyList list, const std::vector<const AuctionItem*>& rows, const std::string& member,
                         std::time_t now);
    static Page Item(const AuctionItem& item, const std::vector<const Category*>& trail, const std::string& member,
                     std::time_t now);
    static Page BidHistory(const AuctionItem& item, const std::string& member, std::time_t now);
    static Page Questions(const AuctionItem& item, const std::string& member);
    static Page BidConfirm(const AuctionItem& item, long amount, int quantity, const std::string& member,
                           const std::string& token);
    static Page Rebid(const AuctionItem& item, long yourBid, long needed, int quantity, const std::string& action,
                      const std::string& token, const std::string& member);
    static Page Highest(const AuctionItem& item, long amount, const std::string& member);
    static Page Error(const std::string& message, const std::string& member);
    static Page SignIn(bool failed, const std::string& member);
    static Page SignedIn(const std::string& member);
    static Page Remembered(const AuctionItem& item, const std::string& member);

private:
    static std::string Header(const std::string& title, const std::string& member);
    static std::string Footer(bool itemFamily);
    static std::string ListingTop(const ListingSlice& slice);
    static std::string PageNavigation(const ListingSlice& slice);
    static std::string ListingRow(const AuctionItem& item, std::time_t now);
    static std::string ItemTabs(const AuctionItem& item, int current);
    static std::string ItemTitleBar(const AuctionItem& item);
    static Page Vanto(std::string text, std::string keyMarker);
};

} // namespace sitesim
