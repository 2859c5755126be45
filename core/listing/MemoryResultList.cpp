#include "listing/MemoryResultList.h"

namespace kelo {

void MemoryResultList::InsertRow(int position, const ListingRow& row) {
    if (position < 0 || position > RowCount())
        position = RowCount();
    rows_.insert(rows_.begin() + position, row);
    // The selection stays on the same row, as a list control keeps it.
    if (selected_ >= position)
        ++selected_;
}

void MemoryResultList::ReplaceColumn3(const ColumnHeading& heading) { column3_ = heading; }

void MemoryResultList::ClearListing() {
    rows_.clear();
    selected_ = -1;
}

int MemoryResultList::RowCount() const { return static_cast<int>(rows_.size()); }

ListingRow MemoryResultList::Row(int index) const {
    if (index < 0 || index >= RowCount())
        return {};
    return rows_[static_cast<std::size_t>(index)];
}

void MemoryResultList::Select(int index) { selected_ = (index >= 0 && index < RowCount()) ? index : -1; }

} // namespace kelo
