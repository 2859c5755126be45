#pragma once
// The site's bidding rules: how far a bid must rise above the price, and what
// an automatic bidder answers.

#include "AuctionItem.h"

#include <string>

namespace sitesim {

class BidRules {
public:
    // The smallest step above a price, growing with the price.
    static long MinimumIncrement(long price);
    // The lowest amount a new bid may name.
    static long MinimumBid(const AuctionItem& item);

    enum class Outcome { Leading, Outbid, Refused };
    // Applies a member's bid of amount to the item (already checked against
    // the minimum and the auction's end). An automatic bidder whose maximum
    // reaches the amount answers at once and keeps the lead.
    static Outcome Apply(AuctionItem& item, const std::string& member, long amount, std::time_t now);
};

} // namespace sitesim
