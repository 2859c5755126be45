#include "item/BidExchange.h"

#include "app/MessageBox.h"
#include "app/NetworkOperation.h"
#include "item/BidEntryCheck.h"
#include "item/BidPlaceDialog.h"
#include "item/FormValueEncoding.h"
#include "net/JString.h"
#include "net/PageFetch.h"
#include "net/SiteRequests.h"
#include "net/WorkingFiles.h"

#include <string>
#include <vector>

namespace kelo {
namespace {

constexpr std::string_view REBID_HEADING = "<big><font ><b>Vanto!オークション - 再入札</b></font></big>";
constexpr std::string_view HIGHEST_BID_SENTENCE = "<b>あなたの入札額が現在の最高値です。<br>";

// The form of a page: from its start marker (included) to the first end
// marker after it (not included); empty when either is missing.
std::string FormText(std::string_view page, std::string_view start, std::string_view end) {
    const long begin = FindMarker(page, start, 0);
    const long finish = begin < 0 ? -1 : FindMarker(page, end, begin);
    if (finish < 0)
        return {};
    return std::string(
        page.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(finish - begin)));
}

// CopyBetween into a buffer as large as the text, so that no value is ever
// cut short (a shortened "a" token would make the site refuse the bid).
// Returns the offset for the next search of a chain; field untouched on -1.
long CutField(std::string_view text, std::string_view start, std::string_view end, std::string& field,
              long from) {
    std::vector<char> buffer(text.size() + 1, '\0');
    const long next = CopyBetween(text, start, end, buffer.data(), buffer.size(), from);
    if (next >= 0)
        field = buffer.data();
    return next;
}

std::string Formatted(const char* format, std::initializer_list<std::string_view> values) {
    std::string out;
    auto value = values.begin();
    for (const char* at = format; *at != '\0'; ++at) {
        if (at[0] == '%' && at[1] == 's' && value != values.end()) {
            out += *value++;
            ++at;
        } else {
            out += *at;
        }
    }
    return out;
}

// The member's current bid as the amount to offer again: commas removed and
// only the number kept, so that a unit written after it (" 円") does not make
// the dialog refuse the very amount it offers.
std::string OfferedAmount(std::string_view currentBid) {
    std::string digits;
    for (char c : currentBid) {
        if (c == ',' || (c == ' ' && digits.empty()))
            continue;
        if (c < '0' || c > '9')
            break;
        digits += c;
    }
    return digits;
}

void ShowFetchFailure(const char* message) {
    ShowMessageBox(message, MessageIcon::Exclamation, MessageButtons::AbortRetryIgnore);
}

// One bid exchange: the form fields and texts read so far, for this exchange only.
class BidExchange {
public:
    BidExchange(int amount, int quantity, std::string_view password, BidPlaceDialog& dialog)
        : amount_(amount), quantity_(quantity), password_(password), dialog_(dialog) {}

    int Run(std::string_view itemUrl) {
        if (!ReadItemForm(itemUrl))
            return 0;
        if (!ReadConfirmation())
            return 0;
        std::string unused;
        bool confirmed = dialog_.ShowBidPlace(BidPlaceMode::Confirm, ConfirmMessage(), unused);
        while (confirmed) {
            std::string answer;
            if (!Fetch(BidRequest(), answer)) {
                ShowFetchFailure("htmlﾌｧｲﾙの取得に失敗しました(090002)");
                return 0;
            }
            WriteDumpFile(DUMP_GETDATA2, answer);
            if (FindMarker(answer, REBID_HEADING, 0) >= 0) {
                confirmed = AskRebid(answer);
            } else if (FindMarker(answer, HIGHEST_BID_SENTENCE, 0) >= 0) {
                dialog_.ShowBidPlace(BidPlaceMode::Confirm, HighestMessage(), unused);
                return 1;
            } else {
                WriteDumpFile(DUMP_ERR_09A001, answer);
                ShowMessageBox("入札結果情報の解析に失敗しました(09A001)\n深刻なｴﾗｰなので、ｶﾚﾝﾄﾃﾞｨﾚｸﾄﾘにある "
                               "ERR_09A001.TXT を開発者に送信して下さい.",
                               MessageIcon::Exclamation, MessageButtons::Ok);
                return 0;
            }
        }
        return 1;
    }

private:
    // Fetches a complete URL and converts the page to Shift_JIS.
    static bool Fetch(std::string_view url, std::string& page) {
        std::string server;
        std::string object;
        if (!ParseUrl(url, server, object) || !FetchPage(server, object, page))
            return false;
        ConvertEucToSjis(page);
        return true;
    }

