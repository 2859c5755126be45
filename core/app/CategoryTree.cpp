#include "app/CategoryTree.h"

#include <algorithm>

namespace kelo {
namespace {

constexpr const char* FAVORITES_TEXT = "お気に入り";
constexpr const char* HISTORY_TEXT = "履歴";
constexpr const char* PRIMARY_SITE_TEXT = "Vanto!ｵｰｸｼｮﾝ";
constexpr const char* MY_AUCTION_TEXT = "ﾏｲｵｰｸｼｮﾝ";
constexpr const char* MY_AUCTION_LIST_TEXTS[4] = {"ｳｫｯﾁ(開催中)", "ｳｫｯﾁ(終了分)", "入札中", "落札分"};
constexpr const char* SECONDARY_SITE_TEXT = "SOREL";

} // namespace

CategoryTree::CategoryTree() {
    favoritesRoot_ = Insert(NO_TREE_NODE, TreeNodeKind::FavoritesRoot, FAVORITES_TEXT, TREE_IMAGE_FAVORITES,
                            TREE_IMAGE_FAVORITES);
    historyRoot_ =
        Insert(NO_TREE_NODE, TreeNodeKind::HistoryRoot, HISTORY_TEXT, TREE_IMAGE_HISTORY, TREE_IMAGE_HISTORY);
}

TreeNodeId CategoryTree::Insert(TreeNodeId parent, TreeNodeKind kind, std::string_view text, int image,
                                int selectedImage, std::size_t index, bool isFolder) {
    const TreeNodeId id = nextId_++;
    TreeNode& node = nodes_[id];
    node.kind = kind;
    node.text.assign(text);
    node.parent = parent;
    node.image = image;
    node.selectedImage = selectedImage;
    node.index = index;
    node.isFolder = isFolder;
    if (parent == NO_TREE_NODE)
        roots_.push_back(id);
    else
        nodes_[parent].children.push_back(id);
    return id;
}

void CategoryTree::RemoveChildren(TreeNodeId id) {
    auto found = nodes_.find(id);
    if (found == nodes_.end())
        return;
    const std::vector<TreeNodeId> children = std::move(found->second.children);
    found->second.children.clear();
    for (TreeNodeId child : children) {
        RemoveChildren(child);
        if (selected_ == child)
            selected_ = NO_TREE_NODE;
        nodes_.erase(child);
    }
}

void CategoryTree::Remove(TreeNodeId id) {
    auto found = nodes_.find(id);
    if (found == nodes_.end())
        return;
    RemoveChildren(id);
    std::vector<TreeNodeId>& siblings =
        found->second.parent == NO_TREE_NODE ? roots_ : nodes_[found->second.parent].children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
    if (selected_ == id)
        selected_ = NO_TREE_NODE;
    nodes_.erase(id);
}

// A row goes under the nearest row above it that is one level shallower.
// Where no such row exists (a gap in the depths, or a first row deeper than
// 0) it goes under the nearest shallower one there is, so that no row is lost.
void CategoryTree::InsertCategoryRows(TreeNodeId root, TreeNodeKind kind, CategoryList& rows) {
    std::vector<TreeNodeId> parentAtDepth{root};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        CategoryEntry& row = rows[i];
        row.IsFolder = i + 1 < rows.size() && rows[i + 1].Level > row.Level;
        std::size_t depth = std::min<std::size_t>(row.Level, parentAtDepth.size() - 1);
        while (parentAtDepth[depth] == NO_TREE_NODE)
            --depth;
        const TreeNodeId node =
            Insert(parentAtDepth[depth], kind, row.Name, row.IsFolder ? TREE_IMAGE_FOLDER : TREE_IMAGE_LIST,
                   row.IsFolder ? TREE_IMAGE_FOLDER_OPEN : TREE_IMAGE_LIST, i, row.IsFolder);
        if (parentAtDepth.size() < std::size_t{row.Level} + 2)
            parentAtDepth.resize(std::size_t{row.Level} + 2, NO_TREE_NODE);
        parentAtDepth[std::size_t{row.Level} + 1] = node;
    }
}

void CategoryTree::BuildCategoryTree(CategoryList& primary, const std::string& sorelPath) {
    Remove(primaryRoot_);
    Remove(secondaryRoot_);
    secondary_.clear();

    primaryRoot_ =
        Insert(NO_TREE_NODE, TreeNodeKind::PrimaryRoot, PRIMARY_SITE_TEXT, TREE_IMAGE_FOLDER, TREE_IMAGE_FOLDER_OPEN);
    const TreeNodeId myAuction = Insert(primaryRoot_, TreeNodeKind::MyAuctionRoot, MY_AUCTION_TEXT,
                                        TREE_IMAGE_MY_AUCTION, TREE_IMAGE_MY_AUCTION);
    for (int list = 0; list < 4; ++list)
        Insert(myAuction, TreeNodeKind::MyAuctionList, MY_AUCTION_LIST_TEXTS[list], TREE_IMAGE_MY_AUCTION,
               TREE_IMAGE_MY_AUCTION, static_cast<std::size_t>(list));
    InsertCategoryRows(primaryRoot_, TreeNodeKind::PrimaryCategory, primary);

    secondary_ = LoadSorelCategories(sorelPath);
    secondaryRoot_ = Insert(NO_TREE_NODE, TreeNodeKind::SecondaryRoot, SECONDARY_SITE_TEXT, TREE_IMAGE_FOLDER,
                            TREE_IMAGE_FOLDER_OPEN);
    InsertCategoryRows(secondaryRoot_, TreeNodeKind::SecondaryCategory, secondary_);
}

void CategoryTree::SetFavorites(const std::vector<std::string>& names) {
    RemoveChildren(favoritesRoot_);
    for (const std::string& name : names)
        Insert(favoritesRoot_, TreeNodeKind::Favorite, name, TREE_IMAGE_PAGE, TREE_IMAGE_PAGE);
}

void CategoryTree::AppendHistoryNode(std::string_view title) {
    Insert(historyRoot_, TreeNodeKind::HistoryEntry, title, TREE_IMAGE_PAGE, TREE_IMAGE_PAGE);
}

void CategoryTree::RemoveHistoryNode(std::size_t index) {
    const std::vector<TreeNodeId>& entries = nodes_[historyRoot_].children;
    if (index < entries.size())
        Remove(entries[index]);
}

const TreeNode* CategoryTree::Node(TreeNodeId id) const {
    const auto found = nodes_.find(id);
    return found == nodes_.end() ? nullptr : &found->second;
}

std::size_t CategoryTree::SiblingIndex(TreeNodeId id) const {
    const TreeNode* node = Node(id);
    if (!node)
        return 0;
    const std::vector<TreeNodeId>& siblings = node->parent == NO_TREE_NODE ? roots_ : Node(node->parent)->children;
    return static_cast<std::size_t>(std::find(siblings.begin(), siblings.end(), id) - siblings.begin());
}

void CategoryTree::Select(TreeNodeId id) { selected_ = Node(id) ? id : NO_TREE_NODE; }

void CategoryTree::Walk(const std::function<void(const TreeNode& node, int depth)>& visit) const {
    for (TreeNodeId root : roots_)
        WalkFrom(root, 0, visit);
}

void CategoryTree::WalkFrom(TreeNodeId id, int depth,
                            const std::function<void(const TreeNode& node, int depth)>& visit) const {
    const TreeNode* node = Node(id);
    if (!node)
        return;
    visit(*node, depth);
    for (TreeNodeId child : node->children)
        WalkFrom(child, depth + 1, visit);
}

} // namespace kelo
