#pragma once
// Everything both sites offer, generated from a seed: the same seed gives the
// same categories, titles and prices on every run; the end times are spread
// from the moment of generation.

#include "AuctionItem.h"
#include "Category.h"
#include "SeededRandom.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace sitesim {

struct CatalogueSettings {
    std::uint64_t seed = 1;
    int items = 3000;
    std::string account = "demo";  // the one member whose lists are seeded
    std::time_t now = 0;
};

class Catalogue {
public:
    explicit Catalogue(const CatalogueSettings& settings);

    const std::vector<Category>& VantoCategories() const { return vantoCategories_; }
    const std::vector<Category>& SorelCategories() const { return sorelCategories_; }
    std::vector<AuctionItem>& Items() { return items_; }
    const std::vector<AuctionItem>& Items() const { return items_; }
    const std::vector<SorelItem>& SorelItems() const { return sorelItems_; }
    // The member's watch list and the auctions the member has bid on, by item index.
    std::vector<int>& WatchList() { return watchList_; }
    std::vector<int>& BidOn() { return bidOn_; }
    const std::vector<int>& WatchList() const { return watchList_; }
    const std::vector<int>& BidOn() const { return bidOn_; }

    // Index of an item by its id, -1 when there is none.
    int FindItem(const std::string& id) const;
    int FindSorelItem(const std::string& id) const;
    // Category index by the number in its path, -1 when there is none.
    int FindVantoCategory(long number) const;
    int FindSorelCategory(long number) const;
    // Running items whose title holds the text, soonest ending first.
    std::vector<int> Search(const std::string& utf8Text, std::time_t now) const;
    // Running items of a category and all its sub-categories, soonest ending first.
    std::vector<int> InCategory(int category, std::time_t now) const;
    std::vector<int> SorelInCategory(int category) const;

    // The listing-number tag that every title carries ("管理07番"); each of the
    // 25 tags names every 25th item, so 3000 items give 120 per tag. The
    // auctions of tag 00 are all running.
    static std::string LotTag(int lot);
    static constexpr int LOT_COUNT = 25;

private:
    void BuildCategories();
    void BuildItems();
    void BuildSorelItems();
    void SeedMemberLists();
    std::string MakeTitle(int index, bool sorel);
    bool InTree(int category, int top, const std::vector<Category>& tree) const;

    CatalogueSettings settings_;
    SeededRandom random_;
    std::vector<Category> vantoCategories_;
    std::vector<Category> sorelCategories_;
    std::vector<AuctionItem> items_;
    std::vector<SorelItem> sorelItems_;
    std::vector<int> watchList_;
    std::vector<int> bidOn_;
};

} // namespace sitesim
