// The in-memory result list and the link resolution the loaders share.

#include "listing/MemoryResultList.h"
#include "listing/PageLink.h"

#include <gtest/gtest.h>

namespace kelo {
namespace {

std::vector<std::string> Titles(const MemoryResultList& list) {
    std::vector<std::string> titles;
    for (const ListingRow& row : list.Rows())
        titles.push_back(row.title);
    return titles;
}

TEST(ListingResultListTest, InsertShiftsOrAppendsAndTheSelectionFollowsItsRow) {
    MemoryResultList list;
    list.ClearListing();
    InsertListingRow(list, 0x2C, 0, "a", "1,000", "3", "2日", "http://x/a");
    InsertListingRow(list, 1, 3, "c", "", "-", "", "");
    list.Select(1);
    list.InsertRow(1, {0, "b", "", "", "", ""});
    list.InsertRow(-1, {0, "d", "", "", "", ""});

    EXPECT_EQ(Titles(list), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(list.Row(0), (ListingRow{0x2C, "a", "1,000", "3", "2日", "http://x/a"}));
    EXPECT_EQ(list.Row(9), ListingRow{});

    std::string url = "untouched", title;
    ASSERT_TRUE(list.GetSelectedItem(url, title));
    EXPECT_EQ(title, "c");

    list.ClearListing();
    url = "untouched";
    EXPECT_FALSE(list.GetSelectedItem(url, title));
    EXPECT_EQ(url, "untouched");
}

TEST(ListingResultListTest, LinksResolveAsABrowserReadsThem) {
    EXPECT_EQ(DecodeLinkAmpersands("/s?a=1&amp;b=2&c=3&amp"), "/s?a=1&b=2&c=3&amp");
    EXPECT_EQ(ResolveRelativeObject("/abs?x=1", "/dir/page?q=/z"), "/abs?x=1");
    EXPECT_EQ(ResolveRelativeObject("next?b=51", "/dir/page?q=/z"), "/dir/next?b=51");
    EXPECT_EQ(ResolveRelativeObject("next", "noslash"), "/next");
}

} // namespace
} // namespace kelo
