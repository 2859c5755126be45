// Every failure message of the listings, the item summary and the bid
// exchange, with its dump file, from pages sitesim breaks on request.

#include "E2eSupport.h"

#include "collections/CategoryLists.h"
#include "net/JString.h"
#include "net/SiteRequests.h"

#include <gtest/gtest.h>

namespace kelo::e2e {
namespace {

struct FailureCase {
    std::vector<std::string> args; // "ITEM", "CATEGORY" and "SOREL" stand for a real one
    const char* answers;
    bool signedIn;
    const char* fault;
    const char* match;
    const char* message;
    const char* dump; // written by the failure, or nullptr
};

const FailureCase FAILURES[] = {
    {{"search", "KEYWORD"}, "", false, "404", "search.vanto.test", "htmlﾌｧｲﾙの取得に失敗しました(010002)", nullptr},
    {{"search", "KEYWORD"}, "", false, "empty", "search.vanto.test", "htmlﾌｧｲﾙが異常です(010003)", "ERR_010003.txt"},
    {{"search", "KEYWORD"}, "", false, "nomarker", "search.vanto.test", "htmlﾌｧｲﾙの解析に失敗しました(010004)", "getdata.txt"},
    {{"category", "CATEGORY"}, "", false, "500", "list.vanto.test", "htmlﾌｧｲﾙの取得に失敗しました(010002)", nullptr},
    {{"category", "CATEGORY"}, "", false, "nomarker", "list.vanto.test", "htmlﾌｧｲﾙの解析に失敗しました(010004)", "getdata.txt"},
    {{"mylist", "0"}, "", true, "404", "user.vanto.test", "htmlﾌｧｲﾙの取得に失敗しました(011002)", nullptr},
    {{"mylist", "1"}, "", true, "empty", "user.vanto.test", "htmlﾌｧｲﾙが異常です(011003)", "getdata.txt"},
    {{"mylist", "2"}, "", true, "nomarker", "user.vanto.test", "htmlﾌｧｲﾙの解析に失敗しました(011004)", "getdata.txt"},
    {{"sorel", "SOREL"}, "", false, "404", "www.sorel.test", "htmlﾌｧｲﾙの取得に失敗しました(015001)", nullptr},
    {{"sorel", "SOREL"}, "", false, "nomarker", "www.sorel.test", "htmlﾌｧｲﾙの解析に失敗しました(015004)", "ERR_015004.txt"},
    {{"sorel", "SOREL"}, "", false, "empty", "www.sorel.test", "htmlﾌｧｲﾙの解析に失敗しました(015004)", "ERR_015004.txt"},
    {{"item", "ITEM"}, "", false, "404", "/jp/auction/", "htmlﾌｧｲﾙの取得に失敗しました(070002)", nullptr},
    {{"item", "ITEM"}, "", false, "nomarker", "/jp/auction/", "htmlﾌｧｲﾙの解析に失敗しました(070004)", "ERR_070004.txt"},
    {{"item", "ITEM", "--page", "bids"}, "", false, "nomarker", "bid_hist", "htmlﾌｧｲﾙの解析に失敗しました(070004)", "ERR_070004.txt"},
    {{"bid", "ITEM", "99999", "--password", "demo"}, "y\n", true, "404", "/jp/auction/", "htmlﾌｧｲﾙの取得に失敗しました(090001)", nullptr},
    {{"bid", "ITEM", "99999", "--password", "demo"}, "y\n", true, "500", "bid_preview", "htmlﾌｧｲﾙの取得に失敗しました(090002)", "getdata.txt"},
    {{"bid", "ITEM", "99999", "--password", "demo"}, "y\n", true, "500", "placebid", "htmlﾌｧｲﾙの取得に失敗しました(090002)", "biddata1.txt"},
    {{"bid", "ITEM", "99999", "--password", "demo"}, "y\n", true, "nomarker", "placebid",
     "入札結果情報の解析に失敗しました(09A001)\n深刻なｴﾗｰなので、ｶﾚﾝﾄﾃﾞｨﾚｸﾄﾘにある ERR_09A001.TXT を開発者に送信して下さい.",
     "ERR_09A001.TXT"},
};

TEST_F(E2eTest, EveryFailureIsReportedWithItsTextAndDump) {
    const std::string keyword = U8("ノート");
    const auto rows = Listing({"search", keyword});
    ASSERT_FALSE(rows.empty());
    const CategoryList categories = LoadCategoryList(user.Work("category.lst"));
    const CategoryList sorel = LoadSorelCategories(user.Work("sorel.lst"));
    ASSERT_FALSE(categories.empty());
    ASSERT_FALSE(sorel.empty());
    const std::string dumps[] = {"getdata.txt", "ERR_010003.txt", "ERR_015004.txt", "ERR_070004.txt",
                                 "biddata1.txt", "ERR_09A001.TXT"};

    for (const FailureCase& c : FAILURES) {
        SCOPED_TRACE(testing::PrintToString(c.args) + " " + c.fault + " " + c.match);
        std::vector<std::string> args = c.args;
        for (std::string& arg : args) {
            if (arg == "KEYWORD")
                arg = keyword;
            else if (arg == "ITEM")
                arg = rows[0][5];
            else if (arg == "CATEGORY")
                arg = categories[1].Url;
            else if (arg == "SOREL")
                arg = sorel.back().Url;
        }
        for (const std::string& dump : dumps)
            std::remove(user.Work(dump).c_str());
        if (c.signedIn)
            SignIn();
        ASSERT_TRUE(site.Fault(c.fault, c.match));

        const RunResult run = Run(args, c.answers);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_EQ(Messages(run.err), std::vector<std::string>{U8(c.message)});
        if (c.dump)
            EXPECT_TRUE(test::FileExists(user.Work(c.dump))) << c.dump;
        else
            EXPECT_FALSE(test::FileExists(user.Work("getdata.txt")));
    }
}

TEST_F(E2eTest, AFailedLaterPageKeepsTheRowsBeforeIt) {
    const std::string keyword = "ノート";
    const auto all = Listing({"search", U8(keyword)});
    ASSERT_GT(all.size(), 100u);
    // The second page is the one the first page's next-50 link names.
    std::string first = site.Get(PRIMARY_SEARCH_HOST, KeywordSearchObject(EncodeKeyword(keyword)));
    ConvertEucToSjis(first);
    const Extracted links = ExtractBetween(first, "前の50件", "次の50件", 0);
    std::string next = ExtractBetween(links.value, "<a href=\"", "\">", 0).value;
    ASSERT_FALSE(next.empty());
    if (const std::size_t scheme = next.find("://"); scheme != std::string::npos)
        next = next.substr(next.find('/', scheme + 3));
    ASSERT_TRUE(site.Fault("500", next));

    const RunResult run = Run({"search", U8(keyword)});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(Messages(run.err), std::vector<std::string>{U8("htmlﾌｧｲﾙの取得に失敗しました(010002)")});
    const auto rows = Records(run.out);
    ASSERT_EQ(rows.size(), 50u);
    EXPECT_EQ(Addresses(rows), Addresses({all.begin(), all.begin() + 50}));
}

TEST_F(E2eTest, UsageErrorsExitWithTwoAndTheUsage) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"fly"},
        {"search"},
        {"search", "a", "b"},
        {"mylist", "4"},
        {"mylist", "x"},
        {"item", "http://page.vanto.test/jp/auction/b1", "--page", "photos"},
        {"item", "http://page.vanto.test/jp/auction/b1", "--password", "p"},
        {"favorites", "add"},
        {"favorites", "delete"},
        {"history", "--watch"},
    };
    for (const auto& args : wrong) {
        const RunResult run = Run(args);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(args);
        EXPECT_NE(run.err.find("usage: kelo-cli"), std::string::npos) << testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
    }
    const RunResult help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: kelo-cli"), std::string::npos);
}

} // namespace
} // namespace kelo::e2e
