// Page text speed: the EUC-JP conversion against glibc's iconv on the same
// page, and a chain of field searches against one memmem pass over the same
// bytes. The "Against" benchmarks time both sides in turn inside one loop, so
// that the machine's noise hits both alike; their counters carry the ratio.

#include "net/JString.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <iconv.h>
#include <random>
#include <time.h>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "PageServer.h"

namespace kelo {
namespace {


// A results page in EUC-JP of about size bytes: mostly ASCII markup, each row
// with a title of kana and kanji, a price in yen and a time left in days.
std::string MakeEucResultsPage(std::size_t size) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> kanjiRow(0x30, 0x4E);
    std::uniform_int_distribution<int> kanaCell(0x21, 0x73);
    std::uniform_int_distribution<int> anyCell(0x21, 0x7E);
    std::uniform_int_distribution<int> titleLength(8, 30);
    std::uniform_int_distribution<int> number(1, 99999);
    const std::string yen = test::SjisToEucJp("円");
    const std::string days = test::SjisToEucJp("日");
    const std::string heading = test::SjisToEucJp("<html><head><title>検索結果 - Vanto</title></head><body>\n"
                                                  "<table><tr><th>商品名</th><th>現在価格</th><th>入札</th>"
                                                  "<th>残り時間</th></tr>\n");

    std::string page = heading;
    while (page.size() < size) {
        int id = number(random);
        page += "<tr bgcolor=\"#ffffff\"><td><a href=\"http://page3.vanto.test/jp/auction/b" + std::to_string(id) +
                "\">";
        for (int n = titleLength(random); n > 0; --n) {
            bool kana = n % 3 == 0;
            page.push_back(static_cast<char>((kana ? 0x24 : kanjiRow(random)) | 0x80));
            page.push_back(static_cast<char>((kana ? kanaCell(random) : anyCell(random)) | 0x80));
        }
        page += "</a> <img src=\"http://img.vanto.test/new.gif\" width=16 height=16></td>\n";
        page += "<td align=\"right\">" + std::to_string(number(random)) + yen + "</td>\n";
        page += "<td align=\"center\">" + std::to_string(id % 40) + "</td>\n";
        page += "<td>" + std::to_string(id % 7 + 1) + days + "</td></tr>\n";
    }
    page += "</table></body></html>\n";
    return page;
}

const std::string& EucPage() {
    static const std::string page = MakeEucResultsPage(1 << 20);
    return page;
}

const std::string& SjisResultsPage() {
    static const std::string page = [] {
        std::string text = MakeEucResultsPage(50 << 10);
        ConvertEucToSjis(text);
        return text;
    }();
    return page;
}

// iconv's conversion of the same page into a buffer of the same size, which
// suffices because Shift_JIS never needs more bytes than EUC-JP.
class IconvEucToSjis {
public:
    IconvEucToSjis() : cd_(iconv_open("SHIFT_JIS", "EUC-JP")) {}
    ~IconvEucToSjis() {
        if (ready())
            iconv_close(cd_);
    }
    IconvEucToSjis(const IconvEucToSjis&) = delete;
    IconvEucToSjis& operator=(const IconvEucToSjis&) = delete;
    bool ready() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    bool Convert(const std::string& in, std::vector<char>& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        return iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1) && srcLeft == 0;
    }

private:
    iconv_t cd_;
};

// The page is copied before each in-place conversion; the copy is timed too,
// which only counts against the conversion.
void ConvertCopy(const std::string& source, std::string& page) {
    page.assign(source);
    ConvertEucToSjis(page);
    benchmark::DoNotOptimize(page.data());
}

void BM_ConvertEucToSjis(benchmark::State& state) {
    const std::string& source = EucPage();
    std::string page;
    page.reserve(source.size());
    for (auto _ : state)
        ConvertCopy(source, page);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}
BENCHMARK(BM_ConvertEucToSjis);

