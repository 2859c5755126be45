#include "VantoSite.h"

#include "BidRules.h"
#include "Formats.h"
#include "TextCodec.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace sitesim {

namespace {

// The digit after "page" or "edit" in a numbered host: 0 for the plain
// host, 1-9 for the numbered ones, -1 when the host is not of that family.
int HostNumber(const std::string& host, const std::string& prefix)
{
    const std::string suffix = ".vanto.test";
    if (host.size() < prefix.size() + suffix.size() || host.compare(0, prefix.size(), prefix) != 0
        || host.compare(host.size() - suffix.size(), suffix.size(), suffix) != 0)
        return -1;
    std::string middle = host.substr(prefix.size(), host.size() - prefix.size() - suffix.size());
    if (middle.empty())
        return 0;
    if (middle.size() == 1 && middle[0] >= '1' && middle[0] <= '9')
        return middle[0] - '0';
    return -1;
}

std::vector<const Category*> TrailOf(const std::vector<Category>& tree, int index)
{
    std::vector<const Category*> trail;
    for (int at = index; at >= 0; at = tree[static_cast<size_t>(at)].parent)
        trail.insert(trail.begin(), &tree[static_cast<size_t>(at)]);
    return trail;
}

bool Contains(const std::vector<int>& list, int value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

Page VantoSite::NotFound()
{
    Page page = VantoPages::Error("お探しのページは見つかりませんでした。", {});
    page.status = 404;
    return page;
}

std::string VantoSite::Decoded(const SiteRequest& request, const std::string& name)
{
    return TextCodec::FormDecode(request.Raw(name));
}

bool VantoSite::ParseAmount(const std::string& text, long& amount)
{
    std::string digits;
    for (char c : text)
        if (c != ',')
            digits += c;
    if (digits.empty() || digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    amount = std::atol(digits.c_str());
    return amount > 0;
}

std::optional<Page> VantoSite::Handle(const SiteRequest& request, std::time_t now)
{
    const std::string member = sessions_.MemberOf(request.cookie);
    const std::string& host = request.host;
    if (host == "search.vanto.test")
        return request.path == "/search/auc" ? Search(request, member, now) : NotFound();
    if (host == "list.vanto.test" || host == "www.vanto.test") {
        if (request.path == "/") {
            std::lock_guard lock(house_.Mutex());
            return VantoPages::CategoryIndex(house_.Current().VantoCategories(), member);
        }
        return CategoryList(request, member, now);
    }
    if (host == "user.vanto.test")
        return request.path == "/jp/show/mystatus" ? MyStatusList(request, member, now) : NotFound();
    if (host == "login.vanto.test")
        return Login(request, member);
    if (int number = HostNumber(host, "page"); number >= 0)
        return ItemHost(request, number, member, now);
    if (int number = HostNumber(host, "edit"); number >= 0)
        return request.path == "/jp/config/remember" ? Remember(request, number, member) : NotFound();
    return std::nullopt;
}

ListingSlice VantoSite::Slice(const Catalogue& catalogue, const std::vector<int>& found, int firstWanted,
                              const std::string& linkBase)
{
    const int size = VantoPages::PAGE_SIZE;
    ListingSlice slice;
    slice.total = static_cast<int>(found.size());
    slice.pageCount = std::max(1, (slice.total + size - 1) / size);
    slice.pageNumber = std::clamp((std::max(1, firstWanted) - 1) / size + 1, 1, slice.pageCount);
    slice.first = (slice.pageNumber - 1) * size + 1;
    for (int i = slice.first - 1; i < std::min(slice.total, slice.first - 1 + size); ++i)
        slice.rows.push_back(&catalogue.Items()[static_cast<size_t>(found[static_cast<size_t>(i)])]);
    if (slice.pageNumber > 1)
        slice.previousUrl = linkBase + std::to_string(slice.first - size);
    if (slice.pageNumber < slice.pageCount)
        slice.nextUrl = linkBase + std::to_string(slice.first + size);
    return slice;
}

Page VantoSite::Search(const SiteRequest& request, const std::string& member, std::time_t now)
{
    // The query comes as a form of these EUC-JP pages sends it.
    const std::string euc = Decoded(request, "p");
    std::string keyword;
    bool readable = TextCodec::EucJpToUtf8(euc, keyword);
    int first = request.Has("b") ? std::atoi(request.Raw("b").c_str()) : 1;
    std::lock_guard lock(house_.Mutex());
    const Catalogue& catalogue = house_.Current();
    std::vector<int> found;
    if (readable)
        found = catalogue.Search(keyword, now);
    ListingSlice slice = Slice(catalogue, found, first,
                               "http://search.vanto.test/search/auc?p=" + TextCodec::FormEncode(euc) + "&b=");
    return VantoPages::SearchResults(readable ? keyword : std::string(), slice, member, now);
}

Page VantoSite::CategoryList(const SiteRequest& request, const std::string& member, std::time_t now)
{
    const std::string prefix = "/jp/list/";
    const std::string suffix = "-category.html";
    const std::string& path = request.path;
    if (path.size() <= prefix.size() + suffix.size() || path.compare(0, prefix.size(), prefix) != 0
        || path.compare(path.size() - suffix.size(), suffix.size(), suffix) != 0)
        return NotFound();
    std::string number = path.substr(prefix.size(), path.size() - prefix.size() - suffix.size());
    if (number.find_first_not_of("0123456789") != std::string::npos)
        return NotFound();
    std::lock_guard lock(house_.Mutex());
    const Catalogue& catalogue = house_.Current();
    int index = catalogue.FindVantoCategory(std::atol(number.c_str()));
    if (index < 0)
        return NotFound();
    const auto& tree = catalogue.VantoCategories();
    std::vector<const Category*> children;
    for (int child : tree[static_cast<size_t>(index)].children)
        children.push_back(&tree[static_cast<size_t>(child)]);
    int first = request.Has("b") ? std::atoi(request.Raw("b").c_str()) : 1;
    ListingSlice slice = Slice(catalogue, catalogue.InCategory(index, now), first, path + "?b=");
    return VantoPages::CategoryListing(TrailOf(tree, index), children, slice, member, now);
}

Page VantoSite::MyStatusList(const SiteRequest& request, const std::string& member, std::time_t now)
{
    if (member.empty())
        return VantoPages::SignIn(false, member);
    const std::string select = request.Raw("select");
    MyList list = MyList::WatchRunning;
    if (select == "bidding")
        list = MyList::Bidding;
    else if (select == "won")
        list = MyList::Won;
    else if (request.Raw("watchclosed") == "1" || request.Raw("s1") == "end")
        list = MyList::WatchEnded;

    std::lock_guard lock(house_.Mutex());
    const Catalogue& catalogue = house_.Current();
    std::vector<const AuctionItem*> rows;
    const std::vector<int>& source = (list == MyList::WatchRunning || list == MyList::WatchEnded) ? catalogue.WatchList()
                                                                                                   : catalogue.BidOn();
    for (int index : source) {
        const AuctionItem& item = catalogue.Items()[static_cast<size_t>(index)];
        bool ended = item.HasEnded(now);
        bool wanted = false;
        switch (list) {
        case MyList::WatchRunning: wanted = !ended; break;
        case MyList::WatchEnded: wanted = ended; break;
        case MyList::Bidding: wanted = !ended; break;
        case MyList::Won: wanted = ended && item.highBidder == member; break;
        }
        if (wanted)
            rows.push_back(&item);
    }
    return VantoPages::MyStatus(list, rows, member, now);
}

Page VantoSite::ItemHost(const SiteRequest& request, int host, const std::string& member, std::time_t now)
{
    std::string id;
    const std::string auctionPrefix = "/jp/auction/";
    const std::string& path = request.path;
    if (path.compare(0, auctionPrefix.size(), auctionPrefix) == 0) {
        id = path.substr(auctionPrefix.size());
        if (!id.empty() && id.back() == '/')
            id.pop_back();
    } else {
        id = Decoded(request, path == "/jp/show/bid_hist" || path == "/jp/show/qanda" ? "aID" : "ItemID");
    }

    std::unique_lock lock(house_.Mutex());
    Catalogue& catalogue = house_.Current();
    int index = catalogue.FindItem(id);
    // An auction lives on one page host; the others do not know it.
    if (index < 0 || catalogue.Items()[static_cast<size_t>(index)].host != host)
        return NotFound();
    const AuctionItem& item = catalogue.Items()[static_cast<size_t>(index)];
    if (path.compare(0, auctionPrefix.size(), auctionPrefix) == 0)
        return VantoPages::Item(item, TrailOf(catalogue.VantoCategories(), item.category), member, now);
    if (path == "/jp/show/bid_hist")
        return VantoPages::BidHistory(item, member, now);
    if (path == "/jp/show/qanda")
        return VantoPages::Questions(item, member);
    if (path == "/jp/show/bid_preview")
        return BidPreview(request, index, member, now);
    if (path == "/jp/config/placebid" || path.compare(0, 21, "/jp/config/placebid/r") == 0)
        return PlaceBid(request, index, member, now);
    return NotFound();
}

// The site's own error page for a bid amount it cannot take, or nothing
// with the amount read.
std::optional<Page> VantoSite::RefuseAmount(const SiteRequest& request, const AuctionItem& item,
                                            const std::string& member, long& amount)
{
    if (!ParseAmount(Decoded(request, "Bid"), amount))
        return VantoPages::Error("入札金額を正しく入力してください。", member);
    const long minimum = BidRules::MinimumBid(item);
    if (amount < minimum)
        return VantoPages::Error("入札金額が最低入札額（" + Formats::Yen(minimum) + " 円）に達していません。", member);
    return std::nullopt;
}

// Called with the house locked.
Page VantoSite::BidPreview(const SiteRequest& request, int itemIndex, const std::string& member, std::time_t now)
{
    if (member.empty())
        return VantoPages::SignIn(false, member);
    const AuctionItem& item = house_.Current().Items()[static_cast<size_t>(itemIndex)];
    if (item.HasEnded(now))
        return VantoPages::Error("このオークションは終了しています。", member);
    std::string login;
    if (!TextCodec::EucJpToUtf8(Decoded(request, "login"), login) || login != member)
        return VantoPages::Error("ログイン中のIDと入札者のIDが一致しません。", member);
    long amount = 0;
    if (std::optional<Page> refusal = RefuseAmount(request, item, member, amount))
        return *refusal;
    int quantity = request.Has("Partial") ? std::atoi(Decoded(request, "Partial").c_str()) : 1;
    return VantoPages::BidConfirm(item, amount, std::max(1, quantity), member, sessions_.IssueToken(item.id));
}

// Called with the house locked.
Page VantoSite::PlaceBid(const SiteRequest& request, int itemIndex, const std::string& member, std::time_t now)
{
    if (member.empty())
        return VantoPages::SignIn(false, member);
    Catalogue& catalogue = house_.Current();
    AuctionItem& item = catalogue.Items()[static_cast<size_t>(itemIndex)];
    if (!sessions_.CheckPassword(Decoded(request, "passwd")))
        return VantoPages::Error("パスワードが正しくありません。", member);
    if (!sessions_.SpendToken(item.id, Decoded(request, "a")))
        return VantoPages::Error("この入札は無効です。有効期限が切れたか、すでに処理されています。"
                                 "商品ページからもう一度入札してください。",
                                 member);
    if (item.HasEnded(now))
        return VantoPages::Error("このオークションは終了しています。", member);
    long amount = 0;
    if (std::optional<Page> refusal = RefuseAmount(request, item, member, amount))
        return *refusal;
    int quantity = request.Has("Partial") ? std::atoi(Decoded(request, "Partial").c_str()) : 1;
    if (quantity < 1 || quantity > item.quantity)
        return VantoPages::Error("数量は1から" + std::to_string(item.quantity) + "までで指定してください。", member);

    BidRules::Outcome outcome = BidRules::Apply(item, member, amount, now);
    if (outcome == BidRules::Outcome::Refused)
        return VantoPages::Error("現在のあなたの最高入札額より高い金額を入力してください。", member);
    if (!Contains(catalogue.BidOn(), itemIndex))
        catalogue.BidOn().push_back(itemIndex);
    if (outcome == BidRules::Outcome::Leading)
        return VantoPages::Highest(item, amount, member);

    // Each re-bid round gets its own address and its own token.
    int round = 2;
    const std::string roundPrefix = "/jp/config/placebid/r";
    if (request.path.compare(0, roundPrefix.size(), roundPrefix) == 0)
        round = std::atoi(request.path.substr(roundPrefix.size()).c_str()) + 1;
    std::string action = "http://" + VantoPages::ItemHost(item) + roundPrefix + std::to_string(round);
    return VantoPages::Rebid(item, amount, BidRules::MinimumBid(item), quantity, action, sessions_.IssueToken(item.id),
                             member);
}

Page VantoSite::Remember(const SiteRequest& request, int host, const std::string& member)
{
    if (member.empty())
        return VantoPages::SignIn(false, member);
    std::lock_guard lock(house_.Mutex());
    Catalogue& catalogue = house_.Current();
    int index = catalogue.FindItem(Decoded(request, "aID"));
    if (index < 0)
        return VantoPages::Error("指定されたオークションは見つかりませんでした。", member);
    const AuctionItem& item = catalogue.Items()[static_cast<size_t>(index)];
    // Each edit host serves the auctions of the page host with the same number.
    if (item.host != host)
        return VantoPages::Error("このオークションはこのサーバーでは扱っていません。", member);
    if (!Contains(catalogue.WatchList(), index))
        catalogue.WatchList().push_back(index);
    return VantoPages::Remembered(item, member);
}

Page VantoSite::Login(const SiteRequest& request, const std::string& member)
{
    if (request.path == "/jp/signin")
        return VantoPages::SignIn(false, member);
    if (request.path == "/jp/signout") {
        sessions_.Close(request.cookie);
        Page page = VantoPages::SignIn(false, {});
        page.setCookies.push_back(std::string(Sessions::COOKIE_NAME) +
                                  "=; Domain=.vanto.test; Path=/; Expires=Thu, 01 Jan 1970 00:00:00 GMT");
        return page;
    }
    if (request.path != "/jp/signin/auth")
        return NotFound();
    if (!sessions_.CheckAccount(Decoded(request, "login"), Decoded(request, "passwd")))
        return VantoPages::SignIn(true, {});
    Page page = VantoPages::SignedIn(sessions_.User());
    page.setCookies.push_back(std::string(Sessions::COOKIE_NAME) + "=" + sessions_.Open() + "; Domain=.vanto.test; Path=/");
    return page;
}

} // namespace sitesim
