// Favourites through kelo-cli, and opened from the tree by the command layer,
// against sitesim.

#include "E2eSupport.h"

#include "app/KeloCommands.h"
#include "item/Browser.h"
#include "item/ButtonBar.h"
#include "listing/MemoryResultList.h"
#include "net/JString.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "QuietPorts.h"

namespace kelo::e2e {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class LastPage : public Browser {
public:
    void ShowInBrowser(std::string_view pathOrUrl) override { shown.assign(pathOrUrl); }
    std::string shown;
};

Rows Sorted(Rows rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

TEST_F(E2eTest, FavouritesAddListOpenDeleteAndTheWatchList) {
    SignIn();
    const Rows rows = Listing({"search", U8("ノート")});
    ASSERT_GE(rows.size(), 2u);
    const std::string named = rows[0][5];
    const std::string watched = rows[1][5];
    const std::string watchedId = ItemIdFromUrl(watched);
    // Not yet on the watch list.
    for (const auto& row : Listing({"mylist", "0"}))
        ASSERT_NE(row[5], watched);

    ASSERT_EQ(Run({"favorites", "add", named, U8("欲しい物")}).status, 0);
    const RunResult add = Run({"favorites", "add", watched, "--watch"});
    ASSERT_EQ(add.status, 0) << add.err;
    // The item's identifier names it when no title is known.
    EXPECT_EQ(Sorted(Records(Run({"favorites"}).out)), Sorted({{U8("欲しい物"), named}, {watchedId, watched}}));
    EXPECT_TRUE(test::FileExists(user.FavoritesFolder() + "/" + watchedId + ".url"));
    EXPECT_FALSE(test::ReadFileBytes(user.Work("addmyauction.txt")).empty());
    bool onWatchList = false;
    for (const auto& row : Listing({"mylist", "0"}))
        onWatchList = onWatchList || row[5] == watched;
    EXPECT_TRUE(onWatchList);

    // Opened from the tree: the item summary, and the item made current.
    {
        user.UseInThisProcess();
        MemoryResultList list;
        test::QuietProgress progress;
        test::NoMessages pump;
        LastPage browser;
        ButtonBar bar;
        test::RecordingMessageBox messages;
        KeloCommands commands(KeloPorts{list, progress, pump, browser, bar});
        commands.OnInitialUpdate();
        const TreeNode* root = commands.Tree().Node(commands.Tree().FavoritesRoot());
        ASSERT_EQ(root->children.size(), 2u);
        int opened = 0;
        for (TreeNodeId node : std::vector<TreeNodeId>(root->children)) {
            if (commands.Tree().Node(node)->text != watchedId)
                continue;
            ++opened;
            commands.OnTreeDblClk(node);
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(browser.shown, user.CacheFolder() + "/" + watchedId);
            EXPECT_FALSE(test::ReadFileBytes(browser.shown).empty());
            EXPECT_EQ(bar.CurrentItemUrl(), watched);
            EXPECT_EQ(bar.Title(), watchedId);
            EXPECT_FALSE(bar.SummaryFields().price.empty());
        }
        EXPECT_EQ(opened, 1);
    }

    ASSERT_EQ(Run({"favorites", "delete", U8("欲しい物")}).status, 0);
    EXPECT_EQ(Records(Run({"favorites"}).out), (Rows{{watchedId, watched}}));
    const RunResult again = Run({"favorites", "delete", U8("欲しい物")});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("no favourite"), std::string::npos);
}

TEST_F(E2eTest, FavouriteNamesStayInTheFolderAndOnlyVantoItemsAreWatched) {
    const std::string vanto = "http://page.vanto.test/jp/auction/b100000001";
    const std::string sorel = "http://www.sorel.test/item/s2000013.html";
    const RunResult add = Run({"favorites", "add", vanto, "../../outside/x"});
    ASSERT_EQ(add.status, 0) << add.err;
    EXPECT_NE(add.err.find("saved as"), std::string::npos);
    ASSERT_EQ(Run({"favorites", "add", sorel, "sorel", "--watch"}).status, 0);

    // Everything written stays inside the favourites folder.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(user.FavoritesFolder() + "/../.."))
        if (entry.is_regular_file())
            files.push_back(std::filesystem::relative(entry.path(), user.FavoritesFolder()).string());
    EXPECT_EQ(files.size(), 2u);
    for (const std::string& file : files)
        EXPECT_EQ(file.find('/'), std::string::npos) << file;
    // No watch-list request for an item of another site.
    EXPECT_FALSE(test::FileExists(user.Work("addmyauction.txt")));
}

} // namespace
} // namespace kelo::e2e
