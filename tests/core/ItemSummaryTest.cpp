// The item summary of the three pages of an auction, served by a loopback
// site from pages made of the site's markers: the saved part, the button
// bar's fields, the failures with their dump file, and the page buttons.

#include "ItemFakes.h"
#include "item/ItemCommands.h"
#include "item/ItemPageUrls.h"
#include "item/ItemSummary.h"
#include "net/WorkingFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kelo {
namespace {

using test::ItemHarness;

constexpr const char* HOST = "page3.vanto.test";
constexpr const char* ITEM_URL = "http://page3.vanto.test/jp/auction/x123";

const std::string ITEM_PART = "<br>\n<table><tr><td>説明：古い時計</td></tr></table>\n";

struct ItemRows {
    std::string price = "<TR><TD>現在の価格：</TD><TD><b>1,500 円</b></TD></TR>\n";
    std::string quantity = "<TR><TD>数量：</TD><TD>2</TD></TR>\n";
    std::string end = "<TR><TD>終了日時：</TD><TD>5月22日21時30分</TD></TR>\n";
    std::string desired = "<TR><TD><b>希望落札価格：</b></TD><TD bgcolor=ffffcc><b>9,000 円</b></TD></TR>\n";
    std::string reserve;
    std::string footer = "<HR><SMALL>Copyright (C) 2026 Vanto Japan. All Rights Reserved.<BR>\n";
};

std::string ItemPage(const ItemRows& rows = {}) {
    return "<html><body>\n<table>\n" + rows.price + rows.quantity + rows.end + rows.desired + "</table>\n" +
           rows.reserve + "<font><a href=\"/jp/show/qanda?aID=x123\">Q&A</a>\n</font>" + ITEM_PART +
           rows.footer + "</body></html>\n";
}

const std::string HISTORY_PART =
    "<br>\n<CENTER><table><tr><td>demo</td><td>1,500 円</td></tr></table></CENTER>\n";
std::string BidHistoryPage() {
    return "<html><body>\n<font><a href=\"x\">Q&A</a></font>" + HISTORY_PART + "<p>end</p></body></html>\n";
}

const std::string QANDA_PART = "\n<TR><TD>送料は？</TD><TD>5/20</TD></TR>\n</TABLE>\n";
std::string QuestionsPage() {
    return "<html><body>\n<TABLE><TR><TH><FONT SIZE=-1 color=000000>日時</FONT></TH></TR>" + QANDA_PART +
           "<FORM METHOD=post ACTION=\"/jp/config/question\"></FORM></body></html>\n";
}

class ItemSummaryTest : public ::testing::Test {
protected:
    void Serve(const std::string& target, const std::string& sjisPage) {
        h.server.SetPage(HOST, target, test::SjisToEucJp(sjisPage));
    }
    std::string CacheFile() const { return GetCacheFolder() + "/x123"; }