    bool ReadItemForm(std::string_view itemUrl) {
        std::string page;
        if (!Fetch(itemUrl, page)) {
            ShowFetchFailure("htmlﾌｧｲﾙの取得に失敗しました(090001)");
            return false;
        }
        WriteDumpFile(DUMP_GETDATA, page);
        const std::string form = FormText(page, "<form action=", "</form>");
        long at = CutField(form, "\"", "\"", action_, 0);
        at = CutField(form, "NAME=ItemID VALUE=", ">", itemId_, at);
        at = CutField(form, "itemStyles VALUE=\"", "\"", itemStyles_, at);
        at = CutField(form, "sellerNegative VALUE=", ">", sellerNegative_, at);
        at = CutField(form, "login value=", ">", login_, at);
        at = CutField(form, "cc VALUE=", ">", cc_, at);
        at = CutField(form, "Quantity value=", ">", siteQuantity_, at);
        CutField(form, "bidType\" value=\"", "\"", bidType_, at);
        return true;
    }

    std::string ConfirmationRequest() const {
        return action_ + "ItemID=" + EncodeFormValue(itemId_) +
               "&itemStyles=" + EncodeFormValue(itemStyles_) +
               "&sellerNegative=" + EncodeFormValue(sellerNegative_) + "&login=" + EncodeFormValue(login_) +
               "&cc=" + EncodeFormValue(cc_) + "&Quantity=" + EncodeFormValue(siteQuantity_) +
               "&bidType=" + EncodeFormValue(bidType_) + "&Bid=" + std::to_string(amount_) +
               "&passwd=" + EncodeFormValue(password_);
    }

    std::string BidRequest() const {
        return action_ + "?ItemID=" + EncodeFormValue(itemId_) +
               "&itemStyles=" + EncodeFormValue(itemStyles_) + "&login=" + EncodeFormValue(login_) +
               "&cc=" + EncodeFormValue(cc_) + "&Quantity=" + EncodeFormValue(siteQuantity_) +
               "&bidType=" + EncodeFormValue(bidType_) + "&Bid=" + std::to_string(amount_) +
               "&passwd=" + EncodeFormValue(password_) + "&a=" + EncodeFormValue(a_) +
               "&Partial=" + EncodeFormValue(partial_) + "&comment=";
    }

    bool ReadConfirmation() {
        std::string page;
        if (!Fetch(ConfirmationRequest(), page)) {
            ShowFetchFailure("htmlﾌｧｲﾙの取得に失敗しました(090002)");
            return false;
        }
        WriteDumpFile(DUMP_BIDDATA1, page);
        action_.clear();
        itemId_.clear();
        itemStyles_.clear();
        sellerNegative_.clear();
        login_.clear();
        cc_.clear();
        siteQuantity_.clear();
        bidType_.clear();
        a_.clear();

        const std::string form = FormText(page, "<form action=", "</form>");
        long at = CutField(form, "\"", "\"", action_, 0);
        // The site's form carries its own quantity; the pieces the user asked
        // for travel as Partial.
        partial_ = std::to_string(quantity_);
        at = CutField(form, "itemStyles value=\"", "\"", itemStyles_, at);
        at = CutField(form, "NAME=ItemID VALUE=", ">", itemId_, at);
        at = CutField(form, "login value=\"", "\">", login_, at);
        at = CutField(form, "cc VALUE=", ">", cc_, at);
        at = CutField(form, "Quantity value=", ">", siteQuantity_, at);
        at = CutField(form, "bidType value=", ">", bidType_, at);
        CutField(form, "NAME=a value=\"", "\">", a_, at);

        std::string rawTitle;
        CutField(form, "商品タイトル：</font></TD><TD>", "</font></A></TD></TR>", rawTitle, 0);
        CutField(form, "現在の価格：</font></TD><TD><font color=000000>", "</font>", currentPrice_, 0);
        CutField(form, "あなたの最高入札額：</font></TD><TD nowrap><font color=000000>", " </font>",
                 highestBid_, 0);
        title_.clear();
        StripMarkup(rawTitle, title_, false);
        return true;
    }

