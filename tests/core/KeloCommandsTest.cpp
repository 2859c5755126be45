#include "app/KeloCommands.h"

#include "ItemFakes.h"
#include "ListingFakes.h"
#include "collections/Favorites.h"
#include "listing/MyAuctionLoader.h"
#include "net/SiteRequests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelo {
namespace {

using test::FileExists;
using test::ReadFileBytes;
using test::WriteFileBytes;

// The main window's panes around the command layer, with a loopback site
// that knows no page: every request is recorded and fails with 404.
class CommandsHarness {
public:
    CommandsHarness() : fetch_(server), working_(work.path()) {
        SetProgramPathForTests(work / "kelo");
        Favorites::SetFavoritesDirForTests(work / "favorites");
        WriteFileBytes(work / "category.lst", "/cat/a\tBooks\t0\r\n/cat/b\tComics\t1\r\n");
        WriteFileBytes(work / "sorel.lst", "/s/f\tFurniture\t0\r\n/s/c\tChairs\t1\r\n");
    }
    ~CommandsHarness() {
        Favorites::SetFavoritesDirForTests("");
        SetProgramPathForTests("");
    }
    KeloPorts ports() { return {list, progress, pump, browser, bar}; }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& shown : messages.shown)
            texts.push_back(shown.text);
        return texts;
    }
    // Every request as host and target, in order.
    std::vector<std::string> Requests() const {
        std::vector<std::string> requests;
        for (const auto& request : server.Requests())
            requests.push_back(request.host + request.target);
        return requests;
    }

    test::TempDir work;
    test::PageServer server;
    test::ScopedProfile profile;
    test::RecordingMessageBox messages;
    MemoryResultList list;
    test::FakeProgressDialog progress;
    test::FakePump pump;
    test::FakeBrowser browser;
    test::RecordingButtonBar bar;

private:
    test::ScopedFetchToServer fetch_;
    test::ScopedWorkingFolder working_;
};

// The node with this text anywhere in the tree.
TreeNodeId FindNode(const CategoryTree& tree, const std::string& text) {
    TreeNodeId found = NO_TREE_NODE;
    std::vector<TreeNodeId> pending(tree.Roots().rbegin(), tree.Roots().rend());
    while (!pending.empty() && found == NO_TREE_NODE) {
        const TreeNodeId id = pending.back();
        pending.pop_back();
        const TreeNode* node = tree.Node(id);
        if (node->text == text)
            found = id;
        pending.insert(pending.end(), node->children.rbegin(), node->children.rend());
    }
    return found;
}

TEST(KeloCommands, SampleRowsGoOnTopEachTime) {
    CommandsHarness h;
    KeloCommands commands(h.ports());
    InsertListingRow(h.list, 0, 0, "earlier", "5", "0", "2日", "http://page.vanto.test/jp/auction/x1");
    commands.FillSampleRows();
    commands.FillSampleRows();

    ASSERT_EQ(h.list.RowCount(), 13);
    const unsigned flags[] = {0, 1, 1, 2, 3, 1};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(h.list.Row(i), (ListingRow{flags[i % 6], "test", "1,000", "-", "1日", "/"})) << i;
    }
    EXPECT_EQ(h.list.Row(12).title, "earlier");
}

TEST(KeloCommands, TreeDoubleClickOpensWhatTheNodeStandsFor) {
    CommandsHarness h;
    KeloCommands commands(h.ports());
    commands.OnInitialUpdate();
    struct Case {
        std::string node;
        std::vector<std::string> requests;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"ｳｫｯﾁ(開催中)", {"user.vanto.test" + MyStatusObject(0)}, {"htmlﾌｧｲﾙの取得に失敗しました(011002)"}},
        {"落札分", {"user.vanto.test" + MyStatusObject(3)}, {"htmlﾌｧｲﾙの取得に失敗しました(011002)"}},
        // A primary folder loads its own listing as well.
        {"Books", {"list.vanto.test/cat/a"}, {"htmlﾌｧｲﾙの取得に失敗しました(010002)"}},
        {"Comics", {"list.vanto.test/cat/b"}, {"htmlﾌｧｲﾙの取得に失敗しました(010002)"}},
        // A secondary folder only expands.
        {"Furniture", {}, {}},
        {"Chairs", {"www.sorel.test/s/c"}, {"htmlﾌｧｲﾙの取得に失敗しました(015001)"}},
        {"ﾏｲｵｰｸｼｮﾝ", {}, {}},
        {"Vanto!ｵｰｸｼｮﾝ", {}, {}},
        {"SOREL", {}, {}},
        {"お気に入り", {}, {}},
        {"履歴", {}, {}},
    };
    for (const Case& c : cases) {
        h.server.ClearRequests();
        h.messages.shown.clear();
        const TreeNodeId node = FindNode(commands.Tree(), c.node);
        ASSERT_NE(node, NO_TREE_NODE) << c.node;
        commands.OnTreeDblClk(node);
        EXPECT_EQ(h.Requests(), c.requests) << c.node;
        EXPECT_EQ(h.Messages(), c.messages) << c.node;
        EXPECT_EQ(commands.Tree().Selected(), node) << c.node;
    }
}