    ItemHarness h;
    test::RecordingButtonBar bar;
};

TEST_F(ItemSummaryTest, EachModeSavesItsPartUnderTheItemIdentifier) {
    struct Case {
        SummaryMode mode;
        std::string target;
        std::string page;
        std::string part;
    };
    const Case cases[] = {
        {SUMMARY_ITEM_PAGE, "/jp/auction/x123", ItemPage(), ITEM_PART},
        {SUMMARY_BID_HISTORY, "/jp/show/bid_hist?aID=x123", BidHistoryPage(), HISTORY_PART},
        {SUMMARY_QANDA, "/jp/show/qanda?aID=x123", QuestionsPage(), QANDA_PART},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        Serve(c.target, c.page);
        const std::string path = ShowItemSummary(std::string("http://") + HOST + c.target, c.mode, bar);
        EXPECT_EQ(path, CacheFile());
        EXPECT_EQ(test::ReadFileBytes(path), c.part);
    }
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(ItemSummaryTest, ItemPageFillsTheSummaryFields) {
    Serve("/jp/auction/x123", ItemPage());
    ASSERT_FALSE(ShowItemSummaryUrl(ITEM_URL, bar).empty());
    const ItemSummaryFields& fields = bar.SummaryFields();
    EXPECT_EQ(fields.price, "1,500");
    EXPECT_EQ(fields.quantity, "2");
    EXPECT_EQ(fields.desired, "9,000");
    EXPECT_EQ(fields.reserve, " ");
    EXPECT_EQ(fields.end, "05/22 21:30 残003H");
    EXPECT_EQ(bar.summariesShown, 1);
}

TEST_F(ItemSummaryTest, FieldsOfUnusualPages) {
    struct Case {
        const char* name;
        ItemRows rows;
        std::string ItemSummaryFields::*field;
        std::string expected;
    };
    ItemRows noDesired;
    noDesired.desired.clear();
    ItemRows reserve;
    reserve.reserve =
        "・設定された<b>最低落札価格</b>に<b><font color=red>まだ達していません。</font></b><br>\n";
    ItemRows soon;
    soon.end = "<TR><TD>終了日時：</TD><TD>5月22日19時15分</TD></TR>\n";
    ItemRows almost;
    almost.end = "<TR><TD>終了日時：</TD><TD>5月22日22時29分</TD></TR>\n";
    ItemRows ended;
    ended.end = "<TR><TD>終了日時：</TD><TD>5月22日17時00分</TD></TR>\n";
    ItemRows noEnd;
    noEnd.end.clear();
    ItemRows garbledEnd;
    garbledEnd.end = "<TR><TD>終了日時：</TD><TD>未定分</TD></TR>\n";
    const Case cases[] = {
        {"no desired price", noDesired, &ItemSummaryFields::desired, "希望価無"},
        {"reserve not reached", reserve, &ItemSummaryFields::reserve, "有"},
        {"45 minutes left", soon, &ItemSummaryFields::end, "05/22 19:15 残045M"},
        {"3 hours 59 minutes left", almost, &ItemSummaryFields::end, "05/22 22:29 残003H"},
        {"ended 90 minutes ago", ended, &ItemSummaryFields::end, "05/22 17:00 残-01H"},
        {"no end-time row", noEnd, &ItemSummaryFields::end, ""},
        {"end time without its units", garbledEnd, &ItemSummaryFields::end, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Serve("/jp/auction/x123", ItemPage(c.rows));
        ASSERT_FALSE(ShowItemSummaryUrl(ITEM_URL, bar).empty());
        EXPECT_EQ(bar.SummaryFields().*c.field, c.expected);
    }
}

TEST_F(ItemSummaryTest, JanuaryEndSeenInDecemberIsNextYear) {
    h.now = test::LocalTime(2026, 12, 31, 12, 0);
    ItemRows rows;
    rows.end = "<TR><TD>終了日時：</TD><TD>1月1日12時00分</TD></TR>\n";
    Serve("/jp/auction/x123", ItemPage(rows));
    ASSERT_FALSE(ShowItemSummaryUrl(ITEM_URL, bar).empty());
    EXPECT_EQ(bar.SummaryFields().end, "01/01 12:00 残024H");
}

TEST_F(ItemSummaryTest, FailuresAreReportedAndLeaveTheFieldsAlone) {
    Serve("/jp/auction/x123", ItemPage());
    ASSERT_FALSE(ShowItemSummaryUrl(ITEM_URL, bar).empty());
    const ItemSummaryFields before = bar.SummaryFields();

    ItemRows noFooter;
    noFooter.footer = "<HR><SMALL>no line end here\n";
    const std::string unreadable = ItemPage(noFooter);
    Serve("/jp/auction/x123", unreadable);
    EXPECT_EQ(ShowItemSummaryUrl(ITEM_URL, bar), "");
    EXPECT_EQ(h.Dump(DUMP_ERR_070004), unreadable);

    EXPECT_EQ(ShowItemSummaryUrl("http://page3.vanto.test/jp/auction/missing", bar), "");
    EXPECT_EQ(ShowItemSummaryUrl("", bar), "");

    const std::vector<std::string> expected = {"htmlﾌｧｲﾙの解析に失敗しました(070004)",
                                               "htmlﾌｧｲﾙの取得に失敗しました(070002)",
                                               "htmlﾌｧｲﾙの取得に失敗しました(070002)"};
    EXPECT_EQ(h.MessageTexts(), expected);
    for (const auto& shown : h.messages.shown)
        EXPECT_EQ(shown.buttons, MessageButtons::AbortRetryIgnore);
    EXPECT_EQ(bar.SummaryFields().end, before.end);
    EXPECT_EQ(bar.SummaryFields().price, before.price);
    EXPECT_EQ(bar.summariesShown, 1);
}

TEST_F(ItemSummaryTest, CacheFileThatCannotBeWrittenGivesNoPath) {
    Serve("/jp/auction/x123", ItemPage());
    // A folder where the file should go: an older copy must not be shown as this one.
    std::filesystem::create_directories(CacheFile());
    EXPECT_EQ(ShowItemSummaryUrl(ITEM_URL, bar), "");
}

TEST(ItemPageUrlsTest, AddressesOnTheCurrentPagesHost) {
    ItemPageUrls urls;
    ASSERT_TRUE(BuildItemPageUrls("http://page3.vanto.test/jp/show/bid_hist?aID=abc123",
                                  "http://page.vanto.test/jp/auction/abc123", urls));
    EXPECT_EQ(urls.itemPage, "http://page3.vanto.test/jp/auction/abc123");
    EXPECT_EQ(urls.bidHistory, "http://page3.vanto.test/jp/show/bid_hist?aID=abc123");
    EXPECT_EQ(urls.questions, "http://page3.vanto.test/jp/show/qanda?aID=abc123");

    ASSERT_TRUE(
        BuildItemPageUrls("http://page.vanto.test/jp/auction/", "http://page.vanto.test/jp/auction/", urls));
    EXPECT_EQ(urls.itemPage, "http://page.vanto.test/jp/auction/");
    EXPECT_EQ(urls.questions, "http://page.vanto.test/jp/show/qanda?aID=");

    ItemPageUrls untouched;
    EXPECT_FALSE(
        BuildItemPageUrls("http://www.sorel.test/item/1", "http://www.sorel.test/item/1", untouched));
    EXPECT_FALSE(BuildItemPageUrls("", "", untouched));
    EXPECT_EQ(untouched.itemPage, "");
}

TEST_F(ItemSummaryTest, PageButtonsMoveTheCurrentPageAndReloadUsesItemMode) {
    Serve("/jp/auction/x123", ItemPage());
    Serve("/jp/show/bid_hist?aID=x123", BidHistoryPage());
    test::FakeBrowser browser;
    bar.SetCurrentItem(ITEM_URL, "古い時計");

    OnPageButton(SUMMARY_BID_HISTORY, bar, browser);
    EXPECT_EQ(bar.CurrentPageUrl(), "http://page3.vanto.test/jp/show/bid_hist?aID=x123");
    EXPECT_EQ(bar.CurrentItemUrl(), ITEM_URL);
    EXPECT_EQ(test::ReadFileBytes(CacheFile()), HISTORY_PART);

    // The reload asks for the bid history with the item page's markers.
    OnReloadButton(bar, browser);
    EXPECT_EQ(h.MessageTexts(), std::vector<std::string>{"htmlﾌｧｲﾙの解析に失敗しました(070004)"});
    ASSERT_EQ(browser.shown.size(), 2u);
    EXPECT_EQ(browser.shown[0], CacheFile());
    EXPECT_EQ(browser.shown[1], "");

    OnPageButton(SUMMARY_ITEM_PAGE, bar, browser);
    EXPECT_EQ(bar.CurrentPageUrl(), ITEM_URL);
    EXPECT_EQ(test::ReadFileBytes(CacheFile()), ITEM_PART);

    // Not an item of the primary site: the buttons do nothing.
    bar.SetCurrentItem("http://www.sorel.test/item/9", "他");
    OnPageButton(SUMMARY_QANDA, bar, browser);
    EXPECT_EQ(browser.shown.size(), 3u);
    EXPECT_EQ(bar.CurrentPageUrl(), "http://www.sorel.test/item/9");
}

} // namespace
} // namespace kelo
