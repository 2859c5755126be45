#include "BidRules.h"

#include <algorithm>

namespace sitesim {

long BidRules::MinimumIncrement(long price)
{
    if (price < 1000)
        return 10;
    if (price < 5000)
        return 100;
    if (price < 10000)
        return 250;
    if (price < 50000)
        return 500;
    return 1000;
}

long BidRules::MinimumBid(const AuctionItem& item)
{
    if (item.bids == 0)
        return item.startPrice;
    return item.currentPrice + MinimumIncrement(item.currentPrice);
}

BidRules::Outcome BidRules::Apply(AuctionItem& item, const std::string& member, long amount, std::time_t now)
{
    if (item.highBidder == member) {
        // Raising one's own maximum leaves the price where it is.
        if (amount <= item.highBidderMax)
            return Outcome::Refused;
        item.highBidderMax = amount;
        item.history.push_back({member, amount, now});
        item.bids += 1;
        return Outcome::Leading;
    }
    item.history.push_back({member, amount, now});
    item.bids += 1;
    if (!item.highBidder.empty() && amount <= item.highBidderMax) {
        // The leader's automatic bid answers: one step above the new bid,
        // never beyond the leader's own maximum.
        item.currentPrice = std::min(item.highBidderMax, amount + MinimumIncrement(amount));
        item.history.push_back({item.highBidder, item.currentPrice, now});
        item.bids += 1;
        return Outcome::Outbid;
    }
    if (item.highBidder.empty())
        item.currentPrice = std::max(item.startPrice, std::min(amount, item.startPrice));
    else
        item.currentPrice = std::min(amount, item.highBidderMax + MinimumIncrement(item.highBidderMax));
    item.highBidder = member;
    item.highBidderMax = amount;
    return Outcome::Leading;
}

} // namespace sitesim
