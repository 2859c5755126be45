#pragma once
// A result list kept in memory: the terminal front end's list, and the one
// tests read back.

#include "listing/ResultList.h"

#include <vector>

namespace kelo {

class MemoryResultList : public ResultList {
public:
    void InsertRow(int position, const ListingRow& row) override;
    void ReplaceColumn3(const ColumnHeading& heading) override;
    void ClearListing() override;
    int RowCount() const override;
    ListingRow Row(int index) const override;
    int SelectedRow() const override { return selected_; }

    // -1 (or an index out of range) selects nothing.
    void Select(int index);
    const std::vector<ListingRow>& Rows() const { return rows_; }
    const ColumnHeading& Column3() const { return column3_; }

private:
    std::vector<ListingRow> rows_;
    ColumnHeading column3_ = BidCountHeading();
    int selected_ = -1;
};

} // namespace kelo
