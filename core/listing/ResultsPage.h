#pragma once
// One primary-site results page, already in Shift_JIS: its results table, the
// auction rows in it, the counts at its top and the link to the next 50.

#include "listing/ListingMode.h"
#include "listing/ListingRow.h"

#include <string>
#include <string_view>

namespace kelo {

class ResultsPage {
public:
    // Finds the results table of the mode; false when its start marker or the
    // "</table>" after it is missing. The page text must outlive the object.
    bool Locate(std::string_view page, ListingMode mode);

    // The counts at the top of the page; 0 when the page gives none.
    int TotalItems() const;
    int TotalPages() const;

    // The next table row that links to an auction, as a listing row of the
    // primary site (rows without a link are skipped); false after the last.
    bool NextRow(ListingRow& row);

    // The link to the next 50 results as the page gives it ("&amp;" read as
    // "&"), or empty on the last page.
    std::string NextPageUrl() const;

private:
    std::string_view page_;
    std::string_view table_;
    long from_ = 0;
    std::string rowText_;
};

} // namespace kelo
