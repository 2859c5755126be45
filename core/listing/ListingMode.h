#pragma once
// Which kind of primary-site results page a listing reads.

namespace kelo {

enum ListingMode : int {
    LISTING_SEARCH = 0,   // keyword results pages, default host PRIMARY_SEARCH_HOST
    LISTING_CATEGORY = 1, // category pages, default host PRIMARY_LIST_HOST
};

} // namespace kelo
