// The pages carry what the client reads, where and in the order it reads it.

#include "SiteTestSupport.h"

#include "Catalogue.h"
#include "Formats.h"
#include "SorelPages.h"
#include "VantoPages.h"

#include <gtest/gtest.h>

#include <mutex>

namespace sitesim::test {
namespace {

class SitesimPages : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sites_ = new LocalSites(); cookie_ = sites_->SignIn("demo", "demo"); }
    static void TearDownTestSuite() { delete sites_; sites_ = nullptr; }

    template <typename F>
    static auto WithCatalogue(F f)
    {
        std::lock_guard lock(sites_->Server().House().Mutex());
        return f(sites_->Server().House().Current());
    }
    static const AuctionItem& AnyItem(bool running = true)
    {
        std::lock_guard lock(sites_->Server().House().Mutex());
        for (const AuctionItem& item : sites_->Server().House().Current().Items())
            if (item.HasEnded(std::time(nullptr)) != running && !item.questions.empty())
                return item;
        throw std::runtime_error("no such item");
    }

    static LocalSites* sites_;
    static std::string cookie_;
};

LocalSites* SitesimPages::sites_ = nullptr;
std::string SitesimPages::cookie_;

std::string KeywordTarget(const std::string& utf8Keyword)
{
    // As the client builds it: EUC-JP bytes percent-encoded, ASCII as it is.
    std::string euc = Utf8ToEucJp(utf8Keyword), encoded;
    char hex[4];
    for (unsigned char c : euc) {
        if (c >= 0x80) {
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            encoded += hex;
        } else {
            encoded += static_cast<char>(c);
        }
    }
    return "/search/auc?alocale=0jp&acc=jp&p=" + encoded;
}

std::string StripTags(const std::string& cell)
{
    std::string out;
    bool inTag = false;
    for (char c : cell) {
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag && c != '\n')
            out += c;
    }
    return out;
}

struct ListingRow {
    std::string link, title, price, bids, timeLeft;
    int flags = 0;
};

// The result table read field by field, each search starting where the
// previous field ended, as the client's listing reader does.
std::vector<ListingRow> ReadListing(const std::string& page, const std::string& tableStart)
{
    std::vector<ListingRow> rows;
    size_t start = page.find(tableStart);
    size_t end = start == std::string::npos ? start : page.find("</table>", start);
    if (end == std::string::npos)
        return rows;
    const std::string table = page.substr(start, end - start);
    size_t offset = 0;
    for (;;) {
        std::string row = Cut(table, "<tr", "</tr>", offset);
        if (offset == std::string::npos)
            break;
        size_t f = 0;
        ListingRow r;
        r.link = Cut(row, "href=\"", "\">", f);
        if (r.link.empty())
            continue;
        r.title = Cut(row, "\">", "</a>", f);
        if (row.find("ALT=\"[new]\"") != std::string::npos) r.flags |= 4;
        if (row.find("ALT=\"画像あり\"") != std::string::npos) r.flags |= 8;
        if (row.find("alt=\"エスクロー\"") != std::string::npos) r.flags |= 16;
        if (row.find("alt=\"注目\"") != std::string::npos) r.flags |= 32;
        r.price = Cut(row, "align=right><b>", " 円</b></td>", f);
        size_t g = f;
        r.bids = Cut(row, "<b>", "</b>", g);
        if (g == std::string::npos) {
            g = f;
            r.bids = Cut(row, "align=center>", "</td>", g);
        }
        r.timeLeft = StripTags(Cut(row, "align=right>", "</td>", g));
        r.bids = StripTags(r.bids);
        rows.push_back(r);
    }
    return rows;
}

int ExpectedFlags(const AuctionItem& item)
{
    return (item.markNew ? 4 : 0) | (item.markPicture ? 8 : 0) | (item.markEscrow ? 16 : 0) | (item.markFeatured ? 32 : 0);
}

bool IsTimeLeft(const std::string& text)
{
    for (const char* unit : {"日", "時間", "分"}) {
        std::string u = unit;
        if (text.size() > u.size() && text.compare(text.size() - u.size(), u.size(), u) == 0
            && text.find_first_not_of("0123456789") == text.size() - u.size())
            return true;
    }
    return false;
}

