#include "app/CategoryTree.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelo {
namespace {

using test::TempDir;

CategoryList Rows(const std::vector<std::pair<std::string, int>>& rows) {
    CategoryList list;
    for (const auto& [name, level] : rows)
        list.push_back({"/" + name, name, static_cast<std::uint16_t>(level), false});
    return list;
}

// The tree as the pane shows it: one line per node, two spaces per level,
// a folder marked with "+".
std::string Shape(const CategoryTree& tree) {
    std::string shape;
    tree.Walk([&](const TreeNode& node, int depth) {
        shape += std::string(static_cast<std::size_t>(depth) * 2, ' ') + node.text + (node.isFolder ? "+" : "") + "\n";
    });
    return shape;
}

const std::string FIXED_PRIMARY = "Vanto!ｵｰｸｼｮﾝ\n"
                                  "  ﾏｲｵｰｸｼｮﾝ\n"
                                  "    ｳｫｯﾁ(開催中)\n"
                                  "    ｳｫｯﾁ(終了分)\n"
                                  "    入札中\n"
                                  "    落札分\n";

TEST(CategoryTree, EmptyListsGiveTheFixedNodesOnly) {
    TempDir dir;
    CategoryTree tree;
    CategoryList none;
    tree.BuildCategoryTree(none, dir / "sorel.lst");
    EXPECT_EQ(Shape(tree), "お気に入り\n履歴\n" + FIXED_PRIMARY + "SOREL\n");
}

TEST(CategoryTree, DepthsMakeFoldersAndPlaceRows) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, int>> rows;
        std::string expected; // below the primary root's fixed nodes
    };
    const Case cases[] = {
        {"sub-categories under their folder", {{"A", 0}, {"B", 1}, {"C", 1}, {"D", 0}}, "  A+\n    B\n    C\n  D\n"},
        {"a deeper last row makes a folder", {{"A", 0}, {"B", 1}}, "  A+\n    B\n"},
        {"a gap in the depths goes under the deepest row", {{"A", 0}, {"B", 3}, {"C", 1}}, "  A+\n    B\n    C\n"},
        {"a first row deeper than 0 stays in the tree", {{"A", 2}, {"B", 2}}, "  A\n  B\n"},
        {"depths beyond nine", {{"A", 9}, {"B", 10}, {"C", 11}}, "  A+\n    B+\n      C\n"},
        {"a row goes under the nearest shallower row above",
         {{"A", 0}, {"B", 1}, {"X", 2}, {"C", 0}, {"Y", 2}},
         "  A+\n    B+\n      X\n      Y\n  C+\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        CategoryTree tree;
        CategoryList primary = Rows(c.rows);
        tree.BuildCategoryTree(primary, dir / "sorel.lst");
        EXPECT_EQ(Shape(tree), "お気に入り\n履歴\n" + FIXED_PRIMARY + c.expected + "SOREL\n") << c.name;
        for (std::size_t i = 0; i < primary.size(); ++i)
            EXPECT_EQ(primary[i].IsFolder, i + 1 < primary.size() && primary[i + 1].Level > primary[i].Level)
                << c.name << " row " << i;
    }
}

TEST(CategoryTree, SecondaryRowsAreReadAgainOnEveryBuild) {
    TempDir dir;
    test::WriteFileBytes(dir / "sorel.lst", "/f\tFurniture\t0\r\n/c\tChairs\t1\r\n");
    CategoryTree tree;
    CategoryList primary = Rows({{"A", 0}});
    tree.BuildCategoryTree(primary, dir / "sorel.lst");
    test::WriteFileBytes(dir / "sorel.lst", "/f\tFurniture\t0\r\n/c\tChairs\t1\r\n/t\tTables\t1\r\n");
    tree.BuildCategoryTree(primary, dir / "sorel.lst");

    EXPECT_EQ(Shape(tree), "お気に入り\n履歴\n" + FIXED_PRIMARY + "  A\nSOREL\n  Furniture+\n    Chairs\n    Tables\n");
    ASSERT_EQ(tree.SecondaryCategories().size(), 3u);
    // Every secondary node still names its own row.
    const TreeNode* sorel = tree.Node(tree.SecondaryRoot());
    const TreeNode* tables = tree.Node(tree.Node(sorel->children[0])->children[1]);
    EXPECT_EQ(tree.SecondaryCategories()[tables->index].Url, "/t");
}

TEST(CategoryTree, RebuildKeepsFavouritesHistoryAndSelectionOfThem) {
    TempDir dir;
    CategoryTree tree;
    CategoryList primary = Rows({{"A", 0}});
    tree.BuildCategoryTree(primary, dir / "sorel.lst");
    tree.SetFavorites({"fav"});
    tree.AppendHistoryNode("seen");
    const TreeNodeId category = tree.Node(tree.PrimaryRoot())->children[1];
    tree.Select(category);
    tree.BuildCategoryTree(primary, dir / "sorel.lst");

    EXPECT_EQ(Shape(tree), "お気に入り\n  fav\n履歴\n  seen\n" + FIXED_PRIMARY + "  A\nSOREL\n");
    EXPECT_EQ(tree.Node(category), nullptr);
    EXPECT_EQ(tree.Selected(), NO_TREE_NODE); // a removed node is no selection
}

TEST(CategoryTree, HistoryNodesFollowTheHistory) {
    CategoryTree tree;
    for (const char* title : {"A", "B", "C"})
        tree.AppendHistoryNode(title);
    tree.RemoveHistoryNode(0);
    tree.RemoveHistoryNode(7); // no such entry: nothing
    tree.SetFavorites({"x", "y"});
    tree.SetFavorites({"y"});
    EXPECT_EQ(Shape(tree), "お気に入り\n  y\n履歴\n  B\n  C\n");
    const TreeNodeId c = tree.Node(tree.HistoryRoot())->children[1];
    EXPECT_EQ(tree.SiblingIndex(c), 1u);
}

} // namespace
} // namespace kelo
