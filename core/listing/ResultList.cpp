#include "listing/ResultList.h"

namespace kelo {

bool ResultList::GetSelectedItem(std::string& url, std::string& title) const {
    int selected = SelectedRow();
    if (selected < 0 || selected >= RowCount())
        return false;
    ListingRow row = Row(selected);
    url = row.url;
    title = row.title;
    return true;
}

void InsertListingRow(ResultList& list, unsigned flags, int position, std::string_view title,
                      std::string_view price, std::string_view bids, std::string_view timeLeft,
                      std::string_view url) {
    ListingRow row;
    row.flags = flags;
    row.title = title;
    row.price = price;
    row.bids = bids;
    row.timeLeft = timeLeft;
    row.url = url;
    list.InsertRow(position, row);
}

} // namespace kelo
