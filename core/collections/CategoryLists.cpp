#include "collections/CategoryLists.h"

#include "app/SettingsTable.h"
#include "collections/LineReader.h"

#include <algorithm>
#include <optional>

namespace kelo {
namespace {

constexpr std::size_t MAX_LINE_BYTES = 179;
constexpr std::size_t MAX_SOREL_COLUMN_BYTES = 99;

std::optional<CategoryEntry> SplitRow(const std::string& line) {
    const std::size_t firstTab = line.find('\t');
    if (firstTab == std::string::npos)
        return std::nullopt;
    const std::size_t secondTab = line.find('\t', firstTab + 1);
    if (secondTab == std::string::npos)
        return std::nullopt;
    CategoryEntry entry;
    entry.Url = line.substr(0, firstTab);
    entry.Name = line.substr(firstTab + 1, secondTab - firstTab - 1);
    entry.Level = static_cast<std::uint16_t>(std::clamp(LeadingNumber(line.substr(secondTab + 1)), 0, 0xFFFF));
    return entry;
}

template <typename Accept> CategoryList ReadRows(const std::string& path, Accept accept) {
    CategoryList list;
    LineReader reader(path, MAX_LINE_BYTES);
    std::string line;
    bool tooLong = false;
    while (reader.NextLine(line, tooLong)) {
        if (tooLong)
            continue;
        if (std::optional<CategoryEntry> entry = SplitRow(line); entry && accept(*entry))
            list.push_back(std::move(*entry));
    }
    return list;
}

} // namespace

CategoryList LoadCategoryList(const std::string& path) {
    return ReadRows(path, [](const CategoryEntry&) { return true; });
}

CategoryList LoadSorelCategories(const std::string& path) {
    return ReadRows(path, [](const CategoryEntry& entry) {
        return entry.Url.size() <= MAX_SOREL_COLUMN_BYTES && entry.Name.size() <= MAX_SOREL_COLUMN_BYTES;
    });
}

void MarkCategoryFolders(CategoryList& list) {
    for (std::size_t i = 0; i < list.size(); ++i)
        list[i].IsFolder = i + 1 < list.size() && list[i + 1].Level > list[i].Level;
}

} // namespace kelo
