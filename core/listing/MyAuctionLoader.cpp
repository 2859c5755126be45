#include "listing/MyAuctionLoader.h"

#include "app/MessageBox.h"
#include "app/NetworkOperation.h"
#include "listing/RowCut.h"
#include "net/JString.h"
#include "net/PageFetch.h"
#include "net/SiteRequests.h"
#include "net/WorkingFiles.h"

#include <string>

namespace kelo {
namespace {

constexpr const char* MESSAGE_FETCH_FAILED = "htmlﾌｧｲﾙの取得に失敗しました(011002)";
constexpr const char* MESSAGE_PAGE_EMPTY = "htmlﾌｧｲﾙが異常です(011003)";
constexpr const char* MESSAGE_PARSE_FAILED = "htmlﾌｧｲﾙの解析に失敗しました(011004)";
constexpr std::string_view ENDED = "終了";

// The heading rows of the lists end in their last heading cell: the time left
// on the watch lists, the operations on the bidding and won lists.
std::string_view TableStart(int list) {
    return list <= MY_AUCTION_WATCH_ENDED ? "残り時間</font></nobr></b></td></tr>"
                                          : "操作</font></nobr></b></td></tr>";
}

void ReportFailure(const char* message) {
    ShowMessageBox(message, MessageIcon::Exclamation, MessageButtons::AbortRetryIgnore);
}

// One status list being read; its buffers are its own, whatever the pump runs.
class MyAuctionLoader {
public:
    MyAuctionLoader(const ListingPorts& ports, int list) : ports_(ports), list_(list) {}

    int Load();

private:
    void HandleRow(std::string_view row);

    const ListingPorts& ports_;
    const int list_;
};

int MyAuctionLoader::Load() {
    // Emptied before the request, so a failed one leaves no stale rows.
    ports_.list.ClearListing();
    ports_.list.ReplaceColumn3(HighestBidderHeading());

    std::string page;
    if (!FetchPage(PRIMARY_USER_HOST, MyStatusObject(list_), page)) {
        ReportFailure(MESSAGE_FETCH_FAILED);
        return 0;
    }
    WriteDumpFile(DUMP_GETDATA, page);
    if (page.empty()) {
        ReportFailure(MESSAGE_PAGE_EMPTY);
        return 0;
    }
    ConvertEucToSjis(page);

    const long start = FindMarker(page, TableStart(list_), 0);
    const long end = start < 0 ? -1 : FindMarker(page, "</table>", start);
    if (end < 0) {
        ReportFailure(MESSAGE_PARSE_FAILED);
        return 0;
    }
    const std::string_view table =
        std::string_view(page).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));

    std::string row;
    for (long from = 0;;) {
        row.clear();
        from = CutBetween(table, "<tr", "</tr>", row, from);
        if (from < 0)
            break;
        HandleRow(row);
    }
    return 1;
}

void MyAuctionLoader::HandleRow(std::string_view row) {
    std::string link, title, price, centreCell, rightCell;
    long at = CutBetween(row, "href=\"", "\">", link, 0);
    if (link.empty())
        return; // separator rows take no row number
    at = CutBetween(row, "\">", "</a>", title, at);
    at = CutBetween(row, "<b>", " 円</b></td>", price, at);
    at = CutBetween(row, "align=center>", "</td>", centreCell, at);
    CutBetween(row, "align=right>", "</td>", rightCell, at);

    std::string highestBidder, timeLeft;
    StripMarkup(centreCell, highestBidder, false);
    if (list_ == MY_AUCTION_WON)
        timeLeft = ENDED;
    else
        StripMarkup(rightCell, timeLeft, false);

    ResultList& list = ports_.list;
    InsertListingRow(list, ROW_ICON_PRIMARY, list.RowCount(), title, price, highestBidder, timeLeft, link);
    ports_.pump.PumpOneMessage();
}

} // namespace

int LoadMyAuctionList(const ListingPorts& ports, int list) {
    if (list < MY_AUCTION_WATCH_RUNNING || list > MY_AUCTION_WON)
        return 0;
    NetworkOperation operation;
    if (!operation.Started())
        return 0;
    MyAuctionLoader loader(ports, list);
    return loader.Load();
}

} // namespace kelo
