#pragma once
// The readable part of an item's pages: fetched, cut out, saved in the cache
// folder for the browser pane, with the key facts put on the button bar.

#include <string>
#include <string_view>

namespace kelo {

class ButtonBar;

enum SummaryMode {
    SUMMARY_ITEM_PAGE = 0,
    SUMMARY_BID_HISTORY = 1,
    SUMMARY_QANDA = 2,
};

// Returns the saved file's full path, or an empty text after a failure that
// it has reported (070002, 070004 with "ERR_070004.txt"). After a successful
// cut the summary fields are read from the fetched page, whatever the mode;
// after a failure they keep their texts.
std::string ShowItemSummary(std::string_view url, SummaryMode mode, ButtonBar& bar);
// ShowItemSummary in item-page mode: the favourites and the tree use it.
std::string ShowItemSummaryUrl(std::string_view url, ButtonBar& bar);

} // namespace kelo
