#pragma once
// The category rows of "category.lst" (primary site) and "sorel.lst"
// (secondary site): where a listing is fetched from, the node text, the depth.

#include <cstdint>
#include <string>
#include <vector>

namespace kelo {

struct CategoryEntry {
    std::string Url;
    std::string Name;
    std::uint16_t Level = 0;
    bool IsFolder = false; // set when the tree is built
};

using CategoryList = std::vector<CategoryEntry>;

// Reads the rows of a category file; a missing file is an empty list. Reading
// stops at an empty line and drops a last line without its line end; a line
// with fewer than two tabs is skipped.
CategoryList LoadCategoryList(const std::string& path = "category.lst");
// The same rows of "sorel.lst"; columns longer than 99 bytes make no row.
CategoryList LoadSorelCategories(const std::string& path = "sorel.lst");

// Marks the rows that have sub-categories (the next row is deeper).
void MarkCategoryFolders(CategoryList& list);

} // namespace kelo
