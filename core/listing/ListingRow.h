#pragma once
// One auction as the result list shows it: a flags word and five texts, all
// Shift_JIS as cut from the site's page.

#include <string>

namespace kelo {

// Bits 0-1: the main icon of column 0.
inline constexpr unsigned ROW_ICON_MASK = 3;
inline constexpr unsigned ROW_ICON_PRIMARY = 0;
inline constexpr unsigned ROW_ICON_SECONDARY = 1;
inline constexpr unsigned ROW_ICON_THIRD = 2;
inline constexpr unsigned ROW_ICON_FOURTH = 3;
// Mark bits, each shown as an image in its own column.
inline constexpr unsigned ROW_FLAG_NEW = 4;       // column 10
inline constexpr unsigned ROW_FLAG_PICTURE = 8;   // column 6
inline constexpr unsigned ROW_FLAG_ESCROW = 16;   // column 7
inline constexpr unsigned ROW_FLAG_FEATURED = 32; // column 9

struct ListingRow {
    unsigned flags = 0;
    std::string title;    // column 1
    std::string price;    // column 2, e.g. "1,000"
    std::string bids;     // column 3: bid count, or the highest bidder in my-auction lists
    std::string timeLeft; // column 4
    std::string url;      // column 5

    bool operator==(const ListingRow&) const = default;
};

} // namespace kelo
