// Sign-in, the bid exchange and the watch-list add, driven the way the
// client drives them: forms cut out of the pages and sent back as GET.

#include "SiteTestSupport.h"

#include "BidRules.h"
#include "Formats.h"
#include "VantoPages.h"

#include <gtest/gtest.h>

#include <mutex>

namespace sitesim::test {
namespace {

const std::string PASSWORD = "p&s=w%d+ #日本";
const std::string REBID = "<big><font ><b>Vanto!オークション - 再入札</b></font></big>";
const std::string HIGHEST = "<b>あなたの入札額が現在の最高値です。<br>";

SiteOptions Options()
{
    SiteOptions options;
    options.items = 600;
    options.password = PASSWORD;
    return options;
}

std::string FormText(const std::string& page, const std::string& start, const std::string& end)
{
    size_t begin = page.find(start);
    size_t stop = begin == std::string::npos ? begin : page.find(end, begin);
    return stop == std::string::npos ? std::string() : page.substr(begin, stop - begin);
}

class SitesimBidding : public ::testing::Test {
protected:
    SitesimBidding() : sites_(Options()) { cookie_ = sites_.SignIn("demo", PASSWORD); }

    std::string Fetch(const std::string& url, const std::string& cookie)
    {
        Answer answer = sites_.GetThroughProxy(url, cookie);
        std::string text;
        EXPECT_EQ(answer.status, 200) << url;
        EXPECT_TRUE(EucJpToUtf8(answer.body, text)) << url;
        return text;
    }

    // The item page's form sent back with an amount: the confirmation page.
    std::string Confirm(const AuctionItem& item, long amount, const std::string& cookie)
    {
        std::string page = Fetch(VantoPages::ItemUrl(item), cookie);
        std::string form = FormText(page, "<form action=", "</form>");
        size_t f = 0;
        std::string action = Cut(form, "\"", "\"", f);
        std::string id = Cut(form, "NAME=ItemID VALUE=", ">", f);
        std::string styles = Cut(form, "itemStyles VALUE=\"", "\"", f);
        std::string negative = Cut(form, "sellerNegative VALUE=", ">", f);
        std::string login = Cut(form, "login value=", ">", f);
        std::string cc = Cut(form, "cc VALUE=", ">", f);
        std::string quantity = Cut(form, "Quantity value=", ">", f);
        std::string bidType = Cut(form, "bidType\" value=\"", "\"", f);
        EXPECT_NE(f, std::string::npos) << "item page form incomplete";
        return Fetch(action + "ItemID=" + id + "&itemStyles=" + styles + "&sellerNegative=" + negative +
                         "&login=" + login + "&cc=" + cc + "&Quantity=" + quantity + "&bidType=" + bidType +
                         "&Bid=" + std::to_string(amount) + "&passwd=" + FormEncode(Utf8ToEucJp(PASSWORD)),
                     cookie);
    }

    struct BidForm {
        std::string action, id, styles, login, cc, quantity, bidType, a;
    };
    static BidForm ReadConfirmation(const std::string& page)
    {
        std::string form = FormText(page, "<form action=", "</form>");
        BidForm out;
        size_t f = 0;
        out.action = Cut(form, "\"", "\"", f);
        out.styles = Cut(form, "itemStyles value=\"", "\"", f);
        out.id = Cut(form, "NAME=ItemID VALUE=", ">", f);
        out.login = Cut(form, "login value=\"", "\">", f);
        out.cc = Cut(form, "cc VALUE=", ">", f);
        out.quantity = Cut(form, "Quantity value=", ">", f);
        out.bidType = Cut(form, "bidType value=", ">", f);
        out.a = Cut(form, "NAME=a value=\"", "\">", f);
        return out;
    }
    std::string Bid(const BidForm& form, long amount, const std::string& password)
    {
        return Fetch(form.action + "?ItemID=" + form.id + "&itemStyles=" + form.styles + "&login=" + form.login +
                         "&cc=" + form.cc + "&Quantity=" + form.quantity + "&bidType=" + form.bidType +
                         "&Bid=" + std::to_string(amount) + "&passwd=" + FormEncode(Utf8ToEucJp(password)) +
                         "&a=" + form.a + "&Partial=1&comment=",
                     cookie_);
    }