TEST_F(SitesimPages, MarkersStandOnTheirPagesInReadingOrder)
{
    const AuctionItem& item = AnyItem();
    const std::string host = VantoPages::ItemHost(item);
    struct Case {
        const char* what;
        std::string host, target;
        std::vector<std::string> markers;
    };
    const std::vector<std::string> listingTop = {"<tr><td><font size=-1><b>", "</b>ページ中<b>", "（出品合計：", "点）</font>",
                                                 "前の50件", "次の50件"};
    std::vector<Case> cases = {
        {"keyword results", "search.vanto.test", KeywordTarget("管理"), listingTop},
        {"keyword results table", "search.vanto.test", KeywordTarget("管理"), {"<nobr>残り時間</nobr>", "</table>"}},
        {"category page", "list.vanto.test", "/jp/list/2084000101-category.html", listingTop},
        {"category table", "list.vanto.test", "/jp/list/2084000101-category.html", {"<b>すべてのオークション</b>", "</table>"}},
        {"watch list running", "user.vanto.test", "/jp/show/mystatus?select=watchlist&watchclosed=0",
         {"残り時間</font></nobr></b></td></tr>", "</table>"}},
        {"watch list ended", "user.vanto.test", "/jp/show/mystatus?select=watchlist&s1=end&watchclosed=1",
         {"残り時間</font></nobr></b></td></tr>", "</table>"}},
        {"bidding", "user.vanto.test", "/jp/show/mystatus?select=bidding", {"操作</font></nobr></b></td></tr>", "</table>"}},
        {"won", "user.vanto.test", "/jp/show/mystatus?select=won", {"操作</font></nobr></b></td></tr>", "</table>"}},
        {"item page part", host, "/jp/auction/" + item.id, {"Q&A</a>\n</font>", "<br>\n", VantoPages::ITEM_PAGE_FOOTER}},
        {"item page bid form", host, "/jp/auction/" + item.id,
         {"<form action=", "\"", "\"", "NAME=ItemID VALUE=", ">", "itemStyles VALUE=\"", "\"", "sellerNegative VALUE=",
          ">", "login value=demo", ">", "cc VALUE=", ">", "Quantity value=", ">", "bidType\" value=\"", "\"", "</form>"}},
        {"item summary price", host, "/jp/auction/" + item.id, {"<TR><TD>現在の価格：</TD><TD><b>", " 円</b></TD></TR>"}},
        {"item summary quantity", host, "/jp/auction/" + item.id, {"<TR><TD>数量：</TD><TD>", "</TD></TR>"}},
        {"item summary end", host, "/jp/auction/" + item.id, {"<TR><TD>終了日時：</TD><TD>", "月", "日", "時", "分</TD></TR>"}},
        {"bid history", host, "/jp/show/bid_hist?aID=" + item.id, {"Q&A</a></font>", "<br>\n", "</CENTER>\n"}},
        {"questions", host, "/jp/show/qanda?aID=" + item.id,
         {"<FONT SIZE=-1 color=000000>日時</FONT></TH></TR>", "\n", "<FORM METHOD=post ACTION="}},
    };
    // Markers are compared as the client compares them: Shift_JIS bytes
    // against the page after its own conversion.
    for (const Case& c : cases) {
        Answer answer = sites_->Get(c.host, c.target, cookie_);
        ASSERT_EQ(answer.status, 200) << c.what;
        std::vector<std::string> markers;
        for (const std::string& marker : c.markers)
            markers.push_back(Utf8ToShiftJis(marker));
        EXPECT_NE(FindInOrder(EucToSjisAsTheClientDoes(answer.body), markers), std::string::npos) << c.what;
    }
    // A listing's first page opens with the page and item counts.
    std::string first = sites_->VantoText("search.vanto.test", KeywordTarget("管理"), cookie_);
    size_t from = 0;
    EXPECT_EQ(Cut(first, "<tr><td><font size=-1><b>", "</b>ページ中<b>", from).find_first_not_of("0123456789"),
              std::string::npos);
}

TEST_F(SitesimPages, ItemSummaryShowsDesiredPriceAndReserveOnlyWhereSet)
{
    const std::string desired = "<b>希望落札価格：</b></TD><TD bgcolor=ffffcc><b>";
    const std::string reserve = "・設定された<b>最低落札価格</b>に<b><font color=red>まだ達していません。</font></b><br>";
    int seen[4] = {0, 0, 0, 0};
    std::vector<AuctionItem> items = WithCatalogue([](Catalogue& c) { return c.Items(); });
    for (const AuctionItem& item : items) {
        if (item.HasEnded(std::time(nullptr)))
            continue;
        int kind = (item.desiredPrice > 0 ? 1 : 0) + (item.ReserveMet() ? 0 : 2);
        if (seen[kind]++ > 0)
            continue;
        std::string text = sites_->VantoText(VantoPages::ItemHost(item), "/jp/auction/" + item.id);
        size_t from = 0;
        EXPECT_EQ(Cut(text, desired, " 円</b></TD></TR>", from), item.desiredPrice ? Formats::Yen(item.desiredPrice) : "");
        EXPECT_EQ(text.find(reserve) != std::string::npos, !item.ReserveMet()) << item.id;
        from = 0;
        EXPECT_EQ(Cut(text, "<TR><TD>現在の価格：</TD><TD><b>", " 円</b></TD></TR>", from), Formats::Yen(item.currentPrice));
    }
    for (int kind = 0; kind < 4; ++kind)
        EXPECT_GT(seen[kind], 0) << "catalogue lacks item kind " << kind;
}