TEST(KeloCommands, OpeningARowRecordsItEvenWhenItsPageFails) {
    CommandsHarness h;
    KeloCommands commands(h.ports());
    commands.OnInitialUpdate();
    const std::string url = "http://page2.vanto.test/jp/auction/b77";
    InsertListingRow(h.list, 0, 0, "壺", "1,000", "3", "2日", url);
    commands.OnListDblClick(); // nothing selected: nothing happens
    EXPECT_TRUE(h.server.Requests().empty());

    h.list.Select(0);
    commands.OnListDblClick();
    EXPECT_EQ(h.Requests(), std::vector<std::string>{"page2.vanto.test/jp/auction/b77"});
    EXPECT_EQ(h.Messages(), std::vector<std::string>{"htmlﾌｧｲﾙの取得に失敗しました(070002)"});
    EXPECT_EQ(h.browser.shown, std::vector<std::string>{""});
    EXPECT_EQ(h.bar.CurrentItemUrl(), url);
    EXPECT_EQ(h.bar.Title(), "壺");
    ASSERT_EQ(commands.GetHistory().Entries().size(), 1u);
    EXPECT_EQ(ReadFileBytes(History::FilePath()), "壺\t" + url + "\r\n");
    const TreeNode* historyRoot = commands.Tree().Node(commands.Tree().HistoryRoot());
    ASSERT_EQ(historyRoot->children.size(), 1u);

    // Opening it again from the tree adds no second entry.
    commands.OnTreeDblClk(historyRoot->children[0]);
    EXPECT_EQ(h.server.Requests().size(), 2u);
    EXPECT_EQ(commands.GetHistory().Entries().size(), 1u);
}

TEST(KeloCommands, CurrentItemFollowsTheFocusedPane) {
    CommandsHarness h;
    KeloCommands commands(h.ports());
    commands.GetFavorites().SaveFavorite("http://page.vanto.test/jp/auction/f1", "fav");
    commands.OnInitialUpdate();
    commands.GetHistory().AddHistory("http://page.vanto.test/jp/auction/h1", "seen");
    InsertListingRow(h.list, 0, 0, "row", "1", "0", "1日", "http://page.vanto.test/jp/auction/r1");
    h.bar.SetCurrentItem("http://page.vanto.test/jp/auction/c1", "current");

    struct Case {
        FocusedPane focus;
        std::string selectNode; // in the tree; empty: nothing selected
        int selectRow;
        bool found;
        std::string url;
        std::string title;
    };
    const Case cases[] = {
        {FocusedPane::CategoryTree, "fav", -1, true, "http://page.vanto.test/jp/auction/f1", "fav"},
        {FocusedPane::CategoryTree, "seen", -1, true, "http://page.vanto.test/jp/auction/h1", "seen"},
        {FocusedPane::CategoryTree, "Books", 0, false, "", ""},
        {FocusedPane::CategoryTree, "", 0, false, "", ""},
        {FocusedPane::ResultList, "fav", 0, true, "http://page.vanto.test/jp/auction/r1", "row"},
        {FocusedPane::ResultList, "fav", -1, false, "", ""},
        {FocusedPane::Browser, "fav", 0, true, "http://page.vanto.test/jp/auction/c1", "current"},
        {FocusedPane::ButtonBar, "", -1, true, "http://page.vanto.test/jp/auction/c1", "current"},
        {FocusedPane::None, "fav", 0, false, "", ""},
    };
    for (const Case& c : cases) {
        commands.Tree().Select(c.selectNode.empty() ? NO_TREE_NODE : FindNode(commands.Tree(), c.selectNode));
        h.list.Select(c.selectRow);
        std::string url;
        std::string title;
        EXPECT_EQ(commands.FindCurrentItem(c.focus, url, title), c.found) << static_cast<int>(c.focus) << c.selectNode;
        EXPECT_EQ(url, c.url) << static_cast<int>(c.focus) << c.selectNode;
        EXPECT_EQ(title, c.title) << static_cast<int>(c.focus) << c.selectNode;
    }
}

