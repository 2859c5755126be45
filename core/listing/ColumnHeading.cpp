#include "listing/ColumnHeading.h"

namespace kelo {

const ColumnHeading& BidCountHeading() {
    static const ColumnHeading heading{"入札回数", ColumnAlign::Right, 60};
    return heading;
}

const ColumnHeading& HighestBidderHeading() {
    static const ColumnHeading heading{"最高額入札者", ColumnAlign::Left, 100};
    return heading;
}

} // namespace kelo