TEST_F(SitesimPages, ResultRowsReadBackAsTheCatalogueHasThem)
{
    std::string text = sites_->VantoText("search.vanto.test", KeywordTarget("管理"), cookie_);
    std::vector<ListingRow> rows = ReadListing(text, "<nobr>残り時間</nobr>");
    std::vector<AuctionItem> expected = WithCatalogue([](Catalogue& c) {
        std::vector<AuctionItem> out;
        for (int index : c.Search("管理", std::time(nullptr)))
            out.push_back(c.Items()[static_cast<size_t>(index)]);
        return out;
    });
    ASSERT_EQ(rows.size(), 50u);
    bool bold = false, plain = false, none = false, decoy = false;
    for (size_t i = 0; i < rows.size(); ++i) {
        const AuctionItem& item = expected[i];
        EXPECT_EQ(rows[i].link, VantoPages::ItemUrl(item));
        EXPECT_EQ(rows[i].title, item.title);
        EXPECT_EQ(rows[i].price, Formats::Yen(item.currentPrice));
        EXPECT_EQ(rows[i].bids, item.bids == 0 ? "-" : std::to_string(item.bids)) << item.id;
        EXPECT_TRUE(IsTimeLeft(rows[i].timeLeft)) << rows[i].timeLeft;
        EXPECT_EQ(rows[i].flags, ExpectedFlags(item)) << item.id;
        (item.bids == 0 ? none : item.boldBids ? bold : plain) = true;
        decoy = decoy || item.decoyMarks;
    }
    EXPECT_TRUE(bold && plain && none && decoy);
}

TEST_F(SitesimPages, MyListsShowTheMembersAuctions)
{
    struct Case {
        std::string target, start;
        bool ended;
    };
    for (const Case& c : std::vector<Case>{
             {"/jp/show/mystatus?select=watchlist&watchclosed=0", "残り時間</font></nobr></b></td></tr>", false},
             {"/jp/show/mystatus?select=watchlist&s1=end&watchclosed=1", "残り時間</font></nobr></b></td></tr>", true},
             {"/jp/show/mystatus?select=bidding", "操作</font></nobr></b></td></tr>", false},
             {"/jp/show/mystatus?select=won", "操作</font></nobr></b></td></tr>", true}}) {
        std::string text = sites_->VantoText("user.vanto.test", c.target, cookie_);
        size_t start = text.find(c.start);
        ASSERT_NE(start, std::string::npos) << c.target;
        std::string table = text.substr(start, text.find("</table>", start) - start);
        size_t offset = 0;
        int count = 0;
        for (;;) {
            std::string row = Cut(table, "<tr", "</tr>", offset);
            if (offset == std::string::npos)
                break;
            size_t f = 0;
            std::string link = Cut(row, "href=\"", "\">", f);
            std::string title = Cut(row, "\">", "</a>", f);
            std::string price = Cut(row, "<b>", " 円</b></td>", f);
            std::string bidder = StripTags(Cut(row, "align=center>", "</td>", f));
            std::string left = StripTags(Cut(row, "align=right>", "</td>", f));
            ASSERT_FALSE(link.empty());
            EXPECT_FALSE(title.empty());
            EXPECT_NE(price.find_first_of("0123456789"), std::string::npos);
            EXPECT_FALSE(bidder.empty());
            EXPECT_EQ(left == "終了", c.ended) << left;
            if (c.target.find("won") != std::string::npos) {
                EXPECT_EQ(bidder, "demo");
            }
            ++count;
        }
        EXPECT_GT(count, 0) << c.target;
    }
}

