#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace sitesim {

struct BidRecord {
    std::string bidder;
    long amount = 0;
    std::time_t when = 0;
};

struct Question {
    std::string asker;
    std::string text;
    std::string answer;
    std::time_t when = 0;
};

// One Vanto auction, as the site knows it (not as any page shows it).
struct AuctionItem {
    std::string id;              // "b" and nine digits
    int host = 0;                // 0: page.vanto.test, 1-9: page1..page9
    std::string title;           // UTF-8
    int category = 0;            // index of a leaf category
    std::string seller;
    std::string description;
    long startPrice = 0;
    long currentPrice = 0;
    int bids = 0;
    std::string highBidder;      // empty while nobody has bid
    long highBidderMax = 0;      // the leader's own maximum (hidden)
    std::string rival;           // a hidden automatic bidder, empty for none
    long rivalMax = 0;
    long desiredPrice = 0;       // 0: no desired (buy-now) price
    long reservePrice = 0;       // 0: no reserve
    int quantity = 1;
    std::time_t startTime = 0;
    std::time_t endTime = 0;
    bool markNew = false;
    bool markPicture = false;
    bool markEscrow = false;
    bool markFeatured = false;
    bool decoyMarks = false;     // wrong-case marks in the row that must not count
    bool boldBids = true;        // the listing writes the bid count in bold
    std::vector<BidRecord> history;
    std::vector<Question> questions;

    bool HasEnded(std::time_t now) const { return endTime <= now; }
    bool ReserveMet() const { return reservePrice == 0 || (bids > 0 && currentPrice >= reservePrice); }
};

// One Sorel auction; Sorel is only browsed, so it never changes.
struct SorelItem {
    std::string id;
    std::string title;           // UTF-8
    int category = 0;
    long price = 0;
    bool priceHidden = false;    // shown as "非公開"
    int bids = 0;
    bool bidsAsWord = false;     // "なし" instead of a number
    std::time_t endTime = 0;
};

} // namespace sitesim
