#include "collections/History.h"

#include "app/SettingsTable.h"
#include "collections/AtomicFile.h"
#include "collections/LineReader.h"
#include "net/WorkingFiles.h"

#include <algorithm>

namespace kelo {
namespace {

constexpr std::size_t MAX_LINE_BYTES = 199;

// A tab inside a title would split the line when it is read back.
std::string TitleForFile(std::string title) {
    std::replace(title.begin(), title.end(), '\t', ' ');
    return title;
}

} // namespace

std::string History::FilePath() { return GetCacheFolder() + "/historys.lst"; }

void History::AddHistory(std::string_view url, std::string_view title) {
    entries_.push_back({std::string(title), std::string(url)});
    if (nodes_)
        nodes_->AppendHistoryNode(title);
    const std::size_t limit = static_cast<std::size_t>(std::max(0, ReadIntSetting(Profile(), Setting::HistoryLimit)));
    while (entries_.size() > limit) {
        entries_.erase(entries_.begin());
        if (nodes_)
            nodes_->RemoveHistoryNode(0);
    }
}

bool History::SaveHistory() const {
    std::string content;
    for (const HistoryEntry& entry : entries_)
        content += TitleForFile(entry.title) + "\t" + entry.url + "\r\n";
    return WriteFileAtomically(FilePath(), content);
}

void History::LoadHistory() {
    LineReader reader(FilePath(), MAX_LINE_BYTES);
    std::string line;
    bool tooLong = false;
    while (reader.NextLine(line, tooLong)) {
        const std::size_t tab = line.find('\t');
        if (tooLong || tab == std::string::npos)
            continue; // no entry; the rest of the file still counts
        AddHistory(line.substr(tab + 1), line.substr(0, tab));
    }
}

std::string History::FindHistoryUrl(std::size_t index) const {
    return index < entries_.size() ? entries_[index].url : std::string();
}

} // namespace kelo