TEST(KeloCommands, BidAndQuestionNeedAnItem) {
    CommandsHarness h;
    KeloCommands commands(h.ports());
    commands.OnInitialUpdate();
    test::ScriptedBidDialog bidDialog;
    test::ScriptedBidPlaceDialog placeDialog;
    test::ScriptedQuestionDialog questionDialog;

    // A category node, an empty list and a browser before any item: nothing.
    commands.Tree().Select(FindNode(commands.Tree(), "Books"));
    commands.OnBid(FocusedPane::CategoryTree, bidDialog, placeDialog);
    commands.OnQuestion(FocusedPane::CategoryTree, questionDialog);
    commands.OnListBid(bidDialog, placeDialog);
    commands.OnBid(FocusedPane::Browser, bidDialog, placeDialog);
    EXPECT_TRUE(bidDialog.offered.empty());
    EXPECT_TRUE(questionDialog.titles.empty());

    // The row's item, offered with quantity 1 and nothing else filled in.
    InsertListingRow(h.list, 0, 0, "壺", "1,000", "3", "2日", "http://page.vanto.test/jp/auction/b1");
    h.list.Select(0);
    bidDialog.bid = false;
    commands.OnListBid(bidDialog, placeDialog);
    commands.OnQuestion(FocusedPane::ResultList, questionDialog);
    ASSERT_EQ(bidDialog.offered.size(), 1u);
    EXPECT_EQ(bidDialog.offered[0].title, "壺");
    EXPECT_EQ(bidDialog.offered[0].quantity, "1");
    EXPECT_EQ(bidDialog.offered[0].amount, "");
    EXPECT_EQ(questionDialog.titles, std::vector<std::string>{"壺"});
    EXPECT_TRUE(h.server.Requests().empty());
}

TEST(KeloCommands, FavouritesFromTheListAndTheTree) {
    CommandsHarness h;
    KeloCommands commands(h.ports());
    commands.OnInitialUpdate();
    test::ScriptedAddFavoriteDialog dialog;
    InsertListingRow(h.list, 0, 0, "壺", "1,000", "3", "2日", "http://page.vanto.test/jp/auction/b1");
    commands.OnListAddFavorite(dialog); // no row selected
    EXPECT_TRUE(dialog.offered.empty());

    h.list.Select(0);
    commands.OnListAddFavorite(dialog);
    const TreeNodeId favorite = FindNode(commands.Tree(), "壺");
    ASSERT_NE(favorite, NO_TREE_NODE);
    EXPECT_EQ(commands.Tree().Node(favorite)->kind, TreeNodeKind::Favorite);

    // A history entry of the same name is no favourite to delete.
    commands.GetHistory().AddHistory("http://page.vanto.test/jp/auction/b1", "壺");
    const TreeNodeId history = commands.Tree().Node(commands.Tree().HistoryRoot())->children[0];
    commands.Tree().Select(history);
    commands.OnDeleteFavorite();
    EXPECT_EQ(commands.GetFavorites().ListFavorites(), std::vector<std::string>{"壺"});

    commands.Tree().Select(FindNode(commands.Tree(), "壺"));
    commands.OnDeleteFavorite();
    EXPECT_TRUE(commands.GetFavorites().ListFavorites().empty());
    EXPECT_TRUE(commands.Tree().Node(commands.Tree().FavoritesRoot())->children.empty());

    // A shortcut without a URL cannot be opened from the tree.
    WriteFileBytes(Favorites::GetFavoritesDir() + "/empty.url", "[InternetShortcut]\r\n");
    commands.GetFavorites().RefreshFavorites();
    commands.OnTreeDblClk(FindNode(commands.Tree(), "empty"));
    EXPECT_EQ(h.Messages(), std::vector<std::string>{"お気に入り情報の取得に失敗しました(002001)"});
    EXPECT_TRUE(h.server.Requests().empty());
}