TEST_F(SitesimPages, SorelRowsFollowTheFourLineFeeds)
{
    std::vector<SorelItem> items;
    std::string path;
    WithCatalogue([&](Catalogue& c) {
        const Category& top = c.SorelCategories()[0];
        path = SorelPages::CategoryPath(top);
        for (int i : c.SorelInCategory(top.index))
            items.push_back(c.SorelItems()[static_cast<size_t>(i)]);
        return 0;
    });
    Answer answer = sites_->Get("www.sorel.test", path);
    std::string text;
    ASSERT_TRUE(ShiftJisToUtf8(answer.body, text));
    size_t at = FindInOrder(text, {"このカテゴリに出品", "<td width=\"50%\"><font size=\"2\">", "）</font></td>", "<b>入札数</b>"});
    ASSERT_NE(at, std::string::npos);
    size_t count = 0;
    bool hidden = false, word = false;
    for (;; ++count) {
        size_t row = text.find("\n\n\n\n<tr ", at);
        size_t rowEnd = row == std::string::npos ? row : text.find("</tr>\n", row);
        if (rowEnd == std::string::npos)
            break;
        std::string cells = text.substr(row, rowEnd - row);
        size_t f = 0;
        std::string link = Cut(cells, "<font size=\"2\"><a href=\"", "\"", f);
        std::string title = Cut(cells, ">", "</a>", f);
        std::string price = Cut(cells, "<font size=\"2\">", "</font></td>", f);
        std::string end = Cut(cells, "<font size=\"2\">", "</font></td>", f);
        std::string bids = Cut(cells, "<font size=\"2\">", "</font></td>", f);
        ASSERT_LT(count, items.size());
        const SorelItem& item = items[count];
        EXPECT_EQ(link, SorelPages::ItemPath(item));
        EXPECT_EQ(title, item.title);
        EXPECT_EQ(price, item.priceHidden ? "非公開" : Formats::Yen(item.price) + "円");
        EXPECT_EQ(end, Formats::SorelDate(item.endTime));
        EXPECT_EQ(bids, item.bidsAsWord ? "なし" : std::to_string(item.bids));
        hidden = hidden || item.priceHidden;
        word = word || item.bidsAsWord;
        at = rowEnd;
    }
    EXPECT_EQ(count, std::min<size_t>(items.size(), 50));
    EXPECT_TRUE(hidden && word);
}

TEST_F(SitesimPages, PagesDecodeWithoutLossInTheirSitesEncoding)
{
    const AuctionItem& item = AnyItem();
    const std::string host = VantoPages::ItemHost(item);
    for (const auto& [h, target] : std::vector<std::pair<std::string, std::string>>{
             {"search.vanto.test", KeywordTarget("")}, {"list.vanto.test", "/jp/list/2084000143-category.html"},
             {"user.vanto.test", "/jp/show/mystatus?select=bidding"}, {host, "/jp/auction/" + item.id},
             {host, "/jp/show/bid_hist?aID=" + item.id}, {host, "/jp/show/qanda?aID=" + item.id},
             {"login.vanto.test", "/jp/signin"}}) {
        Answer answer = sites_->Get(h, target, cookie_);
        std::string utf8;
        ASSERT_TRUE(EucJpToUtf8(answer.body, utf8)) << h << target;
        EXPECT_EQ(Utf8ToEucJp(utf8), answer.body) << h << target;
        EXPECT_NE(answer.Header("Content-Type").find("EUC-JP"), std::string::npos);
    }
    Answer sorel = sites_->Get("www.sorel.test", "/cat/3101/");
    std::string utf8;
    ASSERT_TRUE(ShiftJisToUtf8(sorel.body, utf8));
    EXPECT_EQ(Utf8ToShiftJis(utf8), sorel.body);
}

TEST_F(SitesimPages, TitlesHoldTheAwkwardShiftJisCharacters)
{
    std::string titles = WithCatalogue([](Catalogue& c) {
        std::string all;
        for (const AuctionItem& item : c.Items())
            all += item.title + "\n";
        return all;
    });
    std::string sjis = Utf8ToShiftJis(titles);
    bool second5C = false, second40 = false, second7C = false, halfWidth = false;
    for (size_t i = 0; i < sjis.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(sjis[i]);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            unsigned char next = static_cast<unsigned char>(sjis[i + 1]);
            second5C |= next == 0x5C;
            second40 |= next == 0x40;
            second7C |= next == 0x7C;
            ++i;
        } else if (c >= 0xA1 && c <= 0xDF) {
            halfWidth = true;
        }
    }
    EXPECT_TRUE(second5C && second40 && second7C && halfWidth);
}

