#pragma once
// Keyword and category listings of the primary site: the results page, its
// rows, and the chain of next-50 pages, into the result list.

#include "collections/Blacklist.h"
#include "listing/ListingMode.h"
#include "listing/ListingPorts.h"

#include <string_view>

namespace kelo {

// Loads the listing at url (absolute, or an object on the mode's default host)
// and every page its next-50 links lead to. Rows are appended in the site's
// order; rows whose title is black are left out. Returns 1 when the first page
// was parsed, even when a later page failed (that failure is reported with its
// message and the rows loaded so far stay) or the user cancelled; 0 when the
// first page failed, or when another network operation runs (refused with the
// busy message, the list untouched).
int LoadListingPages(const ListingPorts& ports, const Blacklist& blacklist, std::string_view url,
                     ListingMode mode);

} // namespace kelo
