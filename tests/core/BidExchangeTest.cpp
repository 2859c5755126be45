// The bid exchange against a loopback site whose pages carry the site's form
// and result markers: the requests it sends, the dialogs it shows, the dump
// files, every failure, the encoding of the values and the checked amounts.

#include "ItemFakes.h"
#include "item/BidEntryCheck.h"
#include "item/BidExchange.h"
#include "item/ItemCommands.h"
#include "item/ItemSummary.h"
#include "net/WorkingFiles.h"

#include <gtest/gtest.h>

#include <deque>

namespace kelo {
namespace {

using test::ItemHarness;
using test::QueryField;
using Answer = test::ScriptedBidPlaceDialog::Answer;

constexpr const char* HOST = "page3.vanto.test";
constexpr const char* ITEM_URL = "http://page3.vanto.test/jp/auction/x123";

const std::string ITEM_PAGE = "<html><body>\n<p>古い時計</p>\n"
                              "<form action=\"http://page3.vanto.test/jp/show/bidpreview?\" method=get>\n"
                              "<input type=hidden NAME=ItemID VALUE=x123>\n"
                              "<input type=hidden name=itemStyles VALUE=\"0\">\n"
                              "<input type=hidden name=sellerNegative VALUE=0>\n"
                              "<input type=hidden name=login value=demo>\n"
                              "<input type=hidden name=cc VALUE=jp>\n"
                              "<input type=hidden name=Quantity value=1>\n"
                              "<input type=hidden name=\"bidType\" value=\"auto\">\n"
                              "<input type=submit value=\"入札\"></form>\n</body></html>\n";

const std::string CONFIRMATION_PAGE =
    "<html><body>\n<form action=\"http://page3.vanto.test/jp/config/placebid\" method=get>\n<table>\n"
    "<TR><TD><font>商品タイトル：</font></TD><TD><a "
    "href=\"/jp/auction/x123\"><font>古い<b>時計</b></font></A></TD></TR>\n"
    "<TR><TD><font>現在の価格：</font></TD><TD><font color=000000>1,500 円</font></TD></TR>\n"
    "<TR><TD><font>あなたの最高入札額：</font></TD><TD nowrap><font color=000000>2,000 円 </font></TD></TR>\n"
    "</table>\n"
    "<input type=hidden name=itemStyles value=\"0\">\n"
    "<input type=hidden NAME=ItemID VALUE=x123>\n"
    "<input type=hidden name=login value=\"demo\">\n"
    "<input type=hidden name=cc VALUE=jp>\n"
    "<input type=hidden name=Quantity value=1>\n"
    "<input type=hidden name=bidType value=auto>\n"
    "<input type=hidden NAME=a value=\"tok+0/=\">\n"
    "<input type=submit value=\"入札\"></form>\n</body></html>\n";

std::string RebidPage(const std::string& path, const std::string& token, const std::string& needed,
                      const std::string& current) {
    return "<html><body>\n<big><font ><b>Vanto!オークション - 再入札</b></font></big>\n"
           "<table><tr><td><FORM action=\"http://page3.vanto.test" +
           path +
           "\" method=GET>\n"
           "<input type=hidden NAME=a value=" +
           token +
           ">\n<table>\n"
           "<TR><TD><font>最高入札額にするための額：</font></TD><TD><font color=000000>" +
           needed +
           " 円</font></TD></TR>\n"
           "<TR><TD><font>あなたの現在の入札額：</font></TD><TD><font color=000000>" +
           current +
           "</font></TD></TR>\n</table>\n<input type=text "
           "name=Bid></form></td></tr></table>\n</body></html>\n";
}

const std::string HIGHEST_PAGE =
    "<html><body>\n<b>あなたの入札額が現在の最高値です。<br>\n</b></body></html>\n";
const std::string WRONG_PASSWORD_PAGE = "<html><body>\n<b>パスワードが正しくありません。</b></body></html>\n";

const std::string ERROR_09A001 =
    "入札結果情報の解析に失敗しました(09A001)\n深刻なｴﾗｰなので、ｶﾚﾝﾄﾃﾞｨﾚｸﾄﾘにある "
    "ERR_09A001.TXT を開発者に送信して下さい.";

class BidExchangeTest : public ::testing::Test {
protected:
    BidExchangeTest() { ServeSite(); }