TEST_F(SitesimPages, KeywordFromShiftJisFindsItsItems)
{
    // The client holds the keyword in Shift_JIS and sends it as EUC-JP.
    std::string sjisKeyword = Utf8ToShiftJis("管理00番");
    std::string utf8Back;
    ASSERT_TRUE(ShiftJisToUtf8(sjisKeyword, utf8Back));
    std::string text = sites_->VantoText("search.vanto.test", KeywordTarget(utf8Back));
    EXPECT_NE(text.find("（出品合計：120点）"), std::string::npos);
    // A space sent as "+" is a space.
    size_t expected = WithCatalogue([](Catalogue& c) { return c.Search("ヴァイオリン ver.3", std::time(nullptr)).size(); });
    ASSERT_GT(expected, 0u);
    text = sites_->VantoText("search.vanto.test", "/search/auc?p=" + FormEncode(Utf8ToEucJp("ヴァイオリン ver.3")));
    EXPECT_NE(text.find("（出品合計：" + std::to_string(expected) + "点）"), std::string::npos);
}

// The next page's link: the first link after "前の50件" and before "次の50件".
std::string NextLink(const std::string& page)
{
    size_t previous = page.find("前の50件");
    size_t next = previous == std::string::npos ? previous : page.find("次の50件", previous);
    if (next == std::string::npos)
        return {};
    std::string between = page.substr(previous, next - previous);
    size_t from = 0;
    return Cut(between, "<a href=\"", "\">", from);
}

TEST_F(SitesimPages, HundredTwentyMatchesPageAsFiftyFiftyTwenty)
{
    std::string url = "http://search.vanto.test" + KeywordTarget("管理00番");
    std::vector<size_t> sizes;
    std::vector<std::string> seen;
    for (int page = 0; page < 5 && !url.empty(); ++page) {
        Answer answer = sites_->GetThroughProxy(url);
        std::string text;
        ASSERT_TRUE(EucJpToUtf8(answer.body, text));
        std::vector<ListingRow> rows = ReadListing(text, "<nobr>残り時間</nobr>");
        sizes.push_back(rows.size());
        for (const ListingRow& row : rows)
            seen.push_back(row.link);
        bool previousIsLink = text.find("\">前の50件</a>") != std::string::npos;
        bool nextIsLink = text.find("\">次の50件</a>") != std::string::npos;
        EXPECT_EQ(previousIsLink, page > 0);
        EXPECT_EQ(nextIsLink, page < 2);
        url = NextLink(text);
    }
    EXPECT_EQ(sizes, (std::vector<size_t>{50, 50, 20}));
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end());
}

TEST_F(SitesimPages, CategoryPagesLinkTheirNextPageByPath)
{
    std::string text = sites_->VantoText("list.vanto.test", "/jp/list/2084000101-category.html");
    std::string next = NextLink(text);
    ASSERT_EQ(next, "/jp/list/2084000101-category.html?b=51");
    std::string second = sites_->VantoText("list.vanto.test", next);
    EXPECT_NE(second.find("<b>2</b>ページ目"), std::string::npos);
}

TEST_F(SitesimPages, UnknownHostsAndPathsAnswer404)
{
    const AuctionItem& item = AnyItem();
    int otherHost = (item.host + 1) % 10;
    std::string wrongHost = otherHost == 0 ? "page.vanto.test" : "page" + std::to_string(otherHost) + ".vanto.test";
    EXPECT_EQ(sites_->Get("nowhere.test", "/").status, 404);
    EXPECT_EQ(sites_->Get("search.vanto.test", "/nothing").status, 404);
    EXPECT_EQ(sites_->Get(wrongHost, "/jp/auction/" + item.id).status, 404);
    EXPECT_EQ(sites_->Get("www.sorel.test", "/cat/999/").status, 404);
    EXPECT_EQ(sites_->Get(VantoPages::ItemHost(item), "/jp/auction/x0").status, 404);
}

TEST(SitesimCatalogue, SameSeedSameSite)
{
    CatalogueSettings settings;
    settings.now = 1800000000;
    settings.items = 300;
    Catalogue a(settings), b(settings);
    settings.seed = 2;
    Catalogue c(settings);
    auto titles = [](const Catalogue& cat) {
        std::vector<std::string> out;
        for (const AuctionItem& item : cat.Items())
            out.push_back(item.title + "|" + std::to_string(item.currentPrice));
        return out;
    };
    EXPECT_EQ(titles(a), titles(b));
    EXPECT_NE(titles(a), titles(c));
    int depthTwo = 0;
    for (const Category& category : a.VantoCategories())
        depthTwo += category.depth == 2;
    EXPECT_GT(depthTwo, 0);
}

} // namespace
} // namespace sitesim::test
