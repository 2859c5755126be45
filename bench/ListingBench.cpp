// Listing speed: reading one 50-row results page (conversion, table, rows,
// counts and next link) against one memmem pass over the same bytes, and the
// client's CPU time per page of a 20-page keyword listing served by sitesim
// in this process. Both sides are timed on this thread's CPU
// clock, so that other processes on a shared machine do not count.

#include "app/MessagePump.h"
#include "collections/Blacklist.h"
#include "listing/ListingLoader.h"
#include "listing/MemoryResultList.h"
#include "listing/ProgressDialog.h"
#include "listing/ResultsPage.h"
#include "net/JString.h"
#include "net/PageFetch.h"
#include "net/SiteRequests.h"
#include "net/WorkingFiles.h"
#include "SiteServer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <time.h>
#include <unistd.h>

#include "BenchSupport.h"
#include "PageServer.h"
#include "QuietPorts.h"

namespace kelo {
namespace {

using bench::ThreadCpuSeconds;

constexpr int ROWS_PER_PAGE = 50;
constexpr int PAGES = 20;
constexpr const char* SEARCH_OBJECT = "/search/auc?alocale=0jp&acc=jp&p=bench";



std::string PageObject(int page) {
    return page == 0 ? SEARCH_OBJECT : std::string(SEARCH_OBJECT) + "&b=" + std::to_string(page * ROWS_PER_PAGE + 1);
}

// A results page of 50 rows laid out as the site does, in EUC-JP.
std::string MakeResultsPage(int page) {
    static const char* const TITLES[] = {"腕時計 ステンレス 限定モデル", "カメラ レンズ 望遠 美品",
                                         "漫画 全巻セット 初版", "ギター エレキ ケース付き"};
    std::string text = "<html><head><title>検索結果</title></head><body>\n"
                       "<table width=100%><tr><td><font size=-1><b>" + std::to_string(PAGES) +
                       "</b>ページ中<b>" + std::to_string(page + 1) +
                       "</b></font></td><td align=right><font size=-1>（出品合計：1,000点）</font></td></tr></table>\n"
                       "<table border=0 cellspacing=1 cellpadding=2 width=100%>\n"
                       "<tr bgcolor=#ccccff><td><b>商品名</b></td><td><b>現在価格</b></td><td><b>入札</b></td>"
                       "<td><nobr>残り時間</nobr></td></tr>\n";
    for (int row = 0; row < ROWS_PER_PAGE; ++row) {
        const int id = page * ROWS_PER_PAGE + row;
        text += "<tr bgcolor=#ffffff><td><img src=\"http://img.vanto.test/i/" + std::to_string(id) +
                ".gif\" width=16 height=16 ALT=\"画像あり\"> <a href=\"http://page" + std::to_string(id % 10) +
                ".vanto.test/jp/auction/b" + std::to_string(100000 + id) + "\">" + TITLES[id % 4] + " No." +
                std::to_string(id) + "</a>" + (id % 3 == 0 ? " <img src=\"/n.gif\" ALT=\"[new]\">" : "") +
                (id % 7 == 0 ? " <img src=\"/f.gif\" alt=\"注目\">" : "") +
                "</td>\n<td align=right><b>" + std::to_string(1 + id % 90) + "," + std::to_string(100 + id % 900) +
                " 円</b></td>\n" + (id % 2 == 0 ? "<td align=center><b>" + std::to_string(id % 40) + "</b></td>"
                                                 : "<td align=center>0</td>") +
                "\n<td align=right><font size=-1>" + std::to_string(1 + id % 6) + "日</font></td></tr>\n";
    }
    text += "</table>\n<p align=center>";
    text += page == 0 ? std::string("前の50件") : "<a href=\"" + PageObject(page - 1) + "\">前の50件</a>";
    text += " | ";
    text += page + 1 == PAGES ? std::string("次の50件") : "<a href=\"" + PageObject(page + 1) + "\">次の50件</a>";
    text += "</p></body></html>\n";
    return test::SjisToEucJp(text);
}

// What the loader does with one page once it has it.
int ParsePage(const std::string& euc, std::string& page) {
    page.assign(euc);
    ConvertEucToSjis(page);
    ResultsPage results;
    if (!results.Locate(page, LISTING_SEARCH))
        return -1;
    benchmark::DoNotOptimize(results.TotalItems() + results.TotalPages());
    ListingRow row;
    int rows = 0;
    while (results.NextRow(row)) {
        benchmark::DoNotOptimize(row.title.data());
        ++rows;
    }
    benchmark::DoNotOptimize(results.NextPageUrl());
    return rows;
}

void ScanOnce(const std::string& bytes) {
    static constexpr char ABSENT[] = "<\x01\x02>";
    benchmark::DoNotOptimize(memmem(bytes.data(), bytes.size(), ABSENT, sizeof ABSENT - 1));
}

void BM_ResultsPageAgainstMemmem(benchmark::State& state) {
    const std::string euc = MakeResultsPage(1);
    std::string page;
    if (ParsePage(euc, page) != ROWS_PER_PAGE) {
        state.SkipWithError("the bench page does not parse into 50 rows");
        return;
    }
    double parse = 0;
    double pass = 0;
    for (auto _ : state) {
        double start = ThreadCpuSeconds();
        benchmark::DoNotOptimize(ParsePage(euc, page));
        parse += ThreadCpuSeconds() - start;
        start = ThreadCpuSeconds();
        ScanOnce(euc);
        pass += ThreadCpuSeconds() - start;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["page_bytes"] = static_cast<double>(euc.size());
    state.counters["parse_us"] = parse / iterations * 1e6;
    state.counters["memmem_us"] = pass / iterations * 1e6;
    state.counters["parse_over_memmem"] = parse / pass;
}
BENCHMARK(BM_ResultsPageAgainstMemmem);

// A scratch working folder for the dump and cache files, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() : previous_(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelo-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            return;
        path_ = pattern;
        std::filesystem::current_path(path_);
        SetProgramPathForTests(path_ + "/kelo");
    }
    ~ScratchFolder() {
        SetProgramPathForTests("");
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    bool ready() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::string path_;
};

// sitesim in this process, with every fetch of the object's lifetime sent
// there and the client's files kept in a scratch folder. Its catalogue is
// sized so that the keyword below finds exactly 20 pages of results.
class BenchSite {
public:
    BenchSite() : site_(Options()), saved_(CurrentFetchTuning()) {
        std::string error;
        if (!site_.Start(0, error))
            return;
        FetchTuning tuning;
        tuning.connectTimeoutSeconds = 5;
        tuning.stallSeconds = 10;
        tuning.connectToPort = "127.0.0.1:" + std::to_string(site_.Port());
        tuning.cookieFile = scratch_.path() + "/cookies.txt";
        SetFetchTuning(tuning);
        started_ = true;
    }
    ~BenchSite() {
        SetFetchTuning(saved_);
        site_.Stop();
    }
    bool ready() const { return started_ && scratch_.ready(); }
    static std::string SearchUrl() { return KeywordSearchUrl(EncodeKeyword(KEYWORD)); }

private:
    // Every title carries one of 25 listing-number tags, so this keyword
    // matches one auction in 25.
    static constexpr const char* KEYWORD = "管理00番";
    static sitesim::SiteOptions Options() {
        sitesim::SiteOptions options;
        options.seed = 7;
        options.items = PAGES * ROWS_PER_PAGE * 25;
        return options;
    }

