#pragma once
// The items opened from the result list, oldest first, kept to the HISTORY
// limit and saved as "historys.lst" in the cache folder.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelo {

// The tree's "履歴" node mirrors the entries through this.
class HistoryNodes {
public:
    virtual ~HistoryNodes() = default;
    virtual void AppendHistoryNode(std::string_view title) = 0;
    virtual void RemoveHistoryNode(std::size_t index) = 0;
};

struct HistoryEntry {
    std::string title;
    std::string url;
};

class History {
public:
    void SetNodes(HistoryNodes* nodes) { nodes_ = nodes; }

    // Appends an entry and drops the oldest beyond the HISTORY setting.
    void AddHistory(std::string_view url, std::string_view title);
    // Rewrites the history file whole (temporary file, then rename); false
    // when it could not be written. The entries stay in memory either way.
    bool SaveHistory() const;
    // Reads the history file through AddHistory; a missing file is no history.
    void LoadHistory();
    // The URL of the entry at index, or an empty text.
    std::string FindHistoryUrl(std::size_t index) const;

    const std::vector<HistoryEntry>& Entries() const { return entries_; }
    static std::string FilePath();

private:
    std::vector<HistoryEntry> entries_;
    HistoryNodes* nodes_ = nullptr;
};

} // namespace kelo
