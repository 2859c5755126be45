#pragma once
// The bid exchange with the primary site, played the way a person bids in a
// browser: the item page's form, the confirmation page, the bid, and as many
// re-bids as the site asks for. Each exchange is an object of its own, so a
// paused exchange (a dialog is open) cannot be disturbed by anything else.

#include <string>
#include <string_view>

namespace kelo {

class BidPlaceDialog;

// Runs one whole exchange. amount and quantity are whole numbers above 0
// (checked again here; anything else is refused before any request).
// Returns 1 when the user ended it or the site named the bid the highest,
// 0 after a failure that it has reported (090001, 090002, 09A001).
int PlaceBid(std::string_view itemUrl, int amount, int quantity, std::string_view password,
             std::string_view comment, BidPlaceDialog& dialog);

} // namespace kelo