    std::string ConfirmMessage() const {
        return Formatted("入札内容を確認し、5分以内に「入札」ﾎﾞﾀﾝを押してください。\n\n %s\n\n"
                         " オークションID    ：%s\n 現在の価格        ：%s\n"
                         " あなたの最高入札額：%s\n 数量              ：%s\n\n",
                         {title_, itemId_, currentPrice_, highestBid_, partial_});
    }

    std::string HighestMessage() const {
        return Formatted("あなたの入札額が現在の最高値です。\n\n %s\n\n オークションID          ：%s\n",
                         {title_, itemId_});
    }

    // The site's figures of a re-bid page, first from its form and else from
    // the whole answer, wherever the site puts its table.
    static void CutFigure(std::string_view form, std::string_view answer, std::string_view start,
                          std::string_view end, std::string& figure) {
        if (CutField(form, start, end, figure, 0) < 0)
            CutField(answer, start, end, figure, 0);
    }

    // Reads the re-bid form and asks for the new amount; true when the user
    // bids again, with the amount, action and "a" of this page.
    bool AskRebid(std::string_view answer) {
        action_.clear();
        a_.clear();
        std::string needed;
        std::string currentBid;
        const std::string form = FormText(answer, "<FORM action=", "</form></td>");
        const long at = CutField(form, "\"", "\" method=GET>", action_, 0);
        CutField(form, "NAME=a value=", ">", a_, at);
        CutFigure(form, answer, "最高入札額にするための額：</font></TD><TD><font color=000000>",
                  " 円</font></TD></TR>", needed);
        CutFigure(form, answer, "あなたの現在の入札額：</font></TD><TD><font color=000000>",
                  "</font></TD></TR>", currentBid);
        const std::string message = Formatted(
            "自動入札であなたの入札価格を上回る入札が行われました。\nこの商品への再入札を行ってください。\n\n"
            " %s\n\n オークションID          ：%s\n 最高入札額にするための額：%s\n"
            " あなたの現在の入札額    ：%s\n 数量                    ：%s\n\n",
            {title_, itemId_, needed, currentBid, partial_});
        std::string amount = OfferedAmount(currentBid);
        for (;;) {
            if (!dialog_.ShowBidPlace(BidPlaceMode::Rebid, message, amount))
                return false;
            std::string refusal;
            if (CheckRebidAmount(amount, amount_, refusal))
                return true;
            ShowMessageBox(refusal, MessageIcon::Exclamation, MessageButtons::Ok);
        }
    }

    int amount_;
    int quantity_;
    std::string password_;
    BidPlaceDialog& dialog_;

    std::string action_;
    std::string itemId_;
    std::string itemStyles_;
    std::string sellerNegative_;
    std::string login_;
    std::string cc_;
    std::string siteQuantity_;
    std::string bidType_;
    std::string a_;
    std::string partial_;
    std::string title_;
    std::string currentPrice_;
    std::string highestBid_;
};

} // namespace

int PlaceBid(std::string_view itemUrl, int amount, int quantity, std::string_view password,
             std::string_view /*comment: the site's bid form has no use for it*/, BidPlaceDialog& dialog) {
    std::string refusal;
    if (!CheckBidNumbers(amount, quantity, refusal)) {
        ShowMessageBox(refusal, MessageIcon::Exclamation, MessageButtons::Ok);
        return 0;
    }
    NetworkOperation operation;
    if (!operation.Started())
        return 0;
    BidExchange exchange(amount, quantity, password, dialog);
    return exchange.Run(itemUrl);
}

} // namespace kelo
