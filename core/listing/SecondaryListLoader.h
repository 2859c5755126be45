#pragma once
// A category page of the secondary site (Sorel), browsing only: its first
// page, rows marked with the secondary-site icon.

#include "listing/ListingPorts.h"

#include <string_view>

namespace kelo {

// Fetches path from SECONDARY_HOST and inserts its rows from startPosition on;
// a start position of 0 empties the list first. Returns 1 when the page was
// parsed, 0 on a failure (reported) or when another network operation runs.
int LoadSecondaryList(const ListingPorts& ports, std::string_view path, int startPosition = 0);

} // namespace kelo