    void ServeSite() {
        h.server.SetPage(HOST, "/jp/auction/x123", test::SjisToEucJp(ITEM_PAGE));
        h.server.SetResponder(HOST, "/jp/show/bidpreview", [](const test::PageServer::Request&) {
            return test::PageServer::Reply{200, test::SjisToEucJp(CONFIRMATION_PAGE), {}};
        });
        // Bid answers, first to last, wherever the latest form sent the bid.
        for (const char* path : {"/jp/config/placebid", "/jp/config/rebid1", "/jp/config/rebid2"})
            h.server.SetResponder(HOST, path, [this](const test::PageServer::Request&) {
                if (bidAnswers.empty())
                    return test::PageServer::Reply{404, "", {}};
                const std::string page = bidAnswers.front();
                bidAnswers.pop_front();
                return test::PageServer::Reply{200, test::SjisToEucJp(page), {}};
            });
    }

    int Bid(int amount = 2000, int quantity = 1, const std::string& password = "secret") {
        return PlaceBid(ITEM_URL, amount, quantity, password, "よろしく", dialog);
    }
    std::vector<std::string> Targets() const { return h.server.Targets(HOST); }
    std::vector<std::string> BidTargets() const {
        std::vector<std::string> bids;
        for (const std::string& target : Targets())
            if (target.rfind("/jp/config/", 0) == 0)
                bids.push_back(target);
        return bids;
    }

    ItemHarness h;
    test::ScriptedBidPlaceDialog dialog;
    std::deque<std::string> bidAnswers;
};

TEST_F(BidExchangeTest, CancelAtTheConfirmationSendsNoBid) {
    dialog.answers = {{false, ""}};
    EXPECT_EQ(Bid(), 1);

    const std::vector<std::string> targets = Targets();
    ASSERT_EQ(targets.size(), 2u);
    EXPECT_EQ(targets[0], "/jp/auction/x123");
    EXPECT_EQ(targets[1], "/jp/show/bidpreview?ItemID=x123&itemStyles=0&sellerNegative=0&login=demo&cc=jp"
                          "&Quantity=1&bidType=auto&Bid=2000&passwd=secret");
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].mode, BidPlaceMode::Confirm);
    EXPECT_EQ(dialog.shown[0].message,
              "入札内容を確認し、5分以内に「入札」ﾎﾞﾀﾝを押してください。\n\n 古い時計\n\n"
              " オークションID    ：x123\n 現在の価格        ：1,500 円\n"
              " あなたの最高入札額：2,000 円\n 数量              ：1\n\n");
    EXPECT_EQ(h.Dump(DUMP_GETDATA), ITEM_PAGE);
    EXPECT_EQ(h.Dump(DUMP_BIDDATA1), CONFIRMATION_PAGE);
    EXPECT_FALSE(test::FileExists(h.work / DUMP_GETDATA2));
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(BidExchangeTest, OutbidTwiceThenHighest) {
    bidAnswers = {RebidPage("/jp/config/rebid1", "tok1", "2,100", "2,050"),
                  RebidPage("/jp/config/rebid2", "tok2", "2,700", "2,650 円"), HIGHEST_PAGE};
    // Confirm; accept the first offer; type a higher amount the second time; close the result.
    dialog.answers = {{true, ""}, {true, ""}, {true, "2800"}, {false, ""}};
    EXPECT_EQ(Bid(2000, 2), 1);

    const std::vector<std::string> bids = BidTargets();
    ASSERT_EQ(bids.size(), 3u);
    struct Expected {
        const char* path;
        const char* a;
        const char* amount;
    };
    const Expected expected[] = {{"/jp/config/placebid?", "tok+0/=", "2000"},
                                 {"/jp/config/rebid1?", "tok1", "2050"},
                                 {"/jp/config/rebid2?", "tok2", "2800"}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bids[i].rfind(expected[i].path, 0), 0u) << bids[i];
        EXPECT_EQ(QueryField(bids[i], "a"), expected[i].a);
        EXPECT_EQ(QueryField(bids[i], "Bid"), expected[i].amount);
        EXPECT_EQ(QueryField(bids[i], "ItemID"), "x123");
        EXPECT_EQ(QueryField(bids[i], "login"), "demo");
        // The site's own quantity and the pieces the user asked for.
        EXPECT_EQ(QueryField(bids[i], "Quantity"), "1");
        EXPECT_EQ(QueryField(bids[i], "Partial"), "2");
        EXPECT_EQ(QueryField(bids[i], "comment"), "");
    }

