#include "item/ItemCommands.h"

#include "app/MessageBox.h"
#include "item/BidDialog.h"
#include "item/BidEntryCheck.h"
#include "item/BidExchange.h"
#include "item/Browser.h"
#include "item/ButtonBar.h"
#include "item/ItemPageUrls.h"
#include "item/QuestionDialog.h"

namespace kelo {

void OnBid(std::string_view url, std::string_view title, BidDialog& bidDialog, BidPlaceDialog& placeDialog) {
    if (url.empty())
        return;
    BidEntry entry;
    entry.title = title;
    entry.quantity = "1";
    if (!bidDialog.ShowBidDialog(entry))
        return;
    int amount = 0;
    int quantity = 0;
    std::string refusal;
    // The dialog should have refused these already; a bid of 0 must never go out.
    if (!CheckBidEntry(entry, amount, quantity, refusal)) {
        ShowMessageBox(refusal, MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    PlaceBid(url, amount, quantity, entry.password, entry.comment, placeDialog);
}

void OnQuestion(std::string_view url, std::string_view title, QuestionDialog& dialog) {
    if (url.empty())
        return;
    std::string question;
    dialog.ShowQuestion(title, question);
}

void OnPageButton(SummaryMode mode, ButtonBar& bar, Browser& browser) {
    ItemPageUrls urls;
    if (!BuildItemPageUrls(bar.CurrentPageUrl(), bar.CurrentItemUrl(), urls))
        return;
    const std::string& url = mode == SUMMARY_BID_HISTORY ? urls.bidHistory
                             : mode == SUMMARY_QANDA     ? urls.questions
                                                         : urls.itemPage;
    browser.ShowInBrowser(ShowItemSummary(url, mode, bar));
    bar.SetCurrentPageUrl(url);
}

void OnReloadButton(ButtonBar& bar, Browser& browser) {
    const std::string url = bar.CurrentPageUrl();
    browser.ShowInBrowser(ShowItemSummary(url, SUMMARY_ITEM_PAGE, bar));
}

} // namespace kelo
