#pragma once
// The heading of the result list's column 3, which each loader puts in
// before its first row: the bid count for listings, the highest bidder for
// the my-auction lists.

#include <string>

namespace kelo {

enum class ColumnAlign { Left, Right, Center };

struct ColumnHeading {
    std::string text; // Shift_JIS
    ColumnAlign align;
    int width;        // pixels
};

// "入札回数", right-aligned, 60 wide.
const ColumnHeading& BidCountHeading();
// "最高額入札者", left-aligned, 100 wide.
const ColumnHeading& HighestBidderHeading();

} // namespace kelo
