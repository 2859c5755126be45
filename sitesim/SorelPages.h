#pragma once
// The pages of Sorel, the second auction site: written as UTF-8 here and
// served as Shift_JIS. Only browsing: category pages and item pages.

#include "AuctionItem.h"
#include "Category.h"
#include "Page.h"

#include <ctime>
#include <string>
#include <vector>

namespace sitesim {

class SorelPages {
public:
    static constexpr int PAGE_SIZE = 50;

    static std::string CategoryPath(const Category& category);
    static std::string ItemPath(const SorelItem& item);

    // page is 1-based; items holds the whole category.
    static Page CategoryListing(const std::vector<const Category*>& trail, const std::vector<const Category*>& children,
                                const std::vector<const SorelItem*>& items, int page);
    static Page Top(const std::vector<Category>& categories);
    static Page Item(const SorelItem& item, std::time_t now);
    static Page NotFound();

private:
    static std::string Header(const std::string& title);
    static std::string Footer();
    static std::string Row(const SorelItem& item);
    static Page Sorel(std::string text, std::string keyMarker);
};

} // namespace sitesim
