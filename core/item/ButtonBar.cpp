#include "item/ButtonBar.h"

namespace kelo {

void ButtonBar::SetCurrentItem(std::string_view url, std::string_view title) {
    title_ = title;
    itemUrl_ = url;
    pageUrl_ = url;
    ShowTitle(title_);
}

void ButtonBar::SetCurrentPageUrl(std::string_view url) {
    pageUrl_ = url;
}

void ButtonBar::SetSummaryFields(const ItemSummaryFields& fields) {
    fields_ = fields;
    ShowSummaryFields(fields_);
}

// A bar without a window has nothing to paint.
void ButtonBar::ShowTitle(std::string_view) {}
void ButtonBar::ShowSummaryFields(const ItemSummaryFields&) {}

} // namespace kelo
