#include "listing/SecondaryListLoader.h"

#include "app/MessageBox.h"
#include "app/NetworkOperation.h"
#include "listing/PageLink.h"
#include "net/JString.h"
#include "net/PageFetch.h"
#include "net/SiteRequests.h"
#include "net/TimeLeft.h"
#include "net/WorkingFiles.h"

#include <string>

namespace kelo {
namespace {

constexpr std::string_view STATUS_CONNECTING = "接続中...";
constexpr const char* MESSAGE_FETCH_FAILED = "htmlﾌｧｲﾙの取得に失敗しました(015001)";
constexpr const char* MESSAGE_PARSE_FAILED = "htmlﾌｧｲﾙの解析に失敗しました(015004)";

constexpr std::string_view CELL_START = "<font size=\"2\">";
constexpr std::string_view CELL_END = "</font></td>";
constexpr std::string_view PRICE_UNDISCLOSED = "非公開";
constexpr std::string_view NO_BID_COUNT = "-";

void ReportFailure(const char* message) {
    ShowMessageBox(message, MessageIcon::Exclamation, MessageButtons::AbortRetryIgnore);
}

// The price cell ends in the two-byte yen sign, which the list does not show.
std::string PriceText(const std::string& cell) {
    if (cell == PRICE_UNDISCLOSED)
        return cell;
    return cell.size() < 2 ? std::string() : cell.substr(0, cell.size() - 2);
}

// A count cell that long holds a word, not a number of bids.
std::string BidsText(const std::string& cell) { return cell.size() >= 4 ? std::string(NO_BID_COUNT) : cell; }

class SecondaryListLoader {
public:
    SecondaryListLoader(const ListingPorts& ports, std::string_view path, int startPosition)
        : ports_(ports), path_(path), startPosition_(startPosition) {}

    int Load();

private:
    void LoadRows(std::string_view page, long from);
    std::string ItemUrl(std::string_view link) const;

    const ListingPorts& ports_;
    const std::string path_;
    const int startPosition_;
};

int SecondaryListLoader::Load() {
    ProgressDialog& progress = ports_.progress;
    if (!progress.IsOpen())
        progress.Open();
    ports_.pump.PumpOneMessage();
    progress.SetStatus(STATUS_CONNECTING);

    std::string page;
    if (!FetchPage(SECONDARY_HOST, path_, page)) {
        ReportFailure(MESSAGE_FETCH_FAILED);
        progress.Close();
        return 0;
    }
    if (startPosition_ == 0) {
        ports_.list.ReplaceColumn3(BidCountHeading());
        ports_.list.ClearListing();
    }

    const long category = FindMarker(page, "このカテゴリに出品", 0);
    const long counts = FindMarker(page, "<td width=\"50%\"><font size=\"2\">", category);
    const long countsEnd = FindMarker(page, "）</font></td>", counts);
    if (counts < 0 || countsEnd < 0) {
        ReportFailure(MESSAGE_PARSE_FAILED);
        WriteDumpFile(DUMP_ERR_015004, page);
        progress.Close();
        return 0;
    }
    LoadRows(page, FindMarker(page, "<b>入札数</b>", countsEnd));
    progress.Close();
    return 1;
}

void SecondaryListLoader::LoadRows(std::string_view page, long from) {
    int inserted = 0;
    for (;;) {
        const Extracted row = ExtractBetween(page, "\n\n\n\n<tr ", "</tr>\n", from);
        if (row.offset < 0)
            break;
        // Each field is searched from the previous field's start, on the whole page.
        const Extracted link = ExtractBetween(page, "<font size=\"2\"><a href=\"", "\"", row.offset);
        const Extracted title = ExtractBetween(page, ">", "</a>", link.offset);
        const Extracted price = ExtractBetween(page, CELL_START, CELL_END, title.offset);
        const Extracted endTime = ExtractBetween(page, CELL_START, CELL_END, price.offset);
        const Extracted bids = ExtractBetween(page, CELL_START, CELL_END, endTime.offset);
        from = bids.offset;

        // No end time is no time left, rather than a span from a date that never was.
        const std::string timeLeft = endTime.value.empty() ? std::string() : FormatTimeLeft(endTime.value);
        InsertListingRow(ports_.list, ROW_ICON_SECONDARY, startPosition_ + inserted, title.value,
                         PriceText(price.value), BidsText(bids.value), timeLeft, ItemUrl(link.value));
        ++inserted;

        ports_.pump.PumpOneMessage();
        if (ports_.progress.CancelRequested())
            break;
    }
}

// Row URLs are always absolute, whatever form the page gave the link in.
std::string SecondaryListLoader::ItemUrl(std::string_view link) const {
    if (link.find("://") != std::string_view::npos)
        return std::string(link);
    if (link.empty())
        return std::string("http://") + SECONDARY_HOST;
    return std::string("http://") + SECONDARY_HOST + ResolveRelativeObject(link, path_);
}

} // namespace

int LoadSecondaryList(const ListingPorts& ports, std::string_view path, int startPosition) {
    NetworkOperation operation;
    if (!operation.Started())
        return 0;
    SecondaryListLoader loader(ports, path, startPosition);
    return loader.Load();
}

} // namespace kelo