void BM_IconvEucToSjis(benchmark::State& state) {
    const std::string& source = EucPage();
    IconvEucToSjis iconv;
    std::vector<char> out(source.size());
    if (!iconv.ready() || !iconv.Convert(source, out)) {
        state.SkipWithError("iconv cannot convert the page");
        return;
    }
    for (auto _ : state) {
        iconv.Convert(source, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}
BENCHMARK(BM_IconvEucToSjis);


void BM_ConvertEucToSjisAgainstIconv(benchmark::State& state) {
    const std::string& source = EucPage();
    IconvEucToSjis iconv;
    std::vector<char> out(source.size());
    std::string page;
    page.reserve(source.size());
    ConvertCopy(source, page);
    if (!iconv.ready() || !iconv.Convert(source, out) || std::memcmp(page.data(), out.data(), page.size()) != 0) {
        state.SkipWithError("iconv cannot convert the page or disagrees");
        return;
    }
    double ours = 0;
    double theirs = 0;
    for (auto _ : state) {
        double start = bench::ThreadCpuSeconds();
        ConvertCopy(source, page);
        ours += bench::ThreadCpuSeconds() - start;
        start = bench::ThreadCpuSeconds();
        iconv.Convert(source, out);
        benchmark::DoNotOptimize(out.data());
        theirs += bench::ThreadCpuSeconds() - start;
    }
    const double bytes = static_cast<double>(state.iterations()) * static_cast<double>(source.size());
    state.counters["ours_MiB/s"] = bytes / ours / (1 << 20);
    state.counters["iconv_MiB/s"] = bytes / theirs / (1 << 20);
    state.counters["x_iconv"] = theirs / ours;
}
BENCHMARK(BM_ConvertEucToSjisAgainstIconv);

// The fields of every row, read left to right as the results parser reads
// them, each search starting where the previous one found its value.
std::size_t ReadRows(const std::string& page) {
    std::size_t fields = 0;
    long at = 0;
    while (true) {
        Extracted link = ExtractBetween(page, "<a href=\"", "\">", at);
        if (link.offset < 0)
            break;
        Extracted title = ExtractBetween(page, "\">", "</a>", link.offset);
        Extracted price = ExtractBetween(page, "<td align=\"right\">", "円", title.offset);
        Extracted bids = ExtractBetween(page, "<td align=\"center\">", "</td>", price.offset);
        Extracted left = ExtractBetween(page, "<td>", "日", bids.offset);
        if (left.offset < 0)
            break;
        fields += 5;
        benchmark::DoNotOptimize(title.value.data());
        at = left.offset;
    }
    return fields;
}

// One pass of memmem over the whole page: a marker the page never holds.
void ScanOnce(const std::string& page) {
    static constexpr char ABSENT[] = "<\x01\x02>";
    benchmark::DoNotOptimize(memmem(page.data(), page.size(), ABSENT, sizeof ABSENT - 1));
}

void BM_ExtractBetweenChain(benchmark::State& state) {
    const std::string& page = SjisResultsPage();
    std::size_t fields = 0;
    for (auto _ : state)
        fields = ReadRows(page);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
    state.counters["fields"] = static_cast<double>(fields);
}
BENCHMARK(BM_ExtractBetweenChain);

void BM_MemmemPass(benchmark::State& state) {
    const std::string& page = SjisResultsPage();
    for (auto _ : state)
        ScanOnce(page);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_MemmemPass);

void BM_ExtractBetweenChainAgainstMemmem(benchmark::State& state) {
    const std::string& page = SjisResultsPage();
    double chain = 0;
    double pass = 0;
    for (auto _ : state) {
        double start = bench::ThreadCpuSeconds();
        benchmark::DoNotOptimize(ReadRows(page));
        chain += bench::ThreadCpuSeconds() - start;
        start = bench::ThreadCpuSeconds();
        ScanOnce(page);
        pass += bench::ThreadCpuSeconds() - start;
    }
    const double bytes = static_cast<double>(state.iterations()) * static_cast<double>(page.size());
    state.counters["chain_MiB/s"] = bytes / chain / (1 << 20);
    state.counters["memmem_MiB/s"] = bytes / pass / (1 << 20);
    state.counters["chain_over_memmem"] = chain / pass;
}
BENCHMARK(BM_ExtractBetweenChainAgainstMemmem);

} // namespace
} // namespace kelo
