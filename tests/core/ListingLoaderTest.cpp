// Keyword and category listings against hand-made results pages on a loopback
// server: the page chain, the row fields, the failures and their dump files,
// the blacklist, cancelling and a second operation started from the pump.

#include "ListingFakes.h"
#include "collections/Blacklist.h"
#include "listing/ListingLoader.h"
#include "listing/MyAuctionLoader.h"
#include "listing/SecondaryListLoader.h"
#include "net/SiteRequests.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kelo {
namespace {

using test::ListingHarness;

constexpr const char* BUSY_MESSAGE = "通信中です。実行中の処理が終わってから操作して下さい。";

struct ItemCells {
    std::string title;
    std::string marks; // image tags of the row
    std::string price = "1,000";
    std::string bids = "<b>3</b>"; // the bid cell's content
    std::string timeLeft = "2日";
};

std::string Row(const ItemCells& item, int id) {
    const std::string bidCell = "<td align=center>" + item.bids + "</td>";
    return "<tr bgcolor=#ffffff><td><a href=\"http://page.vanto.test/jp/auction/x" + std::to_string(id) +
           "\">" + item.title + "</a>" + item.marks + "</td>\n<td align=right><b>" + item.price +
           " 円</b></td>" + bidCell + "<td align=right><font size=-1>" + item.timeLeft + "</font></td></tr>\n";
}

// A results page as the site lays it out, in Shift_JIS; served in EUC-JP.
std::string ResultsPageText(const std::vector<ItemCells>& items, const std::string& previous, const std::string& next,
                        const std::string& tableStart = "<nobr>残り時間</nobr>", int firstId = 1,
                        const std::string& counts = "<tr><td><font size=-1><b>3</b>ページ中<b>1</b>"
                                                    "</font></td></tr>（出品合計：120点）</font>") {
    std::string page = "<html><body>\n<table>" + counts + "</table>\n<table>\n<tr><td>商品名</td><td>" +
                       tableStart + "</td></tr>\n<tr><td colspan=4><hr></td></tr>\n";
    int id = firstId;
    for (const ItemCells& item : items)
        page += Row(item, id++);
    page += "</table>\n<p>" + previous + " | " + next + "</p></body></html>\n";
    return page;
}

std::string Link(const std::string& href, const std::string& text) { return "<a href=\"" + href + "\">" + text + "</a>"; }

constexpr const char* SEARCH = "search.vanto.test";
const std::string OBJECT1 = "/search/auc?alocale=0jp&acc=jp&p=abc";
const std::string OBJECT2 = "/search/auc?alocale=0jp&acc=jp&p=abc&b=51";
const std::string OBJECT3 = "/search/auc?alocale=0jp&acc=jp&p=abc&b=101";

class ListingLoaderTest : public ::testing::Test {
protected:
    void ServeThreePages() {
        h.server.SetPage(SEARCH, OBJECT1,
                         test::SjisToEucJp(ResultsPageText({{"時計A", "<img ALT=\"[new]\">"}, {"時計B", ""}}, "前の50件",
                                                       Link("http://search.vanto.test" + OBJECT2, "次の50件"))));
        h.server.SetPage(SEARCH, OBJECT2,
                         test::SjisToEucJp(ResultsPageText({{"時計C", ""}, {"隠す時計", ""}, {"時計D", ""}},
                                                       Link(OBJECT1, "前の50件"), Link(OBJECT3, "次の50件"),
                                                       "<nobr>残り時間</nobr>", 3)));
        page3 = test::SjisToEucJp(
            ResultsPageText({{"時計E", ""}}, Link(OBJECT2, "前の50件"), "次の50件", "<nobr>残り時間</nobr>", 6));
        h.server.SetPage(SEARCH, OBJECT3, page3);
    }

    int Search() { return LoadListingPages(h.ports(), blacklist, "http://search.vanto.test" + OBJECT1, LISTING_SEARCH); }

