#include "listing/ListingLoader.h"

#include "app/MessageBox.h"
#include "app/NetworkOperation.h"
#include "app/SettingsTable.h"
#include "listing/PageLink.h"
#include "listing/RowCut.h"
#include "net/JString.h"
#include "net/PageFetch.h"
#include "net/SiteRequests.h"
#include "net/WorkingFiles.h"

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <utility>

namespace kelo {
namespace {

constexpr std::string_view STATUS_CONNECTING = "接続中...";
constexpr const char* MESSAGE_FETCH_FAILED = "htmlﾌｧｲﾙの取得に失敗しました(010002)";
constexpr const char* MESSAGE_PAGE_EMPTY = "htmlﾌｧｲﾙが異常です(010003)";
constexpr const char* MESSAGE_PARSE_FAILED = "htmlﾌｧｲﾙの解析に失敗しました(010004)";

constexpr std::string_view SEARCH_TABLE_START = "<nobr>残り時間</nobr>";
constexpr std::string_view CATEGORY_TABLE_START = "<b>すべてのオークション</b>";
constexpr std::string_view TABLE_END = "</table>";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The site writes its counts with thousands commas; the dialog wants the number.
int CountFromText(std::string_view text) {
    std::string digits;
    for (char c : text)
        if (c != ',')
            digits.push_back(c);
    return LeadingNumber(digits);
}

// One listing, from its first page to the end of its next-50 chain. Everything
// a page needs lives here, so a command dispatched by the pump between rows
// cannot touch a paused listing's state.
class ListingLoader {
public:
    ListingLoader(const ListingPorts& ports, const Blacklist& blacklist, ListingMode mode)
        : ports_(ports), blacklist_(blacklist), mode_(mode) {}

    int Load(std::string_view url);

private:
    enum class PageResult { Failed, Parsed };

    void Locate(std::string_view url, bool continuation, std::string& server, std::string& object) const;
    PageResult LoadPage(const std::string& server, const std::string& object, bool continuation,
                        std::string& nextUrl);
    void ReportFailure(const char* message);
    void ReadTotals(std::string_view page);
    void LoadRows(std::string_view table);
    void HandleRow(std::string_view row);
    std::string FindNextPageUrl(std::string_view page) const;
    const char* DefaultServer() const;

