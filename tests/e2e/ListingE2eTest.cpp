// Listings from sitesim through kelo-cli: keyword search, category pages,
// the my-auction lists and Sorel pages.

#include "E2eSupport.h"

#include "collections/CategoryLists.h"
#include "net/JString.h"
#include "net/SiteRequests.h"
#include "net/Unicode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>

namespace kelo::e2e {
namespace {

using Rows = std::vector<std::vector<std::string>>;

void ExpectWellFormed(const Rows& rows, int icon, const std::string& urlPart) {
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 6u) << testing::PrintToString(row);
        EXPECT_EQ(std::atoi(row[0].c_str()) & 3, icon) << row[0];
        EXPECT_NE(row[1], "");
        EXPECT_NE(row[5].find(urlPart), std::string::npos) << row[5];
    }
}

TEST_F(E2eTest, KeywordSearchReadsEveryPageInOrderAndHidesBlackTitles) {
    const std::string keyword = "ノート";
    const Rows rows = Listing({"search", U8(keyword)});

    // The first results page names the total; every listed auction arrives.
    std::string first = site.Get(PRIMARY_SEARCH_HOST, KeywordSearchObject(EncodeKeyword(keyword)));
    ConvertEucToSjis(first);
    const int total = std::atoi(ExtractBetween(first, "（出品合計：", "点）</font>", 0).value.c_str());
    ASSERT_GT(total, 100) << "the search must span three pages or more";
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(total));
    ExpectWellFormed(rows, 0, "vanto.test/jp/auction/");
    std::set<std::string> urls;
    for (const auto& row : rows) {
        EXPECT_NE(row[1].find(U8(keyword)), std::string::npos) << row[1];
        urls.insert(row[5]);
    }
    EXPECT_EQ(urls.size(), rows.size());

    // A title of the first page and one of the last page made black.
    const std::string firstTitle = rows.front()[1];
    const std::string lastTitle = rows.back()[1];
    test::WriteFileBytes(user.Work("black.lst"), Utf8ToSjis(firstTitle) + "\r\n" + Utf8ToSjis(lastTitle) + "\r\n");
    Rows expected;
    for (const auto& row : rows)
        if (firstTitle.find(row[1]) == std::string::npos && lastTitle.find(row[1]) == std::string::npos)
            expected.push_back(row);
    ASSERT_LT(expected.size(), rows.size());
    // The others keep their places: the site's order, page after page.
    EXPECT_EQ(Addresses(Listing({"search", U8(keyword)})), Addresses(expected));
}

TEST_F(E2eTest, CategoryListingsFromTheCategoryList) {
    const CategoryList categories = LoadCategoryList(user.Work("category.lst"));
    ASSERT_GE(categories.size(), 2u);
    // The list holds both forms: a full address and a path on the list host.
    ASSERT_EQ(categories[0].Url.rfind("http://", 0), 0u);
    ASSERT_EQ(categories[1].Url.rfind("/", 0), 0u);
    for (const CategoryEntry& category : {categories[0], categories[1]}) {
        const Rows rows = Listing({"category", category.Url});
        EXPECT_FALSE(rows.empty()) << category.Url;
        ExpectWellFormed(rows, 0, "vanto.test/jp/auction/");
    }
}

TEST_F(E2eTest, MyAuctionListsNeedTheSignedInSession) {
    for (const char* list : {"0", "1", "2", "3"}) {
        const RunResult signedOut = Run({"mylist", list});
        EXPECT_EQ(signedOut.status, 1) << list;
        EXPECT_EQ(Messages(signedOut.err), std::vector<std::string>{U8("htmlﾌｧｲﾙの解析に失敗しました(011004)")});
        EXPECT_EQ(signedOut.out, "");
        EXPECT_TRUE(test::FileExists(user.Work("getdata.txt")));
    }

    SignIn();
    std::size_t listed = 0;
    for (const char* list : {"0", "1", "2", "3"}) {
        const Rows rows = Listing({"mylist", list});
        ExpectWellFormed(rows, 0, "vanto.test/jp/auction/");
        if (std::string(list) == "3") {
            for (const auto& row : rows)
                EXPECT_EQ(row[4], U8("終了"));
        }
        listed += rows.size();
    }
    EXPECT_GT(listed, 0u);
}

TEST_F(E2eTest, SorelPagesShowUndisclosedPricesAndDashCounts) {
    const CategoryList categories = LoadSorelCategories(user.Work("sorel.lst"));
    ASSERT_FALSE(categories.empty());
    const std::regex timeLeft(U8("-?[0-9]+(日|時間|分)"));
    bool undisclosed = false;
    bool dash = false;
    for (const CategoryEntry& category : categories) {
        const Rows rows = Listing({"sorel", category.Url});
        ExpectWellFormed(rows, 1, "http://www.sorel.test/");
        for (const auto& row : rows) {
            EXPECT_EQ(row[0], "1"); // no marks on the secondary site
            undisclosed = undisclosed || row[2] == U8("非公開");
            dash = dash || row[3] == "-";
            EXPECT_EQ(row[2].find(U8("円")), std::string::npos) << row[2];
            EXPECT_TRUE(std::regex_match(row[4], timeLeft)) << row[4];
        }
        if (undisclosed && dash)
            break;
    }
    EXPECT_TRUE(undisclosed);
    EXPECT_TRUE(dash);
}

} // namespace
} // namespace kelo::e2e
