#pragma once
// The signed-in user's four status lists on the primary site. The request
// carries no credentials: the site knows the user by the shared cookies.

#include "listing/ListingPorts.h"

namespace kelo {

inline constexpr int MY_AUCTION_WATCH_RUNNING = 0;
inline constexpr int MY_AUCTION_WATCH_ENDED = 1;
inline constexpr int MY_AUCTION_BIDDING = 2;
inline constexpr int MY_AUCTION_WON = 3;

// Empties the list, heads column 3 with the highest bidder, and fills it with
// list 0 to 3 in the page's order. Returns 1 when the page was parsed, 0 on a
// failure (reported) or when another network operation runs.
int LoadMyAuctionList(const ListingPorts& ports, int list);

} // namespace kelo
