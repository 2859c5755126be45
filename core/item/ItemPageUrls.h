#pragma once
// The three pages of the current item that the button bar's page buttons open.

#include <string>
#include <string_view>

namespace kelo {

struct ItemPageUrls {
    std::string itemPage;
    std::string bidHistory;
    std::string questions;
};

// The addresses on the current page's host for the current item. False (and
// urls untouched) when the item is not on the primary site or none is shown.
bool BuildItemPageUrls(std::string_view currentPageUrl, std::string_view currentItemUrl, ItemPageUrls& urls);

} // namespace kelo
