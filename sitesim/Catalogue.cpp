#include "Catalogue.h"

#include "BidRules.h"

#include <algorithm>
#include <cstdio>

namespace sitesim {

namespace {

struct TreeRow {
    const char* name;
    int depth;
};

// Tree order: each category is followed by its sub-categories.
const TreeRow VANTO_TREE[] = {
    {"コンピュータ", 0},
    {"パソコン", 1}, {"ノートパソコン", 2}, {"デスクトップ", 2},
    {"周辺機器", 1}, {"ソフトウェア", 1},
    {"家電、AV、カメラ", 0},
    {"カメラ", 1}, {"デジタルカメラ", 2}, {"フィルムカメラ", 2},
    {"オーディオ", 1}, {"テレビ、映像機器", 1},
    {"本、雑誌", 0},
    {"漫画、コミック", 1}, {"文学、小説", 1},
    {"ホビー、カルチャー", 0},
    {"楽器", 1}, {"ギター", 2}, {"鍵盤楽器", 2},
    {"切手、官製はがき", 1}, {"表札、看板", 1},
    {"アンティーク、コレクション", 0},
    {"陶磁器", 1}, {"能面、工芸品", 1},
    {"ファッション", 0},
    {"腕時計", 1}, {"バッグ", 1},
};

const TreeRow SOREL_TREE[] = {
    {"パソコン", 0}, {"ノート型", 1}, {"中古ノート", 2}, {"デスクトップ型", 1},
    {"カメラ", 0}, {"デジタル", 1}, {"フィルム", 1},
    {"ホビー", 0}, {"プラモデル", 1}, {"ソフビ人形", 1},
    {"本", 0},
};

// Title parts: kanji, kana, half-width katakana and ASCII, with characters
// whose Shift_JIS second byte is 0x5C (ソ 表 能 予 申 構 十), 0x40 (ァ 院 機)
// and 0x7C (ポ).
const std::vector<std::string> PREFIXES = {"", "", "", "【美品】", "【送料無料】", "★新品★", "【ジャンク】", "◆希少◆", "即決！"};
const std::vector<std::string> MAKERS = {"ソノラ", "表川製作所", "能登工房", "予科堂", "申請舎", "構造社", "十文字屋",
                                         "ポルカ電機", "機楽屋", "院長堂", "ファミリア", "ﾐﾂﾎﾞｼ商会", "Kagura"};
const std::vector<std::string> PRODUCTS = {"デジタルカメラ", "ノートパソコン", "腕時計", "万年筆", "ソファー", "表札",
                                           "能面", "ポスター", "ギター", "漫画全巻セット", "切手シート", "陶器の花瓶",
                                           "ﾃﾞｼﾞｶﾒ", "ｹｰﾌﾞﾙ", "ｿﾌﾄ", "ヴァイオリン", "ラジオ", "掛け軸"};
const std::vector<std::string> MODELS = {"DX-200", "Mk.II", "PC-98", "ver.3", "No.7", "S-10", "GT", "X1", "", ""};
const std::vector<std::string> CONDITIONS = {"中古", "未使用", "動作品", "ﾁｮｲｷｽﾞ", "箱付き", "美品", "完動品", "予備付き"};
const std::vector<std::string> BIDDERS = {"sakura_22", "tanuki-ya", "k_mori", "hanako88", "ryo_tk", "mikan3",
                                          "yamada_s", "oto-kichi", "nekomata", "shiro_b"};
const std::vector<std::string> SELLERS = {"antique_kyo", "pc_shop_kanda", "camera_no_mise", "hon-ya", "tokei_do",
                                          "gakki-land", "kitte_club"};
const std::vector<std::string> QUESTIONS = {"送料はいくらになりますか？", "傷の有無を教えてください。",
                                            "付属品は全部そろっていますか？", "動作確認はされていますか？"};
const std::vector<std::string> ANSWERS = {"全国一律800円です。", "目立つ傷はございません。",
                                          "写真に写っているものが全てです。", "出品前に確認済みです。"};

long StartPrice(SeededRandom& random)
{
    static const std::vector<long> bases = {1, 100, 500, 1000, 3000, 10000, 50000, 200000};
    long base = random.Pick(bases);
    return base * random.Between(1, 9);
}

} // namespace

Catalogue::Catalogue(const CatalogueSettings& settings) : settings_(settings), random_(settings.seed)
{
    BuildCategories();
    BuildItems();
    BuildSorelItems();
    SeedMemberLists();
}

std::string Catalogue::LotTag(int lot)
{
    char text[32];
    std::snprintf(text, sizeof text, "管理%02d番", lot);
    return text;
}

void Catalogue::BuildCategories()
{
    auto build = [](const TreeRow* rows, size_t count, long firstNumber, std::vector<Category>& out) {
        std::vector<int> parentAtDepth(10, -1);
        for (size_t i = 0; i < count; ++i) {
            Category category;
            category.index = static_cast<int>(i);
            category.number = firstNumber + static_cast<long>(i) * 7;
            category.name = rows[i].name;
            category.depth = rows[i].depth;
            category.parent = category.depth > 0 ? parentAtDepth[category.depth - 1] : -1;
            if (category.parent >= 0)
                out[category.parent].children.push_back(category.index);
            parentAtDepth[category.depth] = category.index;
            out.push_back(category);
        }
    };
    build(VANTO_TREE, std::size(VANTO_TREE), 2084000101, vantoCategories_);
    build(SOREL_TREE, std::size(SOREL_TREE), 3101, sorelCategories_);
}

std::string Catalogue::MakeTitle(int index, bool sorel)
{
    std::string title = random_.Pick(PREFIXES) + random_.Pick(MAKERS) + " " + random_.Pick(PRODUCTS);
    const std::string& model = random_.Pick(MODELS);
    if (!model.empty())
        title += " " + model;
    title += " " + random_.Pick(CONDITIONS);
    if (!sorel)
        title += " " + LotTag(index % LOT_COUNT);
    return title;
}

void Catalogue::BuildItems()
{
    std::vector<int> leaves;
    for (const Category& category : vantoCategories_)
        if (category.children.empty())
            leaves.push_back(category.index);

    const std::time_t now = settings_.now;
    items_.reserve(static_cast<size_t>(std::max(0, settings_.items)));
    for (int i = 0; i < settings_.items; ++i) {
        AuctionItem item;
        char id[32];
        std::snprintf(id, sizeof id, "b%09ld", 100000000L + static_cast<long>(i) * 37 + random_.Between(0, 36));
        item.id = id;
        item.host = static_cast<int>(random_.Between(0, 9));
        item.title = MakeTitle(i, false);
        item.category = random_.Pick(leaves);
        item.seller = random_.Pick(SELLERS);
        item.startPrice = StartPrice(random_);

        // End times from minutes to weeks ahead; a few have ended already.
        int spread = static_cast<int>(random_.Between(0, 99));
        // Lot 00 stays running for an hour at least, so its tag always finds
        // exactly one auction in LOT_COUNT.
        if (i % LOT_COUNT == 0)
            spread = std::max(spread, 14);
        if (spread < 4)
            item.endTime = now - random_.Between(600, 5 * 86400);
        else if (spread < 14)
            item.endTime = now + random_.Between(180, 3540);
        else if (spread < 40)
            item.endTime = now + random_.Between(3600, 86340);
        else
            item.endTime = now + random_.Between(86400, 20 * 86400);
        // Auctions run for up to three weeks and have all started already.
        item.startTime = std::min(item.endTime - random_.Between(2, 10) * 86400, now - random_.Between(600, 6 * 86400));
        item.markNew = now - item.startTime < 86400;
        item.markPicture = random_.Percent(60);
        item.markEscrow = random_.Percent(15);
        item.markFeatured = random_.Percent(8);
        item.decoyMarks = random_.Percent(12);
        item.boldBids = random_.Percent(70);
        item.quantity = random_.Percent(10) ? static_cast<int>(random_.Between(2, 10)) : 1;

        item.currentPrice = item.startPrice;
        if (random_.Percent(60)) {
            int bids = static_cast<int>(random_.Between(1, 30));
            std::time_t when = item.startTime + 3600;
            for (int b = 0; b < bids; ++b) {
                long amount = b == 0 ? item.startPrice : item.currentPrice + BidRules::MinimumIncrement(item.currentPrice) * random_.Between(1, 3);
                item.currentPrice = amount;
                when += random_.Between(60, 7200);
                item.history.push_back({random_.Pick(BIDDERS), amount, std::min(when, now - 60)});
            }
            item.bids = bids;
            item.highBidder = item.history.back().bidder;
            item.highBidderMax = item.currentPrice;
        }
        // A hidden automatic bidder on some running auctions; it leads with a
        // maximum well above the price, so it answers several bids.
        if (item.bids > 0 && !item.HasEnded(now) && item.quantity == 1 && random_.Percent(18)) {
            item.rival = random_.Pick(BIDDERS);
            item.rivalMax = item.currentPrice * random_.Between(2, 4) + BidRules::MinimumIncrement(item.currentPrice) * 20;
            item.highBidder = item.rival;
            item.highBidderMax = item.rivalMax;
            item.history.push_back({item.rival, item.currentPrice, now - 120});
        } else if (random_.Percent(20)) {
            item.desiredPrice = (item.currentPrice * random_.Between(15, 40) / 10 / 100 + 1) * 100;
        }
        if (random_.Percent(15))
            item.reservePrice = random_.Percent(50) ? item.currentPrice + BidRules::MinimumIncrement(item.currentPrice) * 10
                                                    : std::max(1L, item.currentPrice / 2);
        int questions = static_cast<int>(random_.Between(0, 2));
        for (int q = 0; q < questions; ++q)
            item.questions.push_back({random_.Pick(BIDDERS), random_.Pick(QUESTIONS), random_.Pick(ANSWERS),
                                      item.startTime + 7200 * (q + 1)});
        item.description = "ご覧いただきありがとうございます。" + item.title +
                           "の出品です。\n写真の物が全てです。ノークレーム・ノーリターンでお願いします。";
        items_.push_back(std::move(item));
    }
}

void Catalogue::BuildSorelItems()
{
    std::vector<int> leaves;
    for (const Category& category : sorelCategories_)
        if (category.children.empty())
            leaves.push_back(category.index);
    const int count = std::max(60, settings_.items / 5);
    for (int i = 0; i < count; ++i) {
        SorelItem item;
        char id[16];
        std::snprintf(id, sizeof id, "s%07d", 2000000 + i * 13);
        item.id = id;
        item.title = MakeTitle(i, true);
        item.category = random_.Pick(leaves);
        item.price = StartPrice(random_);
        item.priceHidden = random_.Percent(12);
        item.bids = random_.Percent(40) ? 0 : static_cast<int>(random_.Between(1, 25));
        item.bidsAsWord = item.bids == 0 && random_.Percent(50);
        item.endTime = settings_.now + random_.Between(600, 14 * 86400);
        sorelItems_.push_back(std::move(item));
    }
}

void Catalogue::SeedMemberLists()
{
    const std::time_t now = settings_.now;
    const std::string& member = settings_.account;
    int running = 0, ended = 0, leading = 0, outbid = 0, won = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        AuctionItem& item = items_[i];
        int index = static_cast<int>(i);
        bool isEnded = item.HasEnded(now);
        if (i % 7 != 3)
            continue;
        if (!isEnded && item.rival.empty() && item.quantity == 1 && leading < 3) {
            // The member leads.
            long amount = item.bids == 0 ? item.startPrice : item.currentPrice + BidRules::MinimumIncrement(item.currentPrice);
            item.currentPrice = amount;
            item.bids += 1;
            item.highBidder = member;
            item.highBidderMax = amount;
            item.history.push_back({member, amount, now - 300});
            bidOn_.push_back(index);
            ++leading;
        } else if (!isEnded && item.rival.empty() && item.bids > 0 && outbid < 3) {
            // The member bid earlier and was outbid since.
            item.history.insert(item.history.begin(), {member, item.startPrice, item.startTime + 600});
            item.bids += 1;
            bidOn_.push_back(index);
            ++outbid;
        } else if (isEnded && won < 4) {
            long amount = item.bids == 0 ? item.startPrice : item.currentPrice + BidRules::MinimumIncrement(item.currentPrice);
            item.currentPrice = amount;
            item.bids += 1;
            item.highBidder = member;
            item.highBidderMax = amount;
            item.history.push_back({member, amount, item.endTime - 600});
            bidOn_.push_back(index);
            ++won;
        } else if (!isEnded && running < 8) {
            watchList_.push_back(index);
            ++running;
        } else if (isEnded && ended < 5) {
            watchList_.push_back(index);
            ++ended;
        }
    }
}

