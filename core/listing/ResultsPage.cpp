#include "listing/ResultsPage.h"

#include "app/SettingsTable.h"
#include "listing/PageLink.h"
#include "listing/RowCut.h"
#include "net/JString.h"

namespace kelo {
namespace {

constexpr std::string_view SEARCH_TABLE_START = "<nobr>残り時間</nobr>";
constexpr std::string_view CATEGORY_TABLE_START = "<b>すべてのオークション</b>";

// The site writes its counts with thousands commas.
int CountFromText(std::string_view text) {
    std::string digits;
    for (char c : text)
        if (c != ',')
            digits.push_back(c);
    return LeadingNumber(digits);
}

unsigned RowFlags(std::string_view row) {
    // The site spells these attributes in exactly this case.
    unsigned flags = ROW_ICON_PRIMARY;
    if (FindMarker(row, "ALT=\"[new]\"", 0) >= 0)
        flags |= ROW_FLAG_NEW;
    if (FindMarker(row, "ALT=\"画像あり\"", 0) >= 0)
        flags |= ROW_FLAG_PICTURE;
    if (FindMarker(row, "alt=\"エスクロー\"", 0) >= 0)
        flags |= ROW_FLAG_ESCROW;
    if (FindMarker(row, "alt=\"注目\"", 0) >= 0)
        flags |= ROW_FLAG_FEATURED;
    return flags;
}

// Each field is searched from where the previous one ended, so a row is read
// once, and a missing field empties every field after it.
bool ReadRow(std::string_view text, ListingRow& row) {
    row = ListingRow{};
    long at = CutBetween(text, "href=\"", "\">", row.url, 0);
    if (row.url.empty())
        return false; // heading and spacer rows carry no auction
    at = CutBetween(text, "\">", "</a>", row.title, at);
    row.flags = RowFlags(text);
    at = CutBetween(text, "align=right><b>", " 円</b></td>", row.price, at);

    // The bid count is bold when there are bids, a plain centred cell otherwise.
    std::string bidsCell, timeCell;
    long bidsEnd = CutBetween(text, "<b>", "</b>", bidsCell, at);
    if (bidsEnd < 0)
        bidsEnd = CutBetween(text, "align=center>", "</td>", bidsCell, at);
    CutBetween(text, "align=right>", "</td>", timeCell, bidsEnd);
    StripMarkup(bidsCell, row.bids, false);
    StripMarkup(timeCell, row.timeLeft, false);
    return true;
}

} // namespace

bool ResultsPage::Locate(std::string_view page, ListingMode mode) {
    page_ = page;
    table_ = {};
    from_ = 0;
    const long start = FindMarker(page, mode == LISTING_SEARCH ? SEARCH_TABLE_START : CATEGORY_TABLE_START, 0);
    const long end = start < 0 ? -1 : FindMarker(page, "</table>", start);
    if (end < 0)
        return false;
    table_ = page.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    return true;
}

int ResultsPage::TotalItems() const {
    return CountFromText(ExtractBetween(page_, "（出品合計：", "点）</font>", 0).value);
}

int ResultsPage::TotalPages() const {
    return CountFromText(ExtractBetween(page_, "<tr><td><font size=-1><b>", "</b>ページ中<b>", 0).value);
}

bool ResultsPage::NextRow(ListingRow& row) {
    while (from_ >= 0) {
        from_ = CutBetween(table_, "<tr", "</tr>", rowText_, from_);
        if (from_ >= 0 && ReadRow(rowText_, row))
            return true;
    }
    return false;
}

std::string ResultsPage::NextPageUrl() const {
    // Whether "前の50件" is a link or not, the first link after it is the one
    // "次の50件" stands in, if it is one.
    const Extracted between = ExtractBetween(page_, "前の50件", "次の50件", 0);
    if (between.offset < 0)
        return {};
    return DecodeLinkAmpersands(ExtractBetween(between.value, "<a href=\"", "\">", 0).value);
}

} // namespace kelo