    ASSERT_EQ(dialog.shown.size(), 4u);
    EXPECT_EQ(dialog.shown[1].mode, BidPlaceMode::Rebid);
    EXPECT_EQ(dialog.shown[1].offered, "2050");
    EXPECT_EQ(dialog.shown[1].message, "自動入札であなたの入札価格を上回る入札が行われました。\nこの商品への"
                                       "再入札を行ってください。\n\n 古い時計\n\n"
                                       " オークションID          ：x123\n 最高入札額にするための額：2,100\n"
                                       " あなたの現在の入札額    ：2,050\n 数量                    ：2\n\n");
    EXPECT_EQ(dialog.shown[2].offered, "2650");
    EXPECT_EQ(dialog.shown[3].mode, BidPlaceMode::Confirm);
    EXPECT_EQ(dialog.shown[3].message,
              "あなたの入札額が現在の最高値です。\n\n 古い時計\n\n オークションID          ：x123\n");
    EXPECT_EQ(h.Dump(DUMP_GETDATA2), HIGHEST_PAGE);
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(BidExchangeTest, AnswerOfNeitherKindIsDumpedAndReported) {
    bidAnswers = {WRONG_PASSWORD_PAGE};
    dialog.answers = {{true, ""}};
    EXPECT_EQ(Bid(2000, 1, "wrong"), 0);
    EXPECT_EQ(h.Dump(DUMP_ERR_09A001), WRONG_PASSWORD_PAGE);
    EXPECT_EQ(h.Dump(DUMP_GETDATA2), WRONG_PASSWORD_PAGE);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, ERROR_09A001);
    EXPECT_EQ(h.messages.shown[0].buttons, MessageButtons::Ok);
}

TEST_F(BidExchangeTest, FetchFailuresEndTheExchange) {
    struct Case {
        const char* name;
        std::function<void()> breakSite;
        const char* message;
        std::size_t requests;
    };
    const Case cases[] = {
        {"item page missing", [this] { h.server.SetPage(HOST, "/jp/auction/x123", "", 404); },
         "htmlﾌｧｲﾙの取得に失敗しました(090001)", 1},
        // Without a form there is no address to confirm at: nothing more is sent.
        {"item page without a form",
         [this] { h.server.SetPage(HOST, "/jp/auction/x123", "<html><body>sold</body></html>\n"); },
         "htmlﾌｧｲﾙの取得に失敗しました(090002)", 1},
        {"confirmation missing",
         [this] {
             h.server.SetResponder(HOST, "/jp/show/bidpreview", [](const test::PageServer::Request&) {
                 return test::PageServer::Reply{500, "", {}};
             });
         },
         "htmlﾌｧｲﾙの取得に失敗しました(090002)", 2},
        {"bid answer missing", [] {}, "htmlﾌｧｲﾙの取得に失敗しました(090002)", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ServeSite();
        h.server.ClearRequests();
        h.messages.shown.clear();
        c.breakSite();
        dialog.answers = {{true, ""}};
        EXPECT_EQ(Bid(), 0);
        EXPECT_EQ(Targets().size(), c.requests);
        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, c.message);
        EXPECT_EQ(h.messages.shown[0].buttons, MessageButtons::AbortRetryIgnore);
    }
}

TEST_F(BidExchangeTest, ValuesArriveAsTyped) {
    // "ソ" ends in the byte of "\"; "漢" is an ordinary two-byte character.
    const std::string password = "p&w=1%+# ソ漢ｱ";
    bidAnswers = {HIGHEST_PAGE};
    dialog.answers = {{true, ""}, {false, ""}};
    EXPECT_EQ(Bid(2000, 1, password), 1);

    const std::vector<std::string> targets = Targets();
    ASSERT_EQ(targets.size(), 3u);
    for (const std::string& target : {targets[1], targets[2]}) {
        SCOPED_TRACE(target);
        EXPECT_EQ(QueryField(target, "passwd"), test::SjisToEucJp(password));
        EXPECT_EQ(QueryField(target, "Bid"), "2000");
        EXPECT_EQ(target.find(' '), std::string::npos);
        EXPECT_EQ(target.find('#'), std::string::npos);
    }
    EXPECT_EQ(QueryField(targets[2], "a"), "tok+0/=");
}