int Catalogue::FindItem(const std::string& id) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].id == id)
            return static_cast<int>(i);
    return -1;
}

int Catalogue::FindSorelItem(const std::string& id) const
{
    for (size_t i = 0; i < sorelItems_.size(); ++i)
        if (sorelItems_[i].id == id)
            return static_cast<int>(i);
    return -1;
}

int Catalogue::FindVantoCategory(long number) const
{
    for (const Category& category : vantoCategories_)
        if (category.number == number)
            return category.index;
    return -1;
}

int Catalogue::FindSorelCategory(long number) const
{
    for (const Category& category : sorelCategories_)
        if (category.number == number)
            return category.index;
    return -1;
}

bool Catalogue::InTree(int category, int top, const std::vector<Category>& tree) const
{
    for (int at = category; at >= 0; at = tree[static_cast<size_t>(at)].parent)
        if (at == top)
            return true;
    return false;
}

static void SoonestFirst(std::vector<int>& found, const std::vector<AuctionItem>& items)
{
    std::stable_sort(found.begin(), found.end(), [&](int a, int b) {
        return items[static_cast<size_t>(a)].endTime < items[static_cast<size_t>(b)].endTime;
    });
}

std::vector<int> Catalogue::Search(const std::string& utf8Text, std::time_t now) const
{
    std::vector<int> found;
    for (size_t i = 0; i < items_.size(); ++i)
        if (!items_[i].HasEnded(now) && items_[i].title.find(utf8Text) != std::string::npos)
            found.push_back(static_cast<int>(i));
    SoonestFirst(found, items_);
    return found;
}

std::vector<int> Catalogue::InCategory(int category, std::time_t now) const
{
    std::vector<int> found;
    for (size_t i = 0; i < items_.size(); ++i)
        if (!items_[i].HasEnded(now) && InTree(items_[i].category, category, vantoCategories_))
            found.push_back(static_cast<int>(i));
    SoonestFirst(found, items_);
    return found;
}

std::vector<int> Catalogue::SorelInCategory(int category) const
{
    std::vector<int> found;
    for (size_t i = 0; i < sorelItems_.size(); ++i)
        if (InTree(sorelItems_[i].category, category, sorelCategories_))
            found.push_back(static_cast<int>(i));
    return found;
}

} // namespace sitesim
