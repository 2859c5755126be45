// Each fault switch does what it says, for the requests it names only.

#include "SiteTestSupport.h"

#include "VantoPages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>

namespace sitesim::test {
namespace {

class SitesimFaults : public ::testing::Test {
protected:
    SitesimFaults() : sites_(Small())
    {
        std::lock_guard lock(sites_.Server().House().Mutex());
        for (const AuctionItem& item : sites_.Server().House().Current().Items())
            if (!item.HasEnded(std::time(nullptr))) {
                item_ = item;
                break;
            }
    }
    static SiteOptions Small()
    {
        SiteOptions options;
        options.items = 300;
        return options;
    }
    Answer Item(const std::string& path = "/jp/auction/") { return sites_.Get(VantoPages::ItemHost(item_), path + item_.id); }

    LocalSites sites_;
    AuctionItem item_;
};

size_t LongestLine(const std::string& body)
{
    size_t longest = 0, start = 0;
    for (size_t at = body.find('\n'); at != std::string::npos; start = at + 1, at = body.find('\n', start))
        longest = std::max(longest, at - start);
    return std::max(longest, body.size() - start);
}

std::string WithoutCarriageReturns(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

TEST_F(SitesimFaults, EachKindChangesTheAnswerAsNamed)
{
    const std::vector<std::string> itemPart = {"Q&A</a>\n</font>", "<br>\n", VantoPages::ITEM_PAGE_FOOTER};
    struct Case {
        std::string kind;
        std::function<void(const Answer&)> check;
    };
    std::vector<Case> cases = {
        {"404", [](const Answer& a) { EXPECT_EQ(a.status, 404); }},
        {"500", [](const Answer& a) { EXPECT_EQ(a.status, 500); }},
        {"empty", [](const Answer& a) { EXPECT_EQ(a.status, 200); EXPECT_EQ(a.body, ""); }},
        {"nomarker", [&](const Answer& a) {
             std::string text;
             ASSERT_TRUE(EucJpToUtf8(a.body, text));
             EXPECT_EQ(text.find(VantoPages::ITEM_PAGE_FOOTER), std::string::npos);
             EXPECT_NE(text.find("Q&A</a>\n</font>"), std::string::npos);
         }},
        {"huge", [&](const Answer& a) {
             std::string text;
             EXPECT_GE(a.body.size(), 4u << 20);
             ASSERT_TRUE(EucJpToUtf8(a.body, text));
             EXPECT_NE(FindInOrder(text, itemPart), std::string::npos);
         }},
        {"badeuc", [](const Answer& a) {
             std::string text;
             EXPECT_EQ(a.status, 200);
             EXPECT_FALSE(EucJpToUtf8(a.body, text));
         }},
        {"crlf", [&](const Answer& a) {
             EXPECT_NE(a.body.find("\r\n"), std::string::npos);
             EXPECT_EQ(a.body.find("\r\n"), a.body.find('\n') - 1);
             EXPECT_EQ(std::count(a.body.begin(), a.body.end(), '\r'), std::count(a.body.begin(), a.body.end(), '\n'));
             std::string text;
             ASSERT_TRUE(EucJpToUtf8(WithoutCarriageReturns(a.body), text));
             EXPECT_NE(FindInOrder(text, itemPart), std::string::npos);
         }},
        {"longlines", [&](const Answer& a) {
             EXPECT_GT(LongestLine(a.body), 1022u);
             std::string text;
             ASSERT_TRUE(EucJpToUtf8(a.body, text));
             EXPECT_NE(FindInOrder(text, itemPart), std::string::npos);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        sites_.Control("/fault?kind=" + c.kind + "&match=" + item_.id + "&count=1");
        c.check(Item());
        // Used up: the next answer is the plain page again.
        Answer normal = Item();
        EXPECT_EQ(normal.status, 200);
        EXPECT_EQ(normal.body.find('\r'), std::string::npos);
        EXPECT_LT(LongestLine(normal.body), 1022u);
    }
}

TEST_F(SitesimFaults, RulesApplyToMatchingRequestsForTheirCount)
{
    sites_.Control("/fault?kind=404&match=" + FormEncode("/jp/show/qanda?aID=" + item_.id) + "&count=2");
    EXPECT_EQ(Item().status, 200);
    EXPECT_EQ(Item("/jp/show/bid_hist?aID=").status, 200);
    EXPECT_EQ(Item("/jp/show/qanda?aID=").status, 404);
    EXPECT_EQ(Item("/jp/show/qanda?aID=").status, 404);
    EXPECT_EQ(Item("/jp/show/qanda?aID=").status, 200);

    // Without a count a rule stays until the reset.
    sites_.Control("/fault?kind=500&match=www.sorel.test&count=0");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(sites_.Get("www.sorel.test", "/cat/3101/").status, 500);
    EXPECT_EQ(Item().status, 200);
    sites_.Control("/reset");
    EXPECT_EQ(sites_.Get("www.sorel.test", "/cat/3101/").status, 200);
}

TEST_F(SitesimFaults, NoMarkerTakesOutTheNamedText)
{
    sites_.Control("/fault?kind=nomarker&match=search.vanto.test&marker=" + FormEncode("次の50件"));
    std::string text;
    ASSERT_TRUE(EucJpToUtf8(sites_.Get("search.vanto.test", "/search/auc?p=").body, text));
    EXPECT_EQ(text.find("次の50件"), std::string::npos);
    EXPECT_NE(text.find("<nobr>残り時間</nobr>"), std::string::npos);
}

TEST_F(SitesimFaults, StallHoldsTheAnswerWhileOthersAreServed)
{
    sites_.Control("/fault?kind=stall&match=" + item_.id + "&seconds=3");
    auto started = std::chrono::steady_clock::now();
    Answer stalled = sites_.Get(VantoPages::ItemHost(item_), "/jp/auction/" + item_.id, {}, 1);
    EXPECT_EQ(stalled.status, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
    EXPECT_EQ(sites_.Get("www.sorel.test", "/").status, 200);
}

TEST_F(SitesimFaults, ControlRefusesUnknownKinds)
{
    EXPECT_EQ(sites_.Get("control.sitesim.test", "/fault?kind=slow&match=x").status, 400);
    EXPECT_EQ(sites_.Get("control.sitesim.test", "/nothing").status, 404);
}

} // namespace
} // namespace sitesim::test