TEST(KeloCommands, CategoryUpdateRebuildsOnceAndLoadsTheRunningWatchList) {
    CommandsHarness h;
    KeloCommands commands(h.ports());
    commands.OnInitialUpdate();
    WriteFileBytes(h.work / "sorel.lst", "/s/t\tTables\t0\r\n");
    WriteFileBytes(h.work / "category.lst", "/cat/z\tNever read again\t0\r\n");
    commands.OnCategoryUpdate();
    commands.OnCategoryUpdate();

    std::vector<std::string> roots;
    for (TreeNodeId root : commands.Tree().Roots())
        roots.push_back(commands.Tree().Node(root)->text);
    EXPECT_EQ(roots, (std::vector<std::string>{"お気に入り", "履歴", "Vanto!ｵｰｸｼｮﾝ", "SOREL"}));
    EXPECT_NE(FindNode(commands.Tree(), "Books"), NO_TREE_NODE);
    EXPECT_EQ(FindNode(commands.Tree(), "Furniture"), NO_TREE_NODE);
    EXPECT_EQ(h.Requests(), std::vector<std::string>(2, "user.vanto.test" + MyStatusObject(0)));

    h.server.ClearRequests();
    commands.OnTreeDblClk(FindNode(commands.Tree(), "Tables"));
    EXPECT_EQ(h.Requests(), std::vector<std::string>{"www.sorel.test/s/t"});
}

TEST(KeloCommands, OnlyTheAllTargetSearches) {
    CommandsHarness h;
    KeloCommands commands(h.ports());
    for (int target : {SEARCH_TARGET_PRIMARY, SEARCH_TARGET_SECONDARY, SEARCH_TARGET_THIRD})
        EXPECT_EQ(commands.OnSearchTarget(target, "壺"), 0);
    EXPECT_TRUE(h.server.Requests().empty());

    EXPECT_EQ(commands.OnSearchTarget(SEARCH_TARGET_ALL, "古い 壺&"), 0);
    EXPECT_EQ(h.Requests(),
              std::vector<std::string>{"search.vanto.test/search/auc?alocale=0jp&acc=jp&p=%B8%C5%A4%A4+%D4%E4%26"});
}

TEST(KeloCommandsBusy, ADoubleClickDuringAListingOpensNothingAndTheListingGoesOn) {
    CommandsHarness h;
    KeloCommands commands(h.ports());
    commands.OnInitialUpdate();
    std::string rows;
    for (const char* id : {"a1", "a2", "a3"})
        rows += std::string("<tr><td><a href=\"http://page.vanto.test/jp/auction/") + id + "\">" + id +
                "</a></td><td align=right><b>100 円</b></td><td align=center>1</td><td align=right>1日</td></tr>\n";
    h.server.SetPage("search.vanto.test", "/search/auc?alocale=0jp&acc=jp&p=x",
                     test::SjisToEucJp("<table><tr><td><nobr>残り時間</nobr></td></tr>\n" + rows +
                                       "</table>\n前の50件 | 次の50件\n"));
    h.pump.onCall = [&](int call) {
        if (call != 1)
            return;
        h.list.Select(0);
        commands.OnListDblClick();
        commands.OnTreeDblClk(FindNode(commands.Tree(), "ｳｫｯﾁ(開催中)"));
    };

    EXPECT_EQ(commands.OnSearchTarget(SEARCH_TARGET_ALL, "x"), 1);
    EXPECT_EQ(h.list.RowCount(), 3);
    EXPECT_EQ(h.Messages(), std::vector<std::string>(2, "通信中です。実行中の処理が終わってから操作して下さい。"));
    EXPECT_EQ(h.Requests(), std::vector<std::string>{"search.vanto.test/search/auc?alocale=0jp&acc=jp&p=x"});
    EXPECT_TRUE(commands.GetHistory().Entries().empty());
    EXPECT_EQ(h.bar.CurrentItemUrl(), "");
    EXPECT_TRUE(h.browser.shown.empty());
}

} // namespace
} // namespace kelo
