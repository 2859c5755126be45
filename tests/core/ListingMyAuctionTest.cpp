// The four my-auction status lists against hand-made status pages.

#include "ListingFakes.h"
#include "listing/MyAuctionLoader.h"
#include "net/SiteRequests.h"

#include <gtest/gtest.h>

namespace kelo {
namespace {

using test::ListingHarness;

constexpr const char* USER = "user.vanto.test";

std::string StatusPage(const std::string& headingEnd, const std::string& rows) {
    return "<html><body><table><tr><td><b><font size=-1>商品名</font></b></td>"
           "<td><b><nobr><font size=-1>" +
           headingEnd + "\n" + rows + "</table></body></html>";
}

std::string StatusRow(const std::string& id, const std::string& title, const std::string& bidder,
                      const std::string& timeLeft) {
    return "<tr><td><a href=\"http://page.vanto.test/jp/auction/" + id + "\">" + title +
           "</a></td><td align=right><b>2,500 円</b></td><td align=center><a href=\"/u\">" + bidder +
           "</a></td><td align=right><font size=-1>" + timeLeft + "</font></td></tr>\n"
           "<tr><td colspan=4><hr></td></tr>\n";
}

TEST(ListingMyAuctionTest, EachListShowsItsRowsWithTheHighestBidder) {
    const std::vector<std::string> headingEnds = {
        "残り時間</font></nobr></b></td></tr>", "残り時間</font></nobr></b></td></tr>",
        "操作</font></nobr></b></td></tr>", "操作</font></nobr></b></td></tr>"};
    for (int list = 0; list < 4; ++list) {
        SCOPED_TRACE(list);
        ListingHarness h;
        h.list.InsertRow(0, {0, "前の結果", "", "", "", ""});
        const std::string page = StatusPage(headingEnds[static_cast<std::size_t>(list)],
                                            StatusRow("a1", "カメラ", "taro", "3時間") +
                                                StatusRow("a2", "レンズ", "<b>hanako</b>", "1日"));
        h.server.SetPage(USER, MyStatusObject(list), test::SjisToEucJp(page));

        EXPECT_EQ(LoadMyAuctionList(h.ports(), list), 1);

        const std::string timeLeft = list == MY_AUCTION_WON ? "終了" : "3時間";
        ASSERT_EQ(h.list.RowCount(), 2);
        EXPECT_EQ(h.list.Row(0), (ListingRow{0, "カメラ", "2,500", "taro", timeLeft, "http://page.vanto.test/jp/auction/a1"}));
        EXPECT_EQ(h.list.Row(1).bids, "hanako");
        EXPECT_EQ(h.list.Row(1).timeLeft, list == MY_AUCTION_WON ? "終了" : "1日");
        EXPECT_EQ(h.list.Column3().text, "最高額入札者");
        EXPECT_EQ(h.list.Column3().align, ColumnAlign::Left);
        EXPECT_EQ(h.list.Column3().width, 100);
        EXPECT_EQ(h.server.Targets(USER), std::vector<std::string>{MyStatusObject(list)});
        EXPECT_EQ(h.pump.calls, 2);
        EXPECT_EQ(h.progress.opened, 0);
        EXPECT_TRUE(h.messages.shown.empty());
    }
}

TEST(ListingMyAuctionTest, FailuresEmptyTheListAndReportTheirCode) {
    struct Case {
        const char* name;
        int status;
        std::string body;
        const char* message;
        bool getdata;
    };
    const std::vector<Case> cases = {
        {"not found", 404, "x", "htmlﾌｧｲﾙの取得に失敗しました(011002)", false},
        {"empty", 200, "", "htmlﾌｧｲﾙが異常です(011003)", true},
        // Signed out, the site shows its sign-in form instead of the list.
        {"signed out", 200, "<form action=\"/login\">ログイン</form>", "htmlﾌｧｲﾙの解析に失敗しました(011004)", true},
        {"no table end", 200, "操作</font></nobr></b></td></tr><tr>", "htmlﾌｧｲﾙの解析に失敗しました(011004)", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListingHarness h;
        h.list.InsertRow(0, {0, "前の結果", "", "", "", ""});
        h.server.SetPage(USER, MyStatusObject(MY_AUCTION_BIDDING), test::SjisToEucJp(c.body), c.status);

        EXPECT_EQ(LoadMyAuctionList(h.ports(), MY_AUCTION_BIDDING), 0);

        EXPECT_EQ(h.list.RowCount(), 0);
        EXPECT_EQ(h.list.Column3().text, "最高額入札者");
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, c.message);
        EXPECT_EQ(h.messages.shown[0].buttons, MessageButtons::AbortRetryIgnore);
        EXPECT_EQ(test::FileExists(h.work / "getdata.txt"), c.getdata);
        EXPECT_FALSE(test::FileExists(h.work / "ERR_011003.txt"));
        EXPECT_FALSE(test::FileExists(h.work / "ERR_011004.txt"));
    }
}

TEST(ListingMyAuctionTest, AHeadingOnlyTableGivesAnEmptyList) {
    ListingHarness h;
    h.server.SetPage(USER, MyStatusObject(MY_AUCTION_WATCH_RUNNING),
                     test::SjisToEucJp(StatusPage("残り時間</font></nobr></b></td></tr>", "<tr><td>なし</td></tr>")));

    EXPECT_EQ(LoadMyAuctionList(h.ports(), MY_AUCTION_WATCH_RUNNING), 1);
    EXPECT_EQ(h.list.RowCount(), 0);
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST(ListingMyAuctionTest, AListNumberOutsideTheFourFetchesNothing) {
    ListingHarness h;
    h.list.InsertRow(0, {0, "前の結果", "", "", "", ""});
    EXPECT_EQ(LoadMyAuctionList(h.ports(), 4), 0);
    EXPECT_EQ(h.list.RowCount(), 1);
    EXPECT_TRUE(h.server.Requests().empty());
}

} // namespace
} // namespace kelo
