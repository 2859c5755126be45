#pragma once
// The result list the loaders fill: the only store of rows. A front end
// implements it over its list control; MemoryResultList keeps rows in memory.

#include "listing/ColumnHeading.h"
#include "listing/ListingRow.h"

#include <string>
#include <string_view>

namespace kelo {

class ResultList {
public:
    virtual ~ResultList() = default;

    // Puts the row at position, shifting the rows from there down by one;
    // a position beyond the end (or below 0) appends. The texts are copied.
    virtual void InsertRow(int position, const ListingRow& row) = 0;
    // Deletes column 3 and inserts it again with this heading.
    virtual void ReplaceColumn3(const ColumnHeading& heading) = 0;
    // Removes every row (the list is redrawn once, after all are gone).
    virtual void ClearListing() = 0;
    virtual int RowCount() const = 0;
    // The row at index, or an empty row when there is none.
    virtual ListingRow Row(int index) const = 0;
    // The selected row's index, or -1 when no row is selected.
    virtual int SelectedRow() const = 0;

    void AppendRow(const ListingRow& row) { InsertRow(RowCount(), row); }
    // The selected row's URL (column 5) and title (column 1); false, with
    // both left untouched, when no row is selected.
    bool GetSelectedItem(std::string& url, std::string& title) const;
};

// Builds the row from its parts and inserts it at position.
void InsertListingRow(ResultList& list, unsigned flags, int position, std::string_view title,
                      std::string_view price, std::string_view bids, std::string_view timeLeft,
                      std::string_view url);

} // namespace kelo
