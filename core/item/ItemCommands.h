#pragma once
// The commands that act on the current item: the bid and question buttons,
// the button bar's page buttons and its reload button. The caller has found
// the item already (FindCurrentItem).

#include "item/ItemSummary.h"

#include <string_view>

namespace kelo {

class BidDialog;
class BidPlaceDialog;
class Browser;
class ButtonBar;
class QuestionDialog;

// The bid dialog for the item, then the bid exchange when the user bids.
// Nothing happens for an empty URL.
void OnBid(std::string_view url, std::string_view title, BidDialog& bidDialog, BidPlaceDialog& placeDialog);
// The question dialog for the item; what is typed is not sent anywhere.
void OnQuestion(std::string_view url, std::string_view title, QuestionDialog& dialog);

// Buttons "details", "bid record" and "Q&A": the chosen page of the current
// item, which becomes the current page. Nothing happens for an item that is
// not on the primary site.
void OnPageButton(SummaryMode mode, ButtonBar& bar, Browser& browser);
// The reload button: the current page again, as an item page.
void OnReloadButton(ButtonBar& bar, Browser& browser);

} // namespace kelo
