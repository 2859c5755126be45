#pragma once
// The category tree pane's content: the favourites and history roots, the
// primary site with its my-auction lists and categories, and the secondary
// site's categories. A front end draws these nodes; the commands read them.

#include "collections/CategoryLists.h"
#include "collections/History.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kelo {

enum class TreeNodeKind {
    FavoritesRoot,
    Favorite,
    HistoryRoot,
    HistoryEntry,
    PrimaryRoot,
    MyAuctionRoot,
    MyAuctionList,
    PrimaryCategory,
    SecondaryRoot,
    SecondaryCategory,
};

// Indexes into the pane's strip of eight 16 x 16 pictures.
enum TreeImage {
    TREE_IMAGE_FOLDER = 0,
    TREE_IMAGE_FOLDER_OPEN = 1,
    TREE_IMAGE_PAGE = 2,
    TREE_IMAGE_LIST = 3,
    TREE_IMAGE_FAVORITES = 4,
    TREE_IMAGE_MY_AUCTION = 5,
    TREE_IMAGE_HISTORY = 6,
};

// A node handle; handles are never reused within a run.
using TreeNodeId = std::uint64_t;
inline constexpr TreeNodeId NO_TREE_NODE = 0;

struct TreeNode {
    TreeNodeKind kind = TreeNodeKind::FavoritesRoot;
    std::string text; // Shift_JIS
    TreeNodeId parent = NO_TREE_NODE;
    std::vector<TreeNodeId> children;
    int image = TREE_IMAGE_FOLDER;
    int selectedImage = TREE_IMAGE_FOLDER;
    // My-auction list 0-3, or the row of the category list the node stands for.
    std::size_t index = 0;
    bool isFolder = false;
};

class CategoryTree : public HistoryNodes {
public:
    // The two fixed roots "お気に入り" and "履歴", as the pane starts.
    CategoryTree();

    // Builds both site sub-trees anew, replacing earlier ones: the primary
    // rows as given (their IsFolder marks are set here) and the secondary
    // rows read from sorelPath each time.
    void BuildCategoryTree(CategoryList& primary, const std::string& sorelPath = "sorel.lst");
    // Replaces the favourite nodes by the given display names, in order.
    void SetFavorites(const std::vector<std::string>& names);

    // The history root mirrors the history's entries.
    void AppendHistoryNode(std::string_view title) override;
    void RemoveHistoryNode(std::size_t index) override;

    const std::vector<TreeNodeId>& Roots() const { return roots_; }
    // The node behind a handle, or nullptr when it is gone.
    const TreeNode* Node(TreeNodeId id) const;
    // Position of a favourite or history node among its siblings.
    std::size_t SiblingIndex(TreeNodeId id) const;
    // The secondary rows of the latest build, indexed by SecondaryCategory nodes.
    const CategoryList& SecondaryCategories() const { return secondary_; }

    TreeNodeId FavoritesRoot() const { return favoritesRoot_; }
    TreeNodeId HistoryRoot() const { return historyRoot_; }
    TreeNodeId PrimaryRoot() const { return primaryRoot_; }
    TreeNodeId SecondaryRoot() const { return secondaryRoot_; }

    // The selection the pane keeps; NO_TREE_NODE when nothing is selected.
    void Select(TreeNodeId id);
    TreeNodeId Selected() const { return selected_; }

    // Visits every node depth first, in the order the pane shows them.
    void Walk(const std::function<void(const TreeNode& node, int depth)>& visit) const;

private:
    TreeNodeId Insert(TreeNodeId parent, TreeNodeKind kind, std::string_view text, int image,
                      int selectedImage, std::size_t index = 0, bool isFolder = false);
    void Remove(TreeNodeId id);
    void RemoveChildren(TreeNodeId id);
    void InsertCategoryRows(TreeNodeId root, TreeNodeKind kind, CategoryList& rows);
    void WalkFrom(TreeNodeId id, int depth,
                  const std::function<void(const TreeNode& node, int depth)>& visit) const;

    std::map<TreeNodeId, TreeNode> nodes_;
    std::vector<TreeNodeId> roots_;
    TreeNodeId nextId_ = 1;
    TreeNodeId favoritesRoot_ = NO_TREE_NODE;
    TreeNodeId historyRoot_ = NO_TREE_NODE;
    TreeNodeId primaryRoot_ = NO_TREE_NODE;
    TreeNodeId secondaryRoot_ = NO_TREE_NODE;
    TreeNodeId selected_ = NO_TREE_NODE;
    CategoryList secondary_;
};

} // namespace kelo
