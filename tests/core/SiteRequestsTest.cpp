#include "net/SiteRequests.h"

#include <gtest/gtest.h>

namespace kelo {
namespace {

TEST(ParseUrlTest, SplitsServerAndObjectAndDropsThePort) {
    struct {
        const char* url;
        bool ok;
        const char* server;
        const char* object;
    } cases[] = {
        {"http://list.vanto.test/jp/cat/1", true, "list.vanto.test", "/jp/cat/1"},
        {"http://page2.vanto.test:8080/jp/auction/x9", true, "page2.vanto.test", "/jp/auction/x9"},
        {"http://www.sorel.test", true, "www.sorel.test", "/"},
        {"http://search.vanto.test?p=a", true, "search.vanto.test", "/?p=a"},
        {"/jp/cat/1", false, "", ""},
        {"http:///nohost", false, "", ""},
        {"ftp://list.vanto.test/x", false, "", ""},
    };
    for (const auto& c : cases) {
        std::string server, object;
        EXPECT_EQ(ParseUrl(c.url, server, object), c.ok) << c.url;
        EXPECT_EQ(server, c.server) << c.url;
        EXPECT_EQ(object, c.object) << c.url;
    }
}

TEST(SiteRequestsTest, ItemPagesAndMyAuctionLists) {
    EXPECT_EQ(ItemPageUrl("page2.vanto.test", "abc123"), "http://page2.vanto.test/jp/auction/abc123");
    EXPECT_EQ(BidHistoryUrl("page2.vanto.test", "abc123"), "http://page2.vanto.test/jp/show/bid_hist?aID=abc123");
    EXPECT_EQ(QuestionsUrl("page2.vanto.test", "abc123"), "http://page2.vanto.test/jp/show/qanda?aID=abc123");
    EXPECT_EQ(KeywordSearchUrl("%B8%A5"), "http://search.vanto.test/search/auc?alocale=0jp&acc=jp&p=%B8%A5");
    EXPECT_EQ(MyStatusObject(1), "/jp/show/mystatus?select=watchlist&s1=end&watchclosed=1");
    EXPECT_EQ(MyStatusObject(3), "/jp/show/mystatus?select=won");
    EXPECT_EQ(MyStatusObject(4), "");
}

TEST(WatchListRequestTest, EditHostFollowsTheItemHost) {
    struct {
        const char* url;
        bool sent;
        const char* server;
        const char* object;
    } cases[] = {
        {"http://page3.vanto.test/jp/auction/x9", true, "edit3.vanto.test", "/jp/config/remember?aID=x9"},
        {"http://page.vanto.test/jp/auction/x9/", true, "edit.vanto.test", "/jp/config/remember?aID=x9"},
        // Not an item of the primary site: nothing is sent.
        {"http://www.sorel.test/item/page1/x9", false, "", ""},
        {"http://list.vanto.test/jp/cat/1", false, "", ""},
        {"/", false, "", ""},
    };
    for (const auto& c : cases) {
        std::string server, object;
        EXPECT_EQ(WatchListRequest(c.url, server, object), c.sent) << c.url;
        EXPECT_EQ(server, c.server) << c.url;
        EXPECT_EQ(object, c.object) << c.url;
    }
}

} // namespace
} // namespace kelo