    const ListingPorts& ports_;
    const Blacklist& blacklist_;
    const ListingMode mode_;
    std::unique_ptr<std::FILE, FileCloser> cacheFile_;
    std::string currentObject_;
    bool rowHandled_ = false;
    bool cancelled_ = false;
};

int ListingLoader::Load(std::string_view url) {
    // A page that links back to one already read would keep the chain going forever.
    std::set<std::pair<std::string, std::string>> visited;
    std::string server, object;
    Locate(url, false, server, object);
    for (bool continuation = false;; continuation = true) {
        visited.emplace(server, object);
        std::string nextUrl;
        if (LoadPage(server, object, continuation, nextUrl) == PageResult::Failed)
            return continuation ? 1 : 0;
        if (cancelled_ || nextUrl.empty())
            break;
        Locate(nextUrl, true, server, object);
        if (visited.count({server, object}) != 0)
            break;
    }
    ports_.progress.Close();
    cacheFile_.reset();
    return 1;
}

// An absolute URL goes to its own host, anything else to the mode's host; a
// link relative to its page's folder is taken as a browser would take it.
void ListingLoader::Locate(std::string_view url, bool continuation, std::string& server,
                           std::string& object) const {
    if (ParseUrl(url, server, object))
        return;
    server = DefaultServer();
    object = ResolveRelativeObject(url, continuation ? std::string_view(currentObject_) : "/");
}

ListingLoader::PageResult ListingLoader::LoadPage(const std::string& server, const std::string& object,
                                                  bool continuation, std::string& nextUrl) {
    if (!ports_.progress.IsOpen())
        ports_.progress.Open();
    ports_.progress.SetStatus(STATUS_CONNECTING);
    currentObject_ = object;

    std::string page;
    if (!FetchPage(server, object, page)) {
        ReportFailure(MESSAGE_FETCH_FAILED);
        return PageResult::Failed;
    }
    WriteDumpFile(DUMP_GETDATA, page);
    if (page.empty()) {
        ReportFailure(MESSAGE_PAGE_EMPTY);
        WriteDumpFile(DUMP_ERR_010003, page);
        return PageResult::Failed;
    }
    ConvertEucToSjis(page);

    const std::string_view tableStart = mode_ == LISTING_SEARCH ? SEARCH_TABLE_START : CATEGORY_TABLE_START;
    const long start = FindMarker(page, tableStart, 0);
    const long end = start < 0 ? -1 : FindMarker(page, TABLE_END, start);
    if (end < 0) {
        ReportFailure(MESSAGE_PARSE_FAILED);
        return PageResult::Failed;
    }

    if (!continuation) {
        ReadTotals(page);
        cacheFile_.reset(std::fopen(MakeCacheFileName().c_str(), "w"));
    } else {
        ports_.progress.StepPage();
    }

    const std::string_view text(page);
    LoadRows(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
    if (!cancelled_)
        nextUrl = FindNextPageUrl(text);
    return PageResult::Parsed;
}

void ListingLoader::ReportFailure(const char* message) {
    ShowMessageBox(message, MessageIcon::Exclamation, MessageButtons::AbortRetryIgnore);
    ports_.progress.Close();
}

void ListingLoader::ReadTotals(std::string_view page) {
    const Extracted pages = ExtractBetween(page, "<tr><td><font size=-1><b>", "</b>ページ中<b>", 0);
    const Extracted items = ExtractBetween(page, "（出品合計：", "点）</font>", 0);
    ports_.progress.SetTotalItems(CountFromText(items.value));
    ports_.progress.SetTotalPages(CountFromText(pages.value));
}

void ListingLoader::LoadRows(std::string_view table) {
    std::string row;
    for (long from = 0; !cancelled_;) {
        row.clear();
        from = CutBetween(table, "<tr", "</tr>", row, from);
        if (from < 0)
            break;
        HandleRow(row);
    }
}

void ListingLoader::HandleRow(std::string_view row) {
    std::string link, title, price, bidsCell, timeCell;
    long at = CutBetween(row, "href=\"", "\">", link, 0);
    if (link.empty())
        return; // heading and spacer rows carry no auction
    at = CutBetween(row, "\">", "</a>", title, at);

    unsigned flags = ROW_ICON_PRIMARY;
    if (FindMarker(row, "ALT=\"[new]\"", 0) >= 0)
        flags |= ROW_FLAG_NEW;
    if (FindMarker(row, "ALT=\"画像あり\"", 0) >= 0)
        flags |= ROW_FLAG_PICTURE;
    if (FindMarker(row, "alt=\"エスクロー\"", 0) >= 0)
        flags |= ROW_FLAG_ESCROW;
    if (FindMarker(row, "alt=\"注目\"", 0) >= 0)
        flags |= ROW_FLAG_FEATURED;

    at = CutBetween(row, "align=right><b>", " 円</b></td>", price, at);
    // The bid count is bold when there are bids, a plain centred cell otherwise.
    long bidsEnd = CutBetween(row, "<b>", "</b>", bidsCell, at);
    if (bidsEnd < 0)
        bidsEnd = CutBetween(row, "align=center>", "</td>", bidsCell, at);
    CutBetween(row, "align=right>", "</td>", timeCell, bidsEnd);

    std::string bids, timeLeft;
    StripMarkup(bidsCell, bids, false);
    StripMarkup(timeCell, timeLeft, false);

    ResultList& list = ports_.list;
    if (!rowHandled_) {
        // The earlier result stays on screen until the new one has its first row.
        list.ReplaceColumn3(BidCountHeading());
        list.ClearListing();
        rowHandled_ = true;
    }
    // Appended, so that the rows stand in the site's order page after page.
    if (!blacklist_.IsBlackTitle(title))
        InsertListingRow(list, flags, list.RowCount(), title, price, bids, timeLeft, link);

    ports_.progress.SetCurrentTitle(title);
    ports_.progress.StepItem();
    ports_.pump.PumpOneMessage();
    if (ports_.progress.CancelRequested())
        cancelled_ = true;
}

std::string ListingLoader::FindNextPageUrl(std::string_view page) const {
    const Extracted between = ExtractBetween(page, "前の50件", "次の50件", 0);
    if (between.offset < 0)
        return {};
    const Extracted link = ExtractBetween(between.value, "<a href=\"", "\">", 0);
    return DecodeLinkAmpersands(link.value);
}

const char* ListingLoader::DefaultServer() const {
    return mode_ == LISTING_SEARCH ? PRIMARY_SEARCH_HOST : PRIMARY_LIST_HOST;
}

} // namespace

int LoadListingPages(const ListingPorts& ports, const Blacklist& blacklist, std::string_view url,
                     ListingMode mode) {
    NetworkOperation operation;
    if (!operation.Started())
        return 0;
    ListingLoader loader(ports, blacklist, mode);
    return loader.Load(url);
}

} // namespace kelo
