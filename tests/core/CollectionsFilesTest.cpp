// The small list files: category lists, the history and the blacklist.

#include "app/SettingsTable.h"
#include "collections/Blacklist.h"
#include "collections/CategoryLists.h"
#include "collections/History.h"
#include "net/WorkingFiles.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace kelo {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

TEST(CategoryListTest, RowsInTreeOrderUntilTheFirstEmptyLine) {
    test::TempDir dir;
    WriteFileBytes(dir / "category.lst",
                   "/jp/cat/books\t本\t0\r\n"
                   "http://list.vanto.test/jp/cat/comics\tコミック\t1\r\n"
                   "no tabs here\r\n"
                   "/jp/cat/music\t音楽\tx\r\n"
                   "\r\n"
                   "/jp/cat/after\t後\t0\r\n");
    CategoryList list = LoadCategoryList(dir / "category.lst");
    MarkCategoryFolders(list);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Url, "/jp/cat/books");
    EXPECT_EQ(list[0].Name, "本");
    EXPECT_TRUE(list[0].IsFolder);
    EXPECT_EQ(list[1].Url, "http://list.vanto.test/jp/cat/comics");
    EXPECT_EQ(list[1].Level, 1);
    EXPECT_FALSE(list[1].IsFolder);
    EXPECT_EQ(list[2].Name, "音楽");
    EXPECT_EQ(list[2].Level, 0); // no digits: depth 0
}

TEST(CategoryListTest, LastLineWithoutLineEndOverlongRowsAndMissingFile) {
    test::TempDir dir;
    const std::string longName(100, 'n');
    WriteFileBytes(dir / "sorel.lst", "/c/1\tA\t0\n/c/2\t" + longName + "\t0\n/c/3\tC\t1\n/c/4\tD\t0");
    const CategoryList sorel = LoadSorelCategories(dir / "sorel.lst");
    ASSERT_EQ(sorel.size(), 2u);
    EXPECT_EQ(sorel[0].Name, "A");
    EXPECT_EQ(sorel[1].Name, "C");
    EXPECT_TRUE(LoadCategoryList(dir / "missing.lst").empty());
}

class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override { SetProgramPathForTests(dir_ / "kelo"); }
    void TearDown() override { SetProgramPathForTests({}); }
    void Limit(int entries) { WriteIntSetting(profile_.store(), Setting::HistoryLimit, entries); }

    struct Nodes : HistoryNodes {
        void AppendHistoryNode(std::string_view title) override { titles.emplace_back(title); }
        void RemoveHistoryNode(std::size_t index) override { titles.erase(titles.begin() + static_cast<long>(index)); }
        std::vector<std::string> titles;
    };

    test::TempDir dir_;
    test::ScopedProfile profile_;
};

TEST_F(HistoryTest, KeepsTheNewestUpToTheLimitInTreeAndFile) {
    Limit(3);
    History history;
    Nodes nodes;
    history.SetNodes(&nodes);
    for (const char* item : {"A", "B", "C", "D"}) {
        history.AddHistory(std::string("http://page.vanto.test/jp/auction/") + item, item);
        ASSERT_TRUE(history.SaveHistory());
    }
    EXPECT_EQ(nodes.titles, (std::vector<std::string>{"B", "C", "D"}));
    EXPECT_EQ(ReadFileBytes(History::FilePath()), "B\thttp://page.vanto.test/jp/auction/B\r\n"
                                                  "C\thttp://page.vanto.test/jp/auction/C\r\n"
                                                  "D\thttp://page.vanto.test/jp/auction/D\r\n");
    EXPECT_EQ(history.FindHistoryUrl(1), "http://page.vanto.test/jp/auction/C");
    EXPECT_EQ(history.FindHistoryUrl(3), "");

    Limit(0);
    history.AddHistory("http://page.vanto.test/jp/auction/E", "E");
    ASSERT_TRUE(history.SaveHistory());
    EXPECT_TRUE(nodes.titles.empty());
    EXPECT_EQ(ReadFileBytes(History::FilePath()), "");
}

TEST_F(HistoryTest, FileRoundTripKeepsLastEntriesAndSkipsBadLines) {
    std::string file;
    for (int i = 0; i < 40; ++i)
        file += "title" + std::to_string(i) + "\thttp://page.vanto.test/jp/auction/a" + std::to_string(i) + "\r\n";
    file += "no tab on this line\r\n" + std::string(250, 'x') + "\tlong\r\n";
    file += "表示\thttp://page.vanto.test/jp/auction/z\r\n";
    file += "last line without its line end\thttp://x";
    WriteFileBytes(History::FilePath(), file);

    History history;
    history.LoadHistory();
    ASSERT_EQ(history.Entries().size(), 30u);
    EXPECT_EQ(history.Entries().front().title, "title11");
    EXPECT_EQ(history.Entries().back().title, "表示");
    EXPECT_EQ(history.Entries().back().url, "http://page.vanto.test/jp/auction/z");
    EXPECT_EQ(ReadFileBytes(History::FilePath()), file); // loading writes nothing
}

TEST_F(HistoryTest, TitleWithTabReadsBackAsShown) {
    History history;
    history.AddHistory("http://page.vanto.test/jp/auction/t1", "left\tright");
    ASSERT_TRUE(history.SaveHistory());
    History again;
    again.LoadHistory();
    ASSERT_EQ(again.Entries().size(), 1u);
    EXPECT_EQ(again.Entries()[0].title, "left right");
    EXPECT_EQ(again.Entries()[0].url, "http://page.vanto.test/jp/auction/t1");
}

TEST(BlacklistTest, TitleIsLookedForInsideEachLine) {
    test::TempDir dir;
    // "表" is 95 5C in Shift_JIS: its second byte is a backslash.
    WriteFileBytes(dir / "black.lst", "ABCDEF\r\n表示\r\n");
    Blacklist blacklist;
    blacklist.Load(dir / "black.lst");
    struct {
        const char* title;
        bool black;
    } cases[] = {
        {"ABCDEF", true}, {"BCD", true},   {"F", true},     {"ABCDEFG", false},
        {"ABCDEf", false}, {"表示", true}, {"\\", false}, // never matched on a trail byte
        {"示", true},     {"", false},     // an unreadable title stays visible
    };
    for (const auto& c : cases)
        EXPECT_EQ(blacklist.IsBlackTitle(c.title), c.black) << c.title;
}

TEST(BlacklistTest, MissingFileHidesNothingAndLongLinesSplit) {
    test::TempDir dir;
    Blacklist blacklist;
    blacklist.Load(dir / "black.lst");
    EXPECT_FALSE(blacklist.IsBlackTitle("anything"));

    WriteFileBytes(dir / "black.lst", std::string(254, 'a') + "bbb\n");
    blacklist.Load(dir / "black.lst");
    ASSERT_EQ(blacklist.Entries().size(), 2u);
    EXPECT_EQ(blacklist.Entries()[1], "bbb\n");
    EXPECT_FALSE(blacklist.IsBlackTitle("abbb")); // the pieces are separate entries
}

} // namespace
} // namespace kelo
