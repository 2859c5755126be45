#pragma once
// The button bar's share of the item state: the current item (its URL and
// title), the page last shown for it, and the summary fields read from the
// item page. The bar keeps the texts; a window shows them by overriding the
// two Show hooks, a front end without a window just reads them back.

#include <string>
#include <string_view>

namespace kelo {

// The summary fields, Shift_JIS, as the bar shows them.
struct ItemSummaryFields {
    std::string quantity;
    std::string price;   // as on the page: digits and commas
    std::string desired; // the desired winning price, or "希望価無"
    std::string reserve; // "有" while the reserve is not reached, else " "
    std::string end;     // "MM/DD hh:mm" and the time left, or empty
};

class ButtonBar {
public:
    virtual ~ButtonBar() = default;

    // Makes an item current: its title in the title field, its URL as both
    // the current item URL and the current page URL.
    void SetCurrentItem(std::string_view url, std::string_view title);
    // The page buttons move the current page; the current item stays.
    void SetCurrentPageUrl(std::string_view url);
    void SetSummaryFields(const ItemSummaryFields& fields);

    const std::string& Title() const { return title_; }
    const std::string& CurrentItemUrl() const { return itemUrl_; }
    const std::string& CurrentPageUrl() const { return pageUrl_; }
    const ItemSummaryFields& SummaryFields() const { return fields_; }

protected:
    virtual void ShowTitle(std::string_view title);
    virtual void ShowSummaryFields(const ItemSummaryFields& fields);

private:
    std::string title_;
    std::string itemUrl_;
    std::string pageUrl_;
    ItemSummaryFields fields_;
};

} // namespace kelo