    ListingHarness h;
    Blacklist blacklist;
    std::string page3;
};

TEST_F(ListingLoaderTest, PagesFollowOneAnotherInTheSitesOrderWithoutBlackTitles) {
    ServeThreePages();
    test::WriteFileBytes(h.work / "black.lst", "関係ない\n隠す時計\n");
    blacklist.Load(h.work / "black.lst");
    h.list.InsertRow(0, {0, "前の結果", "", "", "", ""});

    EXPECT_EQ(Search(), 1);

    EXPECT_EQ(h.Titles(), (std::vector<std::string>{"時計A", "時計B", "時計C", "時計D", "時計E"}));
    EXPECT_EQ(h.server.Targets(SEARCH), (std::vector<std::string>{OBJECT1, OBJECT2, OBJECT3}));
    EXPECT_EQ(h.list.Column3().text, "入札回数");
    EXPECT_EQ(h.list.Rows()[0], (ListingRow{ROW_FLAG_NEW, "時計A", "1,000", "3", "2日", "http://page.vanto.test/jp/auction/x1"}));
    EXPECT_TRUE(h.messages.shown.empty());

    // The hidden row is still counted and shown in the dialog.
    EXPECT_EQ(h.progress.itemSteps, 6);
    EXPECT_EQ(h.progress.titles.at(3), "隠す時計");
    EXPECT_EQ(h.progress.totalItems, 120);
    EXPECT_EQ(h.progress.totalPages, 3);
    EXPECT_EQ(h.progress.pageSteps, 2);
    EXPECT_EQ(h.progress.statuses, std::vector<std::string>(3, "接続中..."));
    EXPECT_EQ(h.progress.opened, 1);
    EXPECT_EQ(h.progress.closed, 1);
    EXPECT_FALSE(h.progress.IsOpen());
    EXPECT_EQ(h.pump.calls, 6);

    // The last page fetched, as fetched; one empty cache file for the listing.
    EXPECT_EQ(test::ReadFileBytes(h.work / "getdata.txt"), page3);
    int cacheFiles = 0;
    for (const auto& entry : std::filesystem::directory_iterator(GetCacheFolder()))
        cacheFiles += entry.path().extension() == ".kls" && entry.file_size() == 0;
    EXPECT_EQ(cacheFiles, 1);
}

TEST_F(ListingLoaderTest, RowFieldsAreCutFromTheirMarkers) {
    const std::vector<ItemCells> items = {
        {"全部", "<img ALT=\"[new]\"><img ALT=\"画像あり\"><img alt=\"エスクロー\"><img alt=\"注目\">"},
        // Markers in the wrong case do not count.
        {"大小", "<img alt=\"[new]\"><img ALT=\"注目\">"},
        {"入札なし", "<img ALT=\"画像あり\">", "500", "0", "45分"},
        {"強調", "", "12,000", "<b><font color=red>7</font></b>", "<b>5</b>時間"},
        // Long titles and long rows are read whole, not cut at a buffer size.
        {std::string(100, 'T') + std::string(50, 'U') + "題", "<img src=\"" + std::string(1500, 'i') + "\">"},
    };
    h.server.SetPage(SEARCH, OBJECT1, test::SjisToEucJp(ResultsPageText(items, "前の50件", "次の50件")));

    EXPECT_EQ(Search(), 1);

    ASSERT_EQ(h.list.RowCount(), 5);
    EXPECT_EQ(h.list.Row(0).flags, ROW_FLAG_NEW | ROW_FLAG_PICTURE | ROW_FLAG_ESCROW | ROW_FLAG_FEATURED);
    EXPECT_EQ(h.list.Row(1).flags, 0u);
    EXPECT_EQ(h.list.Row(2), (ListingRow{ROW_FLAG_PICTURE, "入札なし", "500", "0", "45分", "http://page.vanto.test/jp/auction/x3"}));
    EXPECT_EQ(h.list.Row(3).price, "12,000");
    EXPECT_EQ(h.list.Row(3).bids, "7");
    // The time-left search begins where the bold bid count ended.
    EXPECT_EQ(h.list.Row(3).timeLeft, "5時間");
    EXPECT_EQ(h.list.Row(4).title, items[4].title);
    EXPECT_EQ(h.list.Row(4).timeLeft, "2日");
}

TEST_F(ListingLoaderTest, AFieldMissingEmptiesItAndTheFieldsAfterIt) {
    const std::string page = "<table><tr><td><nobr>残り時間</nobr></td></tr>"
                             "<tr><td><a href=\"/a1\">値段なし</a></td><td>1,000円</td>"
                             "<td align=center><b>2</b></td><td align=right>3日</td></tr>"
                             "<tr><td><a href=\"/a2\">リンクだけ</tr></table>";
    h.server.SetPage(SEARCH, OBJECT1, test::SjisToEucJp(page));

    EXPECT_EQ(Search(), 1);

    ASSERT_EQ(h.list.RowCount(), 2);
    EXPECT_EQ(h.list.Row(0), (ListingRow{0, "値段なし", "", "", "", "/a1"}));
    EXPECT_EQ(h.list.Row(1), (ListingRow{0, "", "", "", "", "/a2"}));
    // Without counts on the page the dialog's totals are 0.
    EXPECT_EQ(h.progress.totalItems, 0);
    EXPECT_EQ(h.progress.totalPages, 0);
}

TEST(ListingLoaderFailureTest, FirstPageFailuresReportTheirCodeAndLeaveTheListAlone) {
    Blacklist blacklist;
    struct Case {
        const char* name;
        int status;
        std::string body;
        const char* message;
        bool getdata;
        bool errFile;
    };
    const std::vector<Case> cases = {
        {"not found", 404, "gone", "htmlﾌｧｲﾙの取得に失敗しました(010002)", false, false},
        {"empty", 200, "", "htmlﾌｧｲﾙが異常です(010003)", true, true},
        {"no table start", 200, "<table><tr><td>x</td></tr></table>", "htmlﾌｧｲﾙの解析に失敗しました(010004)", true, false},
        {"no table end", 200, "<nobr>残り時間</nobr><tr><td><a href=\"/a\">x</a></td></tr>",
         "htmlﾌｧｲﾙの解析に失敗しました(010004)", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListingHarness h;
        h.list.InsertRow(0, {0, "前の結果", "", "", "", ""});
        h.server.SetPage(SEARCH, OBJECT1, test::SjisToEucJp(c.body), c.status);

        EXPECT_EQ(LoadListingPages(h.ports(), blacklist, "http://search.vanto.test" + OBJECT1, LISTING_SEARCH), 0);

        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, c.message);
        EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(h.messages.shown[0].buttons, MessageButtons::AbortRetryIgnore);
        EXPECT_EQ(h.Titles(), std::vector<std::string>{"前の結果"});
        EXPECT_EQ(h.progress.opened, 1);
        EXPECT_FALSE(h.progress.IsOpen());
        EXPECT_EQ(test::FileExists(h.work / "getdata.txt"), c.getdata);
        if (c.getdata) {
            EXPECT_EQ(test::ReadFileBytes(h.work / "getdata.txt"), test::SjisToEucJp(c.body));
        }
        EXPECT_EQ(test::FileExists(h.work / "ERR_010003.txt"), c.errFile);
        if (c.errFile) {
            EXPECT_EQ(test::ReadFileBytes(h.work / "ERR_010003.txt"), "");
        }
    }
}

TEST_F(ListingLoaderTest, ALaterPageFailingEndsTheChainAndKeepsTheRowsSoFar) {
    ServeThreePages();
    h.server.SetPage(SEARCH, OBJECT2, "", 500);

    EXPECT_EQ(Search(), 1);

    EXPECT_EQ(h.Titles(), (std::vector<std::string>{"時計A", "時計B"}));
    EXPECT_EQ(h.MessageTexts(), std::vector<std::string>{"htmlﾌｧｲﾙの取得に失敗しました(010002)"});
    EXPECT_EQ(h.server.Targets(SEARCH).size(), 2u);
    EXPECT_FALSE(h.progress.IsOpen());
}

TEST_F(ListingLoaderTest, APageWithoutAuctionRowsKeepsTheEarlierResult) {
    h.list.InsertRow(0, {0, "前の結果", "", "", "", ""});
    h.list.ReplaceColumn3(HighestBidderHeading());
    h.server.SetPage(SEARCH, OBJECT1, test::SjisToEucJp(ResultsPageText({}, "前の50件", "次の50件")));

    EXPECT_EQ(Search(), 1);

    EXPECT_EQ(h.Titles(), std::vector<std::string>{"前の結果"});
    EXPECT_EQ(h.list.Column3().text, "最高額入札者");
    EXPECT_FALSE(h.progress.IsOpen());
    EXPECT_TRUE(test::FileExists(h.work / "getdata.txt"));
}

TEST_F(ListingLoaderTest, CategoryPagesComeFromTheListHostAndFollowRelativeLinks) {
    constexpr const char* LIST = "list.vanto.test";
    const std::string tableStart = "<b>すべてのオークション</b>";
    h.server.SetPage(LIST, "/jp/category/2084?o=1",
                     test::SjisToEucJp(ResultsPageText({{"本", ""}}, "前の50件",
                                                   Link("list?o=1&amp;b=51", "次の50件"), tableStart, 1,
                                                   "<tr><td><font size=-1><b>2</b>ページ中<b>1</b></font></td></tr>"
                                                   "（出品合計：1,234点）</font>")));
    h.server.SetPage(LIST, "/jp/category/list?o=1&b=51",
                     test::SjisToEucJp(ResultsPageText({{"雑誌", ""}}, Link("x", "前の50件"), "次の50件", tableStart, 2)));

    EXPECT_EQ(LoadListingPages(h.ports(), blacklist, "/jp/category/2084?o=1", LISTING_CATEGORY), 1);

    EXPECT_EQ(h.Titles(), (std::vector<std::string>{"本", "雑誌"}));
    EXPECT_EQ(h.progress.totalItems, 1234);
    EXPECT_EQ(h.progress.totalPages, 2);
}

TEST_F(ListingLoaderTest, APageLinkingBackToAnEarlierPageEndsTheListing) {
    h.server.SetPage(SEARCH, OBJECT1,
                     test::SjisToEucJp(ResultsPageText({{"ループ", ""}}, "前の50件", Link(OBJECT1, "次の50件"))));

    EXPECT_EQ(LoadListingPages(h.ports(), blacklist, OBJECT1, LISTING_SEARCH), 1);

    EXPECT_EQ(h.server.Targets(SEARCH).size(), 1u);
    EXPECT_EQ(h.Titles(), std::vector<std::string>{"ループ"});
    EXPECT_FALSE(h.progress.IsOpen());
}

TEST_F(ListingLoaderTest, CancelStopsAfterTheCurrentRowAndKeepsTheRows) {
    ServeThreePages();
    h.progress.cancelAfterItems = 3;

    EXPECT_EQ(Search(), 1);

    EXPECT_EQ(h.Titles(), (std::vector<std::string>{"時計A", "時計B", "時計C"}));
    EXPECT_EQ(h.server.Targets(SEARCH).size(), 2u);
    EXPECT_FALSE(h.progress.IsOpen());
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(ListingLoaderTest, ASecondOperationFromThePumpIsRefusedAndTheListingGoesOn) {
    ServeThreePages();
    h.server.SetPage("user.vanto.test", MyStatusObject(0), "x");
    test::ListingHarness* harness = &h;
    std::vector<int> nested;
    h.pump.onCall = [&](int call) {
        if (call != 1)
            return;
        nested.push_back(LoadListingPages(harness->ports(), blacklist, "/other", LISTING_SEARCH));
        nested.push_back(LoadMyAuctionList(harness->ports(), 0));
        nested.push_back(LoadSecondaryList(harness->ports(), "/cat", 0));
    };

    EXPECT_EQ(Search(), 1);

    EXPECT_EQ(nested, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(h.MessageTexts(), std::vector<std::string>(3, BUSY_MESSAGE));
    EXPECT_EQ(h.Titles(), (std::vector<std::string>{"時計A", "時計B", "時計C", "隠す時計", "時計D", "時計E"}));
    EXPECT_EQ(h.list.Column3().text, "入札回数");
    EXPECT_EQ(h.server.Targets(SEARCH).size(), 3u);
    EXPECT_TRUE(h.server.Targets("user.vanto.test").empty());

    // The slot is free again once the listing ended.
    EXPECT_EQ(LoadListingPages(h.ports(), blacklist, "http://search.vanto.test" + OBJECT3, LISTING_SEARCH), 1);
}

} // namespace
} // namespace kelo