    sitesim::SiteServer site_;
    ScratchFolder scratch_;
    FetchTuning saved_;
    bool started_ = false;
};

void BM_KeywordListingClientCpuPerPage(benchmark::State& state) {
    BenchSite site;
    if (!site.ready()) {
        state.SkipWithError("sitesim did not start, or no scratch folder");
        return;
    }
    MemoryResultList list;
    test::QuietProgress progress;
    test::NoMessages pump;
    Blacklist blacklist;
    const ListingPorts ports{list, progress, pump};
    const std::string url = BenchSite::SearchUrl();
    double cpu = 0;
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        const int loaded = LoadListingPages(ports, blacklist, url, LISTING_SEARCH);
        cpu += ThreadCpuSeconds() - start;
        if (loaded != 1 || list.RowCount() != PAGES * ROWS_PER_PAGE) {
            state.SkipWithError("the listing did not load every row");
            break;
        }
    }
    state.counters["client_cpu_ms_per_page"] = cpu / static_cast<double>(state.iterations()) / PAGES * 1e3;
}
BENCHMARK(BM_KeywordListingClientCpuPerPage)->Unit(benchmark::kMillisecond);

// Twenty fetches of the first results page alone: how much of a page's time
// is the HTTP exchange rather than the listing.
void BM_FetchOnlyClientCpuPerPage(benchmark::State& state) {
    BenchSite site;
    if (!site.ready()) {
        state.SkipWithError("sitesim did not start, or no scratch folder");
        return;
    }
    std::string server, object;
    ParseUrl(BenchSite::SearchUrl(), server, object);
    double cpu = 0;
    std::string page;
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        bool fetched = true;
        for (int n = 0; n < PAGES; ++n)
            fetched = FetchPage(server, object, page) && fetched;
        cpu += ThreadCpuSeconds() - start;
        if (!fetched) {
            state.SkipWithError("a page could not be fetched");
            break;
        }
    }
    state.counters["client_cpu_ms_per_page"] = cpu / static_cast<double>(state.iterations()) / PAGES * 1e3;
}
BENCHMARK(BM_FetchOnlyClientCpuPerPage)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kelo
