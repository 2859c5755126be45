#include "listing/ListingLoader.h"

#include "app/MessageBox.h"
#include "app/NetworkOperation.h"
#include "listing/PageLink.h"
#include "listing/ResultsPage.h"
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

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

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
    void HandleRow(const ListingRow& row);
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

    ResultsPage results;
    if (!results.Locate(page, mode_)) {
        ReportFailure(MESSAGE_PARSE_FAILED);
        return PageResult::Failed;
    }

    if (!continuation) {
        ports_.progress.SetTotalItems(results.TotalItems());
        ports_.progress.SetTotalPages(results.TotalPages());
        cacheFile_.reset(std::fopen(MakeCacheFileName().c_str(), "w"));
    } else {
        ports_.progress.StepPage();
    }

    ListingRow row;
    while (!cancelled_ && results.NextRow(row))
        HandleRow(row);
    if (!cancelled_)
        nextUrl = results.NextPageUrl();
    return PageResult::Parsed;
}

void ListingLoader::ReportFailure(const char* message) {
    ShowMessageBox(message, MessageIcon::Exclamation, MessageButtons::AbortRetryIgnore);
    ports_.progress.Close();
}

void ListingLoader::HandleRow(const ListingRow& row) {
    ResultList& list = ports_.list;
    if (!rowHandled_) {
        // The earlier result stays on screen until the new one has its first row.
        list.ReplaceColumn3(BidCountHeading());
        list.ClearListing();
        rowHandled_ = true;
    }
    // Appended, so that the rows stand in the site's order page after page.
    if (!blacklist_.IsBlackTitle(row.title))
        list.AppendRow(row);

    ports_.progress.SetCurrentTitle(row.title);
    ports_.progress.StepItem();
    ports_.pump.PumpOneMessage();
    if (ports_.progress.CancelRequested())
        cancelled_ = true;
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
