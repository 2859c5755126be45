// The bid exchange with sitesim through kelo-cli, its prompts answered as a
// user at a terminal would.

#include "E2eSupport.h"

#include "net/Unicode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace kelo::e2e {
namespace {

using Rows = std::vector<std::vector<std::string>>;

const char* const CONFIRM_PROMPT = "確認 [y/N]: ";
const char* const REBID_PROMPT = "再入札額 [";
const char* const HIGHEST = "あなたの入札額が現在の最高値です。";

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

long Price(const std::string& text) {
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), [](char c) { return c >= '0' && c <= '9'; });
    return std::atol(digits.c_str());
}

// The amount the latest re-bid message says makes the bid the highest.
std::string NeededAmount(const std::string& out) {
    const std::string label = U8("最高入札額にするための額：");
    const std::size_t at = out.rfind(label);
    if (at == std::string::npos)
        return "";
    return std::to_string(Price(out.substr(at + label.size(), out.find('\n', at) - at - label.size())));
}

// Running auctions that have bids and a price where an automatic bidder
// would answer a bid of price + 1000.
Rows Candidates(const Rows& rows) {
    Rows candidates;
    for (const auto& row : rows)
        if (std::atoi(row[3].c_str()) > 0 && Price(row[2]) >= 1000)
            candidates.push_back(row);
    return candidates;
}

TEST_F(E2eTest, CancelAtTheConfirmationSendsNoBid) {
    SignIn();
    const std::string url = Listing({"search", U8("ノート")})[0][5];
    const RunResult bid = user.Dialogue({"bid", url, "99999", "--password", "demo"},
                                        [](const std::string&) { return std::optional<std::string>("n"); });
    EXPECT_EQ(bid.status, 0) << bid.err;
    EXPECT_NE(bid.out.find(U8("入札内容を確認し、5分以内に「入札」ﾎﾞﾀﾝを押してください。")), std::string::npos);
    EXPECT_EQ(Count(bid.out, U8(CONFIRM_PROMPT)), 1);
    EXPECT_TRUE(test::FileExists(user.Work("biddata1.txt")));
    EXPECT_FALSE(test::FileExists(user.Work("getdata2.txt")));
}

TEST_F(E2eTest, OutbidTwiceThenHighest) {
    SignIn();
    const Rows candidates = Candidates(Listing({"search", U8("中古")}));
    ASSERT_FALSE(candidates.empty());
    bool played = false;
    // Which auctions have an automatic bidder only the site knows: bid on
    // one after another until the site answers with a re-bid.
    for (std::size_t i = 0; i < candidates.size() && i < 60 && !played; ++i) {
        const auto& row = candidates[i];
        int rebidPrompts = 0;
        const RunResult bid = user.Dialogue(
            {"bid", row[5], std::to_string(Price(row[2]) + 1000), "--password", "demo"},
            [&](const std::string& out) -> std::optional<std::string> {
                if (out.ends_with(U8(CONFIRM_PROMPT)))
                    return "y";
                // A typo is refused and asked again; then just what the site
                // asks, which its automatic bidder answers again; then more
                // than it will ever pay.
                switch (++rebidPrompts) {
                case 1:
                    return "12a";
                case 2:
                    return NeededAmount(out);
                default:
                    return "2000000000";
                }
            });
        ASSERT_EQ(bid.status, 0) << bid.err;
        if (rebidPrompts == 0)
            continue; // no automatic bidder here: the first bid led at once
        played = true;
        EXPECT_EQ(rebidPrompts, 3) << bid.out;
        EXPECT_EQ(Count(bid.out, U8("自動入札であなたの入札価格を上回る入札が行われました。")), 2);
        EXPECT_EQ(Count(bid.out, U8(HIGHEST)), 1);
        EXPECT_EQ(Count(bid.out, U8(CONFIRM_PROMPT)), 2); // the confirmation and the result
        EXPECT_EQ(Messages(bid.err).size(), 1u) << bid.err; // the refused typo
        EXPECT_NE(SjisToUtf8(test::ReadFileBytes(user.Work("getdata2.txt"))).find(U8(HIGHEST)), std::string::npos);
        EXPECT_FALSE(test::FileExists(user.Work("ERR_09A001.TXT")));
    }
    EXPECT_TRUE(played) << "no auction with an automatic bidder among " << candidates.size();
}

TEST_F(E2eTest, WrongPasswordEndsWithTheResultFailureAndItsDump) {
    SignIn();
    const std::string url = Listing({"search", U8("ノート")})[0][5];
    const RunResult bid = Run({"bid", url, "99999", "--password", "wrong"}, "y\n");
    EXPECT_EQ(bid.status, 1);
    EXPECT_EQ(Messages(bid.err), std::vector<std::string>{U8(
                                     "入札結果情報の解析に失敗しました(09A001)\n深刻なｴﾗｰなので、ｶﾚﾝﾄﾃﾞｨﾚｸﾄﾘにある "
                                     "ERR_09A001.TXT を開発者に送信して下さい.")});
    EXPECT_FALSE(test::ReadFileBytes(user.Work("ERR_09A001.TXT")).empty());
}

TEST_F(E2eTest, AmountsAndQuantitiesThatAreNoWholeNumberAboveZeroSendNothing) {
    const std::string url = "http://page.vanto.test/jp/auction/b100000001";
    const std::vector<std::vector<std::string>> refused = {
        {"bid", url, "0", "--password", "demo"},
        {"bid", url, "abc", "--password", "demo"},
        {"bid", url, "1.5", "--password", "demo"},
        {"bid", url, "", "--password", "demo"},
        {"bid", url, "1000", "--quantity", "0", "--password", "demo"},
        {"bid", url, "1000", "--quantity", "x", "--password", "demo"},
        // No terminal to type the password at.
        {"bid", url, "1000"},
    };
    for (const auto& args : refused) {
        const RunResult bid = Run(args);
        EXPECT_EQ(bid.status, 2) << testing::PrintToString(args);
        EXPECT_NE(bid.err.find("usage: kelo-cli"), std::string::npos);
        EXPECT_FALSE(test::FileExists(user.Work("getdata.txt"))) << testing::PrintToString(args);
    }
}

TEST(E2eBid, PasswordWithFormCharactersReachesTheSiteWhole) {
    const std::string password = U8("p&=%+# 日本ｶﾅ");
    Sitesim site({"--password", password});
    KeloUser user(site);
    ASSERT_EQ(user.Cli({"signin", "demo", "--password", U8("p&=%+#")}).status, 1);
    const RunResult signin = user.Cli({"signin", "demo", "--password", password});
    ASSERT_EQ(signin.status, 0) << signin.err;

    const auto rows = Records(user.Cli({"search", U8("ノート")}).out);
    ASSERT_FALSE(rows.empty());
    const RunResult bid = user.Dialogue({"bid", rows[0][5], std::to_string(Price(rows[0][2]) + 5000), "--password",
                                         password},
                                        [](const std::string& out) -> std::optional<std::string> {
                                            return out.ends_with(U8(CONFIRM_PROMPT)) ? "y" : "n";
                                        });
    EXPECT_EQ(bid.status, 0) << bid.err;
    EXPECT_FALSE(test::FileExists(user.Work("ERR_09A001.TXT")));
    EXPECT_EQ(Count(bid.out, U8(HIGHEST)) + Count(bid.out, U8(REBID_PROMPT)), 1) << bid.out;
}

} // namespace
} // namespace kelo::e2e
