// The item summary, the history and the category tree through kelo-cli.

#include "E2eSupport.h"

#include "app/SettingsTable.h"
#include "collections/CategoryLists.h"
#include "net/JString.h"
#include "net/Unicode.h"

#include <gtest/gtest.h>

#include <regex>

namespace kelo::e2e {
namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string Field(const Rows& records, const std::string& name) {
    for (const auto& record : records)
        if (record.size() == 2 && record[0] == name)
            return record[1];
    return "(missing)";
}

TEST_F(E2eTest, ItemSummaryInAllThreeModes) {
    const Rows rows = Listing({"search", U8("ノート")});
    ASSERT_FALSE(rows.empty());
    const std::string url = rows[0][5];
    const std::string file = user.CacheFolder() + "/" + ItemIdFromUrl(url);

    const RunResult item = Run({"item", url});
    ASSERT_EQ(item.status, 0) << item.err;
    const Rows fields = Records(item.out);
    std::vector<std::string> names;
    for (const auto& field : fields)
        names.push_back(field[0]);
    EXPECT_EQ(names, (std::vector<std::string>{"quantity", "price", "desired", "reserve", "end", "file"}));
    EXPECT_EQ(Field(fields, "price"), rows[0][2]);
    EXPECT_TRUE(std::regex_match(Field(fields, "quantity"), std::regex("[1-9][0-9]*")));
    EXPECT_TRUE(std::regex_match(Field(fields, "end"), std::regex(U8("[01][0-9]/[0-3][0-9] [0-2][0-9]:[0-5][0-9] 残-?[0-9]{3}[HM]"))))
        << Field(fields, "end");
    const std::string reserve = Field(fields, "reserve");
    EXPECT_TRUE(reserve.empty() || reserve == U8("有")) << reserve;
    EXPECT_EQ(Field(fields, "file"), file);
    const std::string itemPart = test::ReadFileBytes(file);
    EXPECT_FALSE(itemPart.empty());

    // The other two pages of the same item replace the saved part.
    std::vector<std::string> parts{itemPart};
    for (const char* page : {"bids", "qanda"}) {
        const RunResult other = Run({"item", url, "--page", page});
        ASSERT_EQ(other.status, 0) << page << other.err;
        EXPECT_EQ(Field(Records(other.out), "file"), file) << page;
        parts.push_back(test::ReadFileBytes(file));
        EXPECT_FALSE(parts.back().empty()) << page;
    }
    EXPECT_NE(parts[0], parts[1]);
    EXPECT_NE(parts[1], parts[2]);

    // Only the item page counts as opened.
    EXPECT_EQ(Records(Run({"history"}).out), (Rows{{ItemIdFromUrl(url), url}}));
}

TEST_F(E2eTest, HistoryKeepsToALoweredLimit) {
    const Rows rows = Listing({"search", U8("ノート")});
    ASSERT_GE(rows.size(), 4u);
    WriteIntSetting(user.Settings(), Setting::HistoryLimit, 3);
    for (int i = 0; i < 4; ++i) {
        const RunResult item = Run({"item", rows[static_cast<std::size_t>(i)][5]});
        ASSERT_EQ(item.status, 0) << item.err;
    }
    Rows expected;
    for (std::size_t i = 1; i < 4; ++i)
        expected.push_back({ItemIdFromUrl(rows[i][5]), rows[i][5]});
    EXPECT_EQ(Records(Run({"history"}).out), expected);
    EXPECT_EQ(Records(test::ReadFileBytes(user.CacheFolder() + "/historys.lst")).size(), 3u);

    // A limit of 0 keeps nothing, in memory or in the file.
    WriteIntSetting(user.Settings(), Setting::HistoryLimit, 0);
    ASSERT_EQ(Run({"item", rows[3][5]}).status, 0);
    EXPECT_EQ(Run({"history"}).out, "");
    EXPECT_EQ(test::ReadFileBytes(user.CacheFolder() + "/historys.lst"), "");
}

TEST_F(E2eTest, TreeShowsEveryNodeIndentedByDepth) {
    const RunResult item = Run({"item", Listing({"search", U8("ノート")})[0][5]});
    ASSERT_EQ(item.status, 0) << item.err;
    ASSERT_EQ(Run({"favorites", "add", "http://page.vanto.test/jp/auction/b100000001", "fav"}).status, 0);

    const RunResult tree = Run({"tree"});
    ASSERT_EQ(tree.status, 0) << tree.err;
    std::string expected = U8("お気に入り\n  fav\n履歴\n");
    expected += "  " + Records(Run({"history"}).out)[0][0] + "\n";
    expected += U8("Vanto!ｵｰｸｼｮﾝ\n  ﾏｲｵｰｸｼｮﾝ\n    ｳｫｯﾁ(開催中)\n    ｳｫｯﾁ(終了分)\n    入札中\n    落札分\n");
    for (const CategoryEntry& row : LoadCategoryList(user.Work("category.lst")))
        expected += std::string(2u * (row.Level + 1u), ' ') + SjisToUtf8(row.Name) + "\n";
    expected += "SOREL\n";
    for (const CategoryEntry& row : LoadSorelCategories(user.Work("sorel.lst")))
        expected += std::string(2u * (row.Level + 1u), ' ') + SjisToUtf8(row.Name) + "\n";
    EXPECT_EQ(tree.out, expected);
}

} // namespace
} // namespace kelo::e2e
