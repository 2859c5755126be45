// The favourites folder: shortcut files written whole under safe names,
// listed, opened, deleted, the add flow and the site's watch list.

#include "ItemFakes.h"
#include "collections/Favorites.h"
#include "net/WorkingFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace kelo {
namespace {

namespace fs = std::filesystem;
using test::ItemHarness;

constexpr const char* ITEM_URL = "http://page3.vanto.test/jp/auction/x123";

class RecordingFavoritesView : public FavoritesView {
public:
    void ShowFavorites(const std::vector<std::string>& names) override { shown.push_back(names); }
    std::vector<std::vector<std::string>> shown;
};

std::string Shortcut(const std::string& url) {
    return "[DEFAULT]\r\nBASEURL=" + url + "\r\n[InternetShortcut]\r\nURL=" + url + "\r\n";
}

std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class FavoritesTest : public ::testing::Test {
protected:
    FavoritesTest() { Favorites::SetFavoritesDirForTests(folder); }
    ~FavoritesTest() override { Favorites::SetFavoritesDirForTests(""); }

    void ServeItemPage() {
        h.server.SetPage("page3.vanto.test", "/jp/auction/x123",
                         test::SjisToEucJp("<font><a>Q&A</a>\n</font><br>\n<p>時計</p>\n"
                                           "<HR><SMALL>Copyright (C) 2026 Vanto<BR>\n"));
    }

    ItemHarness h;
    std::string folder = h.work / "Favorites/Kelo";
    RecordingFavoritesView view;
    Favorites favorites{&view};
};

TEST_F(FavoritesTest, ShortcutsAreWrittenWholeListedAndReplaced) {
    EXPECT_EQ(favorites.SaveFavorite(ITEM_URL, "古い時計"), "古い時計");
    EXPECT_EQ(test::ReadFileBytes(folder + "/古い時計.url"), Shortcut(ITEM_URL));
    EXPECT_EQ(favorites.SaveFavorite("http://page.vanto.test/jp/auction/a1", "ソファ"), "ソファ");

    const std::string newer = "http://page.vanto.test/jp/auction/x124";
    EXPECT_EQ(favorites.SaveFavorite(newer, "古い時計"), "古い時計");
    EXPECT_EQ(test::ReadFileBytes(folder + "/古い時計.url"), Shortcut(newer));
    // Only the shortcuts themselves: no temporary file stays behind.
    EXPECT_EQ(FileNames(folder), (std::vector<std::string>{"ソファ.url", "古い時計.url"}));
    ASSERT_EQ(view.shown.size(), 3u);
    EXPECT_EQ(view.shown.back(), (std::vector<std::string>{"ソファ", "古い時計"}));
    EXPECT_EQ(favorites.ReadFavoriteUrl("古い時計"), newer);
    // A line break in an address cannot add keys of its own.
    favorites.SaveFavorite("http://page.vanto.test/jp/auction/x1\r\nURL=http://elsewhere/", "改行");
    EXPECT_EQ(favorites.ReadFavoriteUrl("改行"), "http://page.vanto.test/jp/auction/x1URL=http://elsewhere/");

    // A shortcut that cannot take the place of what is there leaves no trace.
    fs::create_directory(folder + "/塞ぐ.url");
    const std::vector<std::string> before = FileNames(folder);
    EXPECT_EQ(favorites.SaveFavorite(ITEM_URL, "塞ぐ"), "");
    EXPECT_EQ(FileNames(folder), before);
    EXPECT_EQ(view.shown.back(), (std::vector<std::string>{"ソファ", "改行", "古い時計"}));
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(FavoritesTest, NamesNeverLeaveTheFolder) {
    const std::string longName(300, 'a');
    std::string wide = "x";
    for (int i = 0; i < 150; ++i)
        wide += "漢";
    struct Case {
        std::string name;
        std::string url;
        std::string used;
    };
    const Case cases[] = {
        {"a/b", ITEM_URL, "a_b"},
        {"../../escape", ITEM_URL, ".._.._escape"},
        {"..\\..\\escape", ITEM_URL, ".._.._escape"},
        {"..", ITEM_URL, "x123"},
        {".", ITEM_URL, "x123"},
        {"  \t ", ITEM_URL, "x123"},
        {"", ITEM_URL, "x123"},
        {"", "http://page.vanto.test/..", "お気に入り"},
        {" 時計 ", ITEM_URL, "時計"},
        {"ソフト表示", ITEM_URL, "ソフト表示"}, // trail bytes that look like "\" stay
        {"a\tb\nc", ITEM_URL, "a_b_c"},
        {longName, ITEM_URL, std::string(244, 'a')},
        {wide, ITEM_URL, wide.substr(0, 243)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.used);
        const std::string used = favorites.SaveFavorite(c.url, c.name);
        EXPECT_EQ(used, c.used);
        EXPECT_EQ(test::ReadFileBytes(folder + "/" + used + ".url"), Shortcut(c.url));
    }
    // Nothing beside the folder or above it.
    EXPECT_EQ(FileNames(h.work / "Favorites"), std::vector<std::string>{"Kelo"});
    EXPECT_FALSE(test::FileExists(h.work / "escape.url"));
}

TEST_F(FavoritesTest, AddFlowSavesTheNameUsedAndPutsTheItemOnTheWatchList) {
    test::ScriptedAddFavoriteDialog dialog;
    dialog.ok = false;
    EXPECT_EQ(favorites.AddToFavorites(ITEM_URL, "古い時計", dialog), "");
    EXPECT_EQ(favorites.AddToFavorites("", "古い時計", dialog), "");
    ASSERT_EQ(dialog.offered.size(), 1u);
    EXPECT_EQ(dialog.offered[0].url, ITEM_URL);
    EXPECT_EQ(dialog.offered[0].name, "古い時計");
    EXPECT_FALSE(dialog.offered[0].watchList);
    EXPECT_TRUE(favorites.ListFavorites().empty());

    h.server.SetPage("edit3.vanto.test", "/jp/config/remember?aID=x123", "<html>added</html>\n");
    dialog.ok = true;
    dialog.rename = true;
    dialog.name = "..";
    dialog.watchList = true;
    EXPECT_EQ(favorites.AddToFavorites(ITEM_URL, "古い時計", dialog), "x123");
    EXPECT_EQ(view.shown.back(), std::vector<std::string>{"x123"});
    EXPECT_EQ(h.server.Targets("edit3.vanto.test"), std::vector<std::string>{"/jp/config/remember?aID=x123"});
    EXPECT_EQ(h.Dump(DUMP_ADDMYAUCTION), "<html>added</html>\n");
}

TEST_F(FavoritesTest, WatchListAddGoesToTheEditHostOfThePageHostOnly) {
    h.server.SetPage("edit.vanto.test", "/jp/config/remember?aID=a1", "dot host\n");
    EXPECT_TRUE(RememberItem("http://page.vanto.test/jp/auction/a1"));
    EXPECT_EQ(h.Dump(DUMP_ADDMYAUCTION), "dot host\n");

    // Not an item of a "page" host: nothing is sent at all.
    h.server.ClearRequests();
    EXPECT_FALSE(RememberItem("http://www.sorel.test/auction/b2"));
    EXPECT_FALSE(RememberItem("http://search.vanto.test/jp/auction/c3"));
    EXPECT_TRUE(h.server.Requests().empty());

    // A failed request writes nothing and shows nothing.
    fs::remove(h.work / DUMP_ADDMYAUCTION);
    EXPECT_FALSE(RememberItem("http://page9.vanto.test/jp/auction/gone"));
    EXPECT_EQ(h.server.Targets("edit9.vanto.test"), std::vector<std::string>{"/jp/config/remember?aID=gone"});
    EXPECT_FALSE(test::FileExists(h.work / DUMP_ADDMYAUCTION));
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(FavoritesTest, OpeningFromTheMenuAndFromTheTree) {
    ServeItemPage();
    favorites.SaveFavorite(ITEM_URL, "古い時計");
    // Written by another program: other letters, spaces, other sections.
    test::WriteFileBytes(folder + "/外部.URL",
                         "[Other]\nURL=http://wrong/\n[internetshortcut]\r\nIconIndex=0\r\n url = " +
                             std::string(ITEM_URL) + " \r\n");
    test::WriteFileBytes(folder + "/空.url", "[InternetShortcut]\r\nIconFile=x\r\n");
    // In byte order of their Shift_JIS names.
    EXPECT_EQ(favorites.ListFavorites(), (std::vector<std::string>{"外部", "空", "古い時計"}));
    EXPECT_EQ(favorites.ReadFavoriteUrl("外部"), ITEM_URL);

    test::RecordingButtonBar bar;
    test::FakeBrowser browser;
    bar.SetCurrentItem("http://page.vanto.test/jp/auction/before", "前");
    favorites.OpenFavoriteFromMenu("外部", bar, browser);
    favorites.OpenFavoriteFromMenu("空", bar, browser);
    ASSERT_EQ(browser.shown.size(), 1u);
    EXPECT_EQ(browser.shown[0], GetCacheFolder() + "/x123");
    EXPECT_EQ(bar.CurrentItemUrl(), "http://page.vanto.test/jp/auction/before");
    EXPECT_TRUE(h.messages.shown.empty());

    favorites.OpenFavoriteFromTree("古い時計", bar, browser);
    EXPECT_EQ(bar.CurrentItemUrl(), ITEM_URL);
    EXPECT_EQ(bar.Title(), "古い時計");
    favorites.OpenFavoriteFromTree("空", bar, browser);
    favorites.OpenFavoriteFromTree("無い", bar, browser);
    EXPECT_EQ(browser.shown.size(), 2u);
    EXPECT_EQ(h.MessageTexts(), (std::vector<std::string>{"お気に入り情報の取得に失敗しました(002001)",
                                                          "お気に入り情報の取得に失敗しました(002001)"}));
}

TEST_F(FavoritesTest, DeletingRemovesOnlyAShortcutInTheFolder) {
    favorites.SaveFavorite(ITEM_URL, "古い時計");
    favorites.SaveFavorite(ITEM_URL, "残す");
    test::WriteFileBytes(h.work / "outside.url", Shortcut(ITEM_URL));

    EXPECT_TRUE(favorites.DeleteFavorite("古い時計"));
    EXPECT_EQ(view.shown.back(), std::vector<std::string>{"残す"});
    EXPECT_FALSE(favorites.DeleteFavorite("古い時計"));
    EXPECT_FALSE(favorites.DeleteFavorite("../../outside"));
    EXPECT_TRUE(test::FileExists(h.work / "outside.url"));
    EXPECT_EQ(favorites.ListFavorites(), std::vector<std::string>{"残す"});
}

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(FavoritesFolderTest, MadeUnderTheUserProfileElseHome) {
    test::TempDir profile;
    test::TempDir home;
    test::RecordingMessageBox messages;
    {
        ScopedEnvironment user("USERPROFILE", profile.path().c_str());
        ScopedEnvironment homeVar("HOME", home.path().c_str());
        EXPECT_EQ(Favorites::GetFavoritesDir(), profile / "Favorites/Kelo");
        EXPECT_TRUE(fs::is_directory(profile / "Favorites/Kelo"));
    }
    {
        ScopedEnvironment user("USERPROFILE", nullptr);
        ScopedEnvironment homeVar("HOME", home.path().c_str());
        EXPECT_EQ(Favorites::GetFavoritesDir(), home / "Favorites/Kelo");
        EXPECT_TRUE(fs::is_directory(home / "Favorites/Kelo"));
    }
    EXPECT_TRUE(messages.shown.empty());

    // A plain file where the folder should be made.
    test::WriteFileBytes(home / "blocker", "x");
    Favorites::SetFavoritesDirForTests(home / "blocker/Kelo");
    Favorites favorites;
    EXPECT_EQ(favorites.SaveFavorite(ITEM_URL, "x"), "");
    Favorites::SetFavoritesDirForTests("");
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown[0].text, "お気に入りﾃﾞｨﾚｸﾄﾘの作成に失敗しました(001004)");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
}

} // namespace
} // namespace kelo