    AuctionItem FindItem(bool withRival)
    {
        std::lock_guard lock(sites_.Server().House().Mutex());
        for (const AuctionItem& item : sites_.Server().House().Current().Items())
            if (item.endTime > std::time(nullptr) + 3600 && item.rival.empty() != withRival && item.quantity == 1
                && item.highBidder != "demo")
                return item;
        throw std::runtime_error("no such item");
    }
    bool OnList(const std::string& target, const std::string& id)
    {
        return sites_.VantoText("user.vanto.test", target, cookie_).find("/jp/auction/" + id + "\"") != std::string::npos;
    }

    LocalSites sites_;
    std::string cookie_;
};

TEST_F(SitesimBidding, SignInSetsASessionForTheWholeDomain)
{
    Answer wrong = sites_.Get("login.vanto.test", "/jp/signin/auth?login=demo&passwd=" + FormEncode("demo"));
    EXPECT_EQ(wrong.status, 200);
    EXPECT_EQ(wrong.Header("Set-Cookie"), "");
    std::string text;
    ASSERT_TRUE(EucJpToUtf8(wrong.body, text));
    EXPECT_NE(text.find("IDまたはパスワードが正しくありません。"), std::string::npos);
    EXPECT_NE(text.find("<form method=get action=\"http://login.vanto.test/jp/signin/auth\">"), std::string::npos);

    Answer right = sites_.Get("login.vanto.test", "/jp/signin/auth?login=demo&passwd=" + FormEncode(Utf8ToEucJp(PASSWORD)));
    std::string cookie = right.Header("Set-Cookie");
    EXPECT_EQ(cookie.rfind("VSESSION=", 0), 0u);
    EXPECT_NE(cookie.find("; Domain=.vanto.test; Path=/"), std::string::npos);
}

TEST_F(SitesimBidding, MemberPagesWithoutSessionShowTheSignInPage)
{
    const AuctionItem item = FindItem(false);
    const std::vector<std::string> markers = {"残り時間</font></nobr></b></td></tr>", "操作</font></nobr></b></td></tr>",
                                              "<form action=", REBID, HIGHEST, "<nobr>残り時間</nobr>", "Q&A</a>",
                                              VantoPages::ITEM_PAGE_FOOTER};
    for (const std::string& url : {std::string("http://user.vanto.test/jp/show/mystatus?select=watchlist&watchclosed=0"),
                                   std::string("http://user.vanto.test/jp/show/mystatus?select=won"),
                                   "http://" + VantoPages::ItemHost(item) + "/jp/show/bid_preview?ItemID=" + item.id +
                                       "&login=demo&Bid=99999999",
                                   "http://" + VantoPages::ItemHost(item) + "/jp/config/placebid?ItemID=" + item.id,
                                   "http://edit.vanto.test/jp/config/remember?aID=" + item.id,
                                   std::string("http://login.vanto.test/jp/signin")}) {
        for (const std::string& cookie : {std::string(), std::string("VSESSION=forged")}) {
            std::string text = Fetch(url, cookie);
            EXPECT_NE(text.find("action=\"http://login.vanto.test/jp/signin/auth\""), std::string::npos) << url;
            for (const std::string& marker : markers)
                EXPECT_EQ(text.find(marker), std::string::npos) << url << " holds " << marker;
        }
    }
}

TEST_F(SitesimBidding, OutbidTwiceByTheAutomaticBidderThenHighest)
{
    const AuctionItem item = FindItem(true);
    const long first = BidRules::MinimumBid(item);
    std::string confirmation = Confirm(item, first, cookie_);
    BidForm form = ReadConfirmation(confirmation);
    ASSERT_FALSE(form.a.empty());
    EXPECT_EQ(form.login, "demo");
    size_t f = 0;
    EXPECT_EQ(Cut(confirmation, "あなたの最高入札額：</font></TD><TD nowrap><font color=000000>", " </font>", f),
              Formats::Yen(first) + " 円");

    std::vector<std::string> tokens = {form.a}, actions = {form.action};
    long amount = first;
    for (int round = 0; round < 2; ++round) {
        std::string answer = Bid(form, amount, PASSWORD);
        ASSERT_NE(answer.find(REBID), std::string::npos) << "round " << round;
        std::string rebid = FormText(answer, "<FORM action=", "</form></td>");
        size_t g = 0;
        form.action = Cut(rebid, "\"", "\" method=GET>", g);
        form.a = Cut(rebid, "NAME=a value=", ">", g);
        size_t h = 0;
        std::string needed = Cut(rebid, "最高入札額にするための額：</font></TD><TD><font color=000000>", " 円</font></TD></TR>", h);
        h = 0;
        std::string current = Cut(rebid, "あなたの現在の入札額：</font></TD><TD><font color=000000>", "</font></TD></TR>", h);
        EXPECT_EQ(current, Formats::Yen(amount));
        tokens.push_back(form.a);
        actions.push_back(form.action);
        needed.erase(std::remove(needed.begin(), needed.end(), ','), needed.end());
        amount = std::stol(needed);
    }
    std::string last = Bid(form, item.rivalMax + 100000, PASSWORD);
    EXPECT_NE(last.find(HIGHEST), std::string::npos);
    EXPECT_EQ(last.find(REBID), std::string::npos);

    std::sort(tokens.begin(), tokens.end());
    EXPECT_EQ(std::unique(tokens.begin(), tokens.end()), tokens.end());
    std::sort(actions.begin(), actions.end());
    EXPECT_EQ(std::unique(actions.begin(), actions.end()), actions.end());
    EXPECT_TRUE(OnList("/jp/show/mystatus?select=bidding", item.id));
}

TEST_F(SitesimBidding, RefusedBidsGetTheSitesErrorPage)
{
    const AuctionItem item = FindItem(false);
    auto refused = [](const std::string& page) {
        return page.find("<font color=red><b>エラー</b></font>") != std::string::npos && page.find(REBID) == std::string::npos
            && page.find(HIGHEST) == std::string::npos;
    };
    // Below the minimum already at the confirmation.
    EXPECT_TRUE(refused(Confirm(item, BidRules::MinimumBid(item) - 1, cookie_)));

    BidForm form = ReadConfirmation(Confirm(item, BidRules::MinimumBid(item), cookie_));
    EXPECT_TRUE(refused(Bid(form, BidRules::MinimumBid(item), "wrong")));
    // A wrong password leaves the token usable; once used it is stale.
    EXPECT_NE(Bid(form, BidRules::MinimumBid(item), PASSWORD).find(HIGHEST), std::string::npos);
    EXPECT_TRUE(refused(Bid(form, BidRules::MinimumBid(item) + 100000, PASSWORD)));
    BidForm forged = form;
    forged.a = "0123456789abcdef01234567";
    EXPECT_TRUE(refused(Bid(forged, BidRules::MinimumBid(item) + 100000, PASSWORD)));
}

TEST_F(SitesimBidding, EndedAuctionsTakeNoBids)
{
    AuctionItem item = FindItem(false);
    BidForm form = ReadConfirmation(Confirm(item, BidRules::MinimumBid(item), cookie_));
    {
        std::lock_guard lock(sites_.Server().House().Mutex());
        Catalogue& catalogue = sites_.Server().House().Current();
        catalogue.Items()[static_cast<size_t>(catalogue.FindItem(item.id))].endTime = std::time(nullptr) - 1;
    }
    std::string answer = Bid(form, BidRules::MinimumBid(item), PASSWORD);
    EXPECT_NE(answer.find("このオークションは終了しています。"), std::string::npos);
    EXPECT_EQ(answer.find(HIGHEST), std::string::npos);
}

TEST_F(SitesimBidding, WatchListAddGoesToTheMatchingEditHost)
{
    AuctionItem item = FindItem(false);
    const std::string list = "/jp/show/mystatus?select=watchlist&watchclosed=0";
    ASSERT_FALSE(OnList(list, item.id));
    std::string wrong = item.host == 1 ? "edit2.vanto.test" : "edit1.vanto.test";
    sites_.Get(wrong, "/jp/config/remember?aID=" + item.id, cookie_);
    EXPECT_FALSE(OnList(list, item.id));
    std::string right = item.host == 0 ? "edit.vanto.test" : "edit" + std::to_string(item.host) + ".vanto.test";
    EXPECT_EQ(sites_.Get(right, "/jp/config/remember?aID=" + item.id, cookie_).status, 200);
    EXPECT_TRUE(OnList(list, item.id));
}

} // namespace
} // namespace sitesim::test