TEST(BidEntryCheckTest, OnlyWholeNumbersAboveZero) {
    struct Case {
        const char* text;
        bool accepted;
        int value;
    };
    const Case cases[] = {
        {"2000", true, 2000}, {" 15 ", true, 15}, {"007", true, 7},    {"2147483647", true, 2147483647},
        {"0", false, 0},      {"-5", false, 0},   {"12a", false, 0},   {"", false, 0},
        {"  ", false, 0},     {"1.5", false, 0},  {"1,500", false, 0}, {"2147483648", false, 0},
        {"１２", false, 0},   {"+3", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int value = -1;
        EXPECT_EQ(ParseBidNumber(c.text, value), c.accepted);
        EXPECT_EQ(value, c.accepted ? c.value : -1);
    }

    BidEntry entry;
    entry.amount = "1000";
    entry.quantity = "0";
    int amount = 0;
    int quantity = 0;
    std::string message;
    EXPECT_FALSE(CheckBidEntry(entry, amount, quantity, message));
    EXPECT_EQ(message, "個数は1以上の整数で入力して下さい。");
    entry.amount = "abc";
    EXPECT_FALSE(CheckBidEntry(entry, amount, quantity, message));
    EXPECT_EQ(message, "入札金額は1以上の整数で入力して下さい。");
    entry.amount = "1000";
    entry.quantity = "3";
    EXPECT_TRUE(CheckBidEntry(entry, amount, quantity, message));
    EXPECT_EQ(amount, 1000);
    EXPECT_EQ(quantity, 3);
}

TEST_F(BidExchangeTest, NoBidOfZeroLeavesTheProgram) {
    test::ScriptedBidDialog bidDialog;
    bidDialog.amount = "abc";
    OnBid(ITEM_URL, "古い時計", bidDialog, dialog);
    bidDialog.amount = "2000";
    bidDialog.quantity = "";
    OnBid(ITEM_URL, "古い時計", bidDialog, dialog);
    EXPECT_EQ(PlaceBid(ITEM_URL, 0, 1, "secret", "", dialog), 0);
    EXPECT_EQ(PlaceBid(ITEM_URL, 100, -1, "secret", "", dialog), 0);
    EXPECT_TRUE(Targets().empty());
    EXPECT_TRUE(dialog.shown.empty());
    const std::vector<std::string> expected = {
        "入札金額は1以上の整数で入力して下さい。", "個数は1以上の整数で入力して下さい。",
        "入札金額は1以上の整数で入力して下さい。", "個数は1以上の整数で入力して下さい。"};
    EXPECT_EQ(h.MessageTexts(), expected);

    // A re-bid amount that is no whole number is refused and asked for again.
    bidAnswers = {RebidPage("/jp/config/rebid1", "tok1", "2,100", "2,050")};
    dialog.answers = {{true, ""}, {true, "0"}, {false, ""}};
    h.messages.shown.clear();
    EXPECT_EQ(Bid(), 1);
    EXPECT_EQ(BidTargets().size(), 1u);
    ASSERT_EQ(dialog.shown.size(), 3u);
    EXPECT_EQ(dialog.shown[2].mode, BidPlaceMode::Rebid);
    EXPECT_EQ(h.MessageTexts(), std::vector<std::string>{"入札金額は1以上の整数で入力して下さい。"});
}

TEST_F(BidExchangeTest, BidCommandOffersAFreshDialogAndPassesItOn) {
    test::ScriptedBidDialog bidDialog;
    bidDialog.bid = false;
    OnBid(ITEM_URL, "古い時計", bidDialog, dialog);
    OnBid("", "古い時計", bidDialog, dialog);
    ASSERT_EQ(bidDialog.offered.size(), 1u);
    EXPECT_EQ(bidDialog.offered[0].title, "古い時計");
    EXPECT_EQ(bidDialog.offered[0].quantity, "1");
    EXPECT_EQ(bidDialog.offered[0].amount + bidDialog.offered[0].password + bidDialog.offered[0].comment, "");
    EXPECT_TRUE(Targets().empty());

    bidDialog.bid = true;
    bidDialog.amount = "2500";
    bidDialog.quantity = "2";
    bidDialog.password = "pw";
    bidDialog.comment = "よろしく";
    dialog.answers = {{false, ""}};
    OnBid(ITEM_URL, "古い時計", bidDialog, dialog);
    ASSERT_EQ(Targets().size(), 2u);
    EXPECT_EQ(QueryField(Targets()[1], "Bid"), "2500");
    EXPECT_EQ(QueryField(Targets()[1], "passwd"), "pw");
    EXPECT_EQ(bidDialog.offered[1].amount, "");

    test::ScriptedQuestionDialog questions;
    OnQuestion(ITEM_URL, "古い時計", questions);
    OnQuestion("", "他", questions);
    EXPECT_EQ(questions.titles, std::vector<std::string>{"古い時計"});
    EXPECT_EQ(Targets().size(), 2u);
}

TEST_F(BidExchangeTest, SecondOperationWhileTheConfirmationIsOpenIsRefused) {
    test::RecordingButtonBar bar;
    std::string nested = "(not run)";
    dialog.onShow = [&] { nested = ShowItemSummaryUrl(ITEM_URL, bar); };
    bidAnswers = {HIGHEST_PAGE};
    dialog.answers = {{true, ""}, {false, ""}};
    EXPECT_EQ(Bid(), 1);
    EXPECT_EQ(nested, "");
    ASSERT_EQ(h.messages.shown.size(), 2u);
    EXPECT_EQ(h.messages.shown[0].text, "通信中です。実行中の処理が終わってから操作して下さい。");
    // The paused exchange went on with its own form.
    ASSERT_EQ(BidTargets().size(), 1u);
    EXPECT_EQ(QueryField(BidTargets()[0], "a"), "tok+0/=");
}

} // namespace
} // namespace kelo
