#include "VantoPages.h"

#include "BidRules.h"
#include "Formats.h"
#include "TextCodec.h"

namespace sitesim {

namespace {

std::string H(const std::string& text)
{
    return TextCodec::HtmlEscape(text);
}

const char* const IMG = "http://img.vanto.test/i/";

} // namespace

const std::string VantoPages::ITEM_PAGE_FOOTER = "<HR><SMALL>Copyright (C) 2002 Vanto! Inc. All rights reserved.<BR>";

std::string VantoPages::ItemHost(const AuctionItem& item)
{
    return item.host == 0 ? "page.vanto.test" : "page" + std::to_string(item.host) + ".vanto.test";
}

std::string VantoPages::ItemUrl(const AuctionItem& item)
{
    return "http://" + ItemHost(item) + "/jp/auction/" + item.id;
}

std::string VantoPages::CategoryPath(const Category& category)
{
    return "/jp/list/" + std::to_string(category.number) + "-category.html";
}

Page VantoPages::Vanto(std::string text, std::string keyMarker)
{
    return Page::Text(Page::Charset::EucJp, std::move(text), std::move(keyMarker));
}

std::string VantoPages::Header(const std::string& title, const std::string& member)
{
    std::string out;
    out += "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">\n";
    out += "<title>Vanto!オークション - " + H(title) + "</title>\n";
    out += "<script language=\"JavaScript\">\n<!--\nfunction openHelp(u) {\n"
           "  var w = window.open(u, \"help\", \"width=420,height=520,scrollbars=yes\");\n  w.focus();\n}\n"
           "var ad_rotation = new Array(\"auc_a.gif\", \"auc_b.gif\");\n//-->\n</script>\n";
    out += "<style type=\"text/css\">\n<!--\na:hover { color: #ff6600 }\n.small { font-size: 10pt }\n-->\n</style>\n";
    out += "</head>\n<body bgcolor=\"#ffffff\" link=\"#0000cc\" vlink=\"#551a8b\" alink=\"#ff0000\" topmargin=0 marginheight=0>\n";
    out += "<!-- page head -->\n<table border=0 cellspacing=0 cellpadding=0 width=\"100%\">\n";
    out += "<tr>\n<td width=\"1%\"><a href=\"http://www.vanto.test/\"><img src=\"" + std::string(IMG) +
           "auc/logo.gif\" width=232 height=44 alt=\"Vanto!オークション\" border=0></a></td>\n";
    out += "<td align=right valign=bottom><font size=-1>\n<a href=\"http://user.vanto.test/jp/show/mystatus\">マイ・オークション</a>"
           " - <a href=\"javascript:openHelp('http://help.vanto.test/auc/')\">ヘルプ</a>"
           " - <a href=\"http://www.vanto.test/\">Vanto!トップ</a>\n</font></td>\n</tr>\n</table>\n";
    out += "<table border=0 cellspacing=0 cellpadding=2 width=\"100%\" bgcolor=\"#ffe08a\">\n<tr>\n";
    if (member.empty())
        out += "<td nowrap><font size=-1>ようこそ、ゲストさん [<a href=\"http://login.vanto.test/jp/signin\">ログイン</a>]</font></td>\n";
    else
        out += "<td nowrap><font size=-1>ようこそ、<b>" + H(member) +
               "</b>さん [<a href=\"http://login.vanto.test/jp/signout\">ログアウト</a>]</font></td>\n";
    out += "<td align=right nowrap>\n<form method=get action=\"http://search.vanto.test/search/auc\" name=sf>\n"
           "<input type=hidden name=alocale value=0jp><input type=hidden name=acc value=jp>\n"
           "<input type=text name=p size=24 value=\"\"> <input type=submit value=\"検索\">\n</form>\n</td>\n</tr>\n</table>\n";
    out += "<!-- /page head -->\n";
    return out;
}

std::string VantoPages::Footer(bool itemFamily)
{
    std::string out = "\n<br>\n<!-- page foot -->\n";
    if (itemFamily)
        out += ITEM_PAGE_FOOTER + "\n";
    else
        out += "<hr size=1 noshade><small>Copyright (C) 2002 Vanto! Inc. All rights reserved.<br>\n";
    out += "<a href=\"http://docs.vanto.test/info/privacy/\">プライバシーの考え方</a> - "
           "<a href=\"http://docs.vanto.test/info/terms/\">利用規約</a> - "
           "<a href=\"http://docs.vanto.test/info/guide/\">ガイドライン</a>\n";
    out += itemFamily ? "</SMALL>\n" : "</small>\n";
    out += "<img src=\"http://count.vanto.test/c.gif\" width=1 height=1 alt=\"\">\n</body>\n</html>\n";
    return out;
}

std::string VantoPages::ListingTop(const ListingSlice& slice)
{
    int last = slice.first + static_cast<int>(slice.rows.size()) - 1;
    std::string out = "<table border=0 cellspacing=0 cellpadding=3 width=\"100%\">\n";
    out += "<tr><td><font size=-1><b>" + std::to_string(slice.pageCount) + "</b>ページ中<b>" +
           std::to_string(slice.pageNumber) + "</b>ページ目を表示 （" + std::to_string(slice.first) + "～" +
           std::to_string(last < slice.first ? slice.first : last) + "件目）　（出品合計：" + std::to_string(slice.total) +
           "点）</font></td>\n";
    out += "<td align=right><font size=-1>" + PageNavigation(slice) + "</font></td></tr>\n</table>\n";
    return out;
}

std::string VantoPages::PageNavigation(const ListingSlice& slice)
{
    std::string out;
    out += slice.previousUrl.empty() ? "前の50件" : "<a href=\"" + slice.previousUrl + "\">前の50件</a>";
    out += " | ";
    out += slice.nextUrl.empty() ? "次の50件" : "<a href=\"" + slice.nextUrl + "\">次の50件</a>";
    return out;
}

// One result row. The bid cell comes bold, plain or as "-"; marks are images
// whose alt texts carry the site's own letter case, and some rows carry
// look-alike images in the other case.
std::string VantoPages::ListingRow(const AuctionItem& item, std::time_t now)
{
    std::string out = "<tr bgcolor=\"#ffffff\">\n<td align=center valign=top width=\"1%\">";
    if (item.markPicture)
        out += "<img src=\"" + std::string(IMG) + "camera.gif\" width=16 height=16 ALT=\"画像あり\" border=0>";
    else if (item.decoyMarks)
        out += "<img src=\"" + std::string(IMG) + "nocamera.gif\" width=16 height=16 alt=\"画像あり\" border=0>";
    else
        out += "<img src=\"" + std::string(IMG) + "dot.gif\" width=16 height=16 alt=\"\">";
    out += "</td>\n<td valign=top><a href=\"" + ItemUrl(item) + "\">" + H(item.title) + "</a>";
    if (item.markNew)
        out += " <img src=\"" + std::string(IMG) + "new.gif\" width=28 height=11 ALT=\"[new]\">";
    else if (item.decoyMarks)
        out += " <img src=\"" + std::string(IMG) + "upd.gif\" width=28 height=11 alt=\"[new]\">";
    if (item.markEscrow)
        out += " <img src=\"" + std::string(IMG) + "escrow.gif\" width=16 height=16 alt=\"エスクロー\">";
    else if (item.decoyMarks)
        out += " <img src=\"" + std::string(IMG) + "escrow2.gif\" width=16 height=16 ALT=\"エスクロー\">";
    if (item.markFeatured)
        out += " <img src=\"" + std::string(IMG) + "hot.gif\" width=16 height=16 alt=\"注目\">";
    else if (item.decoyMarks)
        out += " <img src=\"" + std::string(IMG) + "hot2.gif\" width=16 height=16 ALT=\"注目\">";
    out += "\n<br><font size=-2 color=\"#666666\">出品者：" + H(item.seller) + " <b>(" +
           std::to_string(item.seller.size() * 13) + ")</b></font>";
    if (item.quantity > 1)
        out += " <font size=-2>数量：" + std::to_string(item.quantity) + "</font>";
    out += "</td>\n";
    out += "<td align=right><b>" + Formats::Yen(item.currentPrice) + " 円</b></td>\n";
    if (item.bids == 0)
        out += "<td align=center>-</td>\n";
    else if (item.boldBids)
        out += "<td align=center><b>" + std::to_string(item.bids) + "</b></td>\n";
    else
        out += "<td align=center>" + std::to_string(item.bids) + "</td>\n";
    std::string left = Formats::TimeLeft(item.endTime, now);
    if (item.endTime - now < 3600)
        out += "<td nowrap align=right><font color=\"#ff0000\">" + left + "</font></td>\n";
    else
        out += "<td nowrap align=right>" + left + "</td>\n";
    out += "</tr>\n<tr><td colspan=5 height=1 bgcolor=\"#dddddd\"><img src=\"" + std::string(IMG) +
           "dot.gif\" width=1 height=1 alt=\"\"></td></tr>\n";
    return out;
}

static std::string ListingHeading()
{
    return "<tr bgcolor=\"#eeeeee\">\n<td width=\"1%\">&nbsp;</td>\n"
           "<td><font size=-1><nobr>商品名</nobr></font></td>\n"
           "<td align=right><font size=-1><nobr>現在の価格</nobr></font></td>\n"
           "<td align=center><font size=-1><nobr>入札</nobr></font></td>\n"
           "<td align=right><font size=-1><nobr>残り時間</nobr></font></td>\n</tr>\n";
}

static std::string Sidebar()
{
    return "<table border=0 cellspacing=0 cellpadding=4 width=\"100%\" bgcolor=\"#f4f4f4\">\n"
           "<tr><td><font size=-1><b>注目のオークション</b>： "
           "<a href=\"http://list.vanto.test/jp/list/2084000192-category.html\">腕時計</a> / "
           "<a href=\"http://list.vanto.test/jp/list/2084000206-category.html\">陶磁器</a> / "
           "<a href=\"http://list.vanto.test/jp/list/2084000157-category.html\">ギター</a></font></td></tr>\n"
           "</table>\n";
}

Page VantoPages::SearchResults(const std::string& keyword, const ListingSlice& slice, const std::string& member,
                               std::time_t now)
{
    std::string out = Header("「" + keyword + "」の検索結果", member);
    out += "<table border=0 cellspacing=0 cellpadding=0 width=\"100%\"><tr><td>\n<font size=-1>"
           "<a href=\"http://www.vanto.test/\">Vanto!</a> &gt; <a href=\"http://list.vanto.test/\">オークション</a> &gt; "
           "検索結果</font>\n</td></tr></table>\n";
    out += "<br>\n<font size=+1><b>" + H(keyword) + "</b></font> の検索結果\n";
    out += ListingTop(slice);
    out += Sidebar();
    out += "<!-- results -->\n<table border=0 cellspacing=0 cellpadding=2 width=\"100%\">\n";
    out += ListingHeading();
    if (slice.rows.empty())
        out += "<tr><td colspan=5 align=center><font size=-1>該当するオークションはありません。</font></td></tr>\n";
    for (const AuctionItem* item : slice.rows)
        out += ListingRow(*item, now);
    out += "</table>\n<!-- /results -->\n";
    out += "<table border=0 cellspacing=0 cellpadding=3 width=\"100%\"><tr><td align=right><font size=-1>" +
           PageNavigation(slice) + "</font></td></tr></table>\n";
    out += "<table border=0 cellspacing=0 cellpadding=4 width=\"100%\"><tr><td bgcolor=\"#eeeeff\"><font size=-1>"
           "検索のヒント： <b>スペース</b>で区切ると… "
           "<a href=\"http://help.vanto.test/auc/search.html\">詳しくはこちら</a></font></td></tr></table>\n";
    out += Footer(false);
    return Vanto(std::move(out), "<nobr>残り時間</nobr>");
}

Page VantoPages::CategoryListing(const std::vector<const Category*>& trail, const std::vector<const Category*>& children,
                                 const ListingSlice& slice, const std::string& member, std::time_t now)
{
    const Category& category = *trail.back();
    std::string out = Header(category.name, member);
    out += "<table border=0 cellspacing=0 cellpadding=0 width=\"100%\"><tr><td>\n<font size=-1>"
           "<a href=\"http://list.vanto.test/\">オークション</a>";
    for (const Category* step : trail)
        out += " &gt; <a href=\"" + CategoryPath(*step) + "\">" + H(step->name) + "</a>";
    out += "</font>\n</td></tr></table>\n";
    if (!children.empty()) {
        out += "<table border=0 cellspacing=0 cellpadding=3 width=\"100%\" bgcolor=\"#fff8e0\">\n<tr>";
        for (const Category* child : children)
            out += "<td><font size=-1><a href=\"" + CategoryPath(*child) + "\">" + H(child->name) + "</a></font></td>";
        out += "</tr>\n</table>\n";
    }
    out += ListingTop(slice);
    out += "<table border=0 cellspacing=0 cellpadding=3><tr>\n<td bgcolor=\"#ffcc66\"><font size=-1>すべて</font></td>\n"
           "<td><font size=-1><a href=\"" + CategoryPath(category) + "?f=hot\">注目のオークション</a></font></td>\n"
           "<td><font size=-1><a href=\"" + CategoryPath(category) + "?f=new\">新着</a></font></td>\n</tr></table>\n";
    out += "<!-- results -->\n<table border=0 cellspacing=0 cellpadding=2 width=\"100%\">\n";
    out += "<tr><td colspan=5 bgcolor=\"#ffcc66\"><font size=-1><b>すべてのオークション</b>（" +
           std::to_string(slice.total) + "件）</font></td></tr>\n";
    out += ListingHeading();
    for (const AuctionItem* item : slice.rows)
        out += ListingRow(*item, now);
    out += "</table>\n<!-- /results -->\n";
    out += "<table border=0 cellspacing=0 cellpadding=3 width=\"100%\"><tr><td align=right><font size=-1>" +
           PageNavigation(slice) + "</font></td></tr></table>\n";
    out += Footer(false);
    return Vanto(std::move(out), "<b>すべてのオークション</b>");
}

Page VantoPages::CategoryIndex(const std::vector<Category>& categories, const std::string& member)
{
    std::string out = Header("カテゴリ一覧", member);
    out += "<table border=0 cellspacing=0 cellpadding=4 width=\"100%\">\n";
    for (const Category& category : categories) {
        out += "<tr><td>";
        for (int d = 0; d < category.depth; ++d)
            out += "&nbsp;&nbsp;&nbsp;&nbsp;";
        out += category.depth == 0 ? "<b>" : "<font size=-1>";
        out += "<a href=\"" + CategoryPath(category) + "\">" + H(category.name) + "</a>";
        out += category.depth == 0 ? "</b>" : "</font>";
        out += "</td></tr>\n";
    }
    out += "</table>\n" + Footer(false);
    return Vanto(std::move(out), {});
}

Page VantoPages::MyStatus(MyList list, const std::vector<const AuctionItem*>& rows, const std::string& member,
                          std::time_t now)
{
    static const char* const titles[] = {"ウォッチリスト（開催中）", "ウォッチリスト（終了分）", "入札中のオークション",
                                         "落札分"};
    const bool watch = list == MyList::WatchRunning || list == MyList::WatchEnded;
    std::string out = Header(std::string("マイ・オークション - ") + titles[static_cast<int>(list)], member);
    out += "<table border=0 cellspacing=0 cellpadding=4 width=\"100%\" bgcolor=\"#eeeeee\"><tr>\n"
           "<td><font size=-1><a href=\"/jp/show/mystatus?select=watchlist&watchclosed=0\">ウォッチリスト</a></font></td>\n"
           "<td><font size=-1><a href=\"/jp/show/mystatus?select=watchlist&s1=end&watchclosed=1\">終了分</a></font></td>\n"
           "<td><font size=-1><a href=\"/jp/show/mystatus?select=bidding\">入札中</a></font></td>\n"
           "<td><font size=-1><a href=\"/jp/show/mystatus?select=won\">落札分</a></font></td>\n</tr></table>\n";
    out += "<br>\n<font size=+1><b>" + std::string(titles[static_cast<int>(list)]) + "</b></font>　" +
           std::to_string(rows.size()) + "件\n<br>\n";
    out += "<form method=post action=\"/jp/config/mystatus_delete\">\n";
    out += "<table border=0 cellspacing=1 cellpadding=3 width=\"100%\" bgcolor=\"#999999\">\n";
    out += "<tr bgcolor=\"#dddddd\">\n<td><b><nobr><font size=-1>選択</font></nobr></b></td>\n"
           "<td><b><nobr><font size=-1>商品名</font></nobr></b></td>\n"
           "<td><b><nobr><font size=-1>現在の価格</font></nobr></b></td>\n"
           "<td><b><nobr><font size=-1>最高額入札者</font></nobr></b></td>\n";
    std::string heading = watch ? "残り時間</font></nobr></b></td></tr>" : "操作</font></nobr></b></td></tr>";
    if (watch)
        out += "<td><b><nobr><font size=-1>" + heading + "\n";
    else
        out += "<td><b><nobr><font size=-1>残り時間</font></nobr></b></td>\n<td><b><nobr><font size=-1>" + heading + "\n";
    for (const AuctionItem* item : rows) {
        out += "<tr bgcolor=\"#ffffff\">\n<td align=center><input type=checkbox name=aID value=" + item->id + "></td>\n";
        out += "<td><a href=\"" + ItemUrl(*item) + "\">" + H(item->title) + "</a></td>\n";
        out += "<td align=right nowrap><b>" + Formats::Yen(item->currentPrice) + " 円</b></td>\n";
        if (item->highBidder.empty())
            out += "<td align=center>-</td>\n";
        else
            out += "<td align=center><a href=\"http://user.vanto.test/jp/show/rating?userID=" + H(item->highBidder) +
                   "\">" + H(item->highBidder) + "</a></td>\n";
        out += "<td nowrap align=right>" + Formats::TimeLeft(item->endTime, now) + "</td>\n";
        if (list == MyList::Bidding)
            out += "<td align=center nowrap><font size=-1><a href=\"" + ItemUrl(*item) + "\">再入札</a></font></td>\n";
        else if (list == MyList::Won)
            out += "<td align=center nowrap><font size=-1><a href=\"http://user.vanto.test/jp/show/contact?aID=" +
                   item->id + "\">出品者に連絡</a></font></td>\n";
        out += "</tr>\n";
    }
    out += "</table>\n<input type=submit value=\"選択したものを削除\">\n</form>\n";
    out += Footer(false);
    return Vanto(std::move(out), heading);
}

std::string VantoPages::ItemTitleBar(const AuctionItem& item)
{
    return "<table border=0 cellspacing=0 cellpadding=3 width=\"100%\">\n<tr><td><font size=+1><b>" + H(item.title) +
           "</b></font></td>\n<td align=right nowrap><font size=-1>オークションID：" + item.id + "</font></td></tr>\n</table>\n";
}

// The tab line of an item's pages. Its exact line ends matter to readers:
// the item page breaks the line before "</font>", the others do not.
std::string VantoPages::ItemTabs(const AuctionItem& item, int current)
{
    const std::string host = "http://" + ItemHost(item);
    std::string out = "<table border=0 cellspacing=0 cellpadding=3 width=\"100%\" bgcolor=\"#eeeeee\"><tr><td>\n<font size=-1>";
    out += current == 0 ? "<b>商品説明</b>" : "<a href=\"" + host + "/jp/auction/" + item.id + "\">商品説明</a>";
    out += " | ";
    out += current == 1 ? "<b>入札履歴</b>" : "<a href=\"" + host + "/jp/show/bid_hist?aID=" + item.id + "\">入札履歴</a>";
    out += " | ";
    if (current == 2)
        out += "<b>Q&A</b></font>";
    else if (current == 0)
        out += "<a href=\"" + host + "/jp/show/qanda?aID=" + item.id + "\">Q&A</a>" + HB + "</font>";
    else
        out += "<a href=\"" + host + "/jp/show/qanda?aID=" + item.id + "\">Q&A</a></font>";
    out += "</td></tr></table>\n<br>" + HB;
    return out;
}

static std::string Trail(const std::vector<const Category*>& trail)
{
    std::string out = "<font size=-1><a href=\"http://list.vanto.test/\">オークション</a>";
    for (const Category* step : trail)
        out += " &gt; <a href=\"http://list.vanto.test" + VantoPages::CategoryPath(*step) + "\">" + H(step->name) + "</a>";
    return out + "</font>\n";
}

Page VantoPages::Item(const AuctionItem& item, const std::vector<const Category*>& trail, const std::string& member,
                      std::time_t now)
{
    std::string out = Header(item.title, member);
    out += Trail(trail) + ItemTitleBar(item) + ItemTabs(item, 0);
    out += "<table border=0 cellspacing=0 cellpadding=0 width=\"100%\"><tr><td valign=top width=\"60%\">\n";
    out += "<table border=0 cellspacing=0 cellpadding=2>\n";
    out += "<TR><TD>現在の価格：</TD><TD><b>" + Formats::Yen(item.currentPrice) + " 円</b></TD></TR>\n";
    out += "<TR><TD>残り時間：</TD><TD>" + Formats::TimeLeft(item.endTime, now) +
           " （<a href=\"javascript:openHelp('http://help.vanto.test/auc/time.html')\">詳細</a>）</TD></TR>\n";
    out += "<TR><TD>数量：</TD><TD>" + std::to_string(item.quantity) + "</TD></TR>\n";
    out += "<TR><TD>開始時の価格：</TD><TD>" + Formats::Yen(item.startPrice) + " 円</TD></TR>\n";
    out += "<TR><TD>入札件数：</TD><TD>" + std::to_string(item.bids) + " （<a href=\"http://" + ItemHost(item) +
           "/jp/show/bid_hist?aID=" + item.id + "\">履歴</a>）</TD></TR>\n";
    out += "<TR><TD>開始日時：</TD><TD>" + Formats::JapaneseDate(item.startTime) + "</TD></TR>\n";
    out += "<TR><TD>終了日時：</TD><TD>" + Formats::JapaneseDate(item.endTime) + "</TD></TR>\n";
    out += "<TR><TD>最高額入札者：</TD><TD>" + (item.highBidder.empty() ? std::string("-") : H(item.highBidder)) +
           "</TD></TR>\n";
    out += "<TR><TD>出品者：</TD><TD><a href=\"http://user.vanto.test/jp/show/rating?userID=" + item.seller + "\">" +
           H(item.seller) + "</a> （<b>評価</b>：" + std::to_string(item.seller.size() * 13) + "）</TD></TR>\n";
    if (item.desiredPrice > 0)
        out += "<TR><TD bgcolor=ffffcc><b>希望落札価格：</b></TD><TD bgcolor=ffffcc><b>" +
               Formats::Yen(item.desiredPrice) + " 円</b></TD></TR>\n";
    out += "</table>\n";
    if (item.reservePrice > 0) {
        if (item.ReserveMet())
            out += "<font size=-1>・設定された<b>最低落札価格</b>に達しています。</font><br>\n";
        else
            out += "<font size=-1>・設定された<b>最低落札価格</b>に<b><font color=red>まだ達していません。</font></b><br>\n</font>";
    }
    out += "</td>\n<td valign=top align=center><img src=\"http://img.vanto.test/auc/" + item.id +
           "_1.jpg\" width=200 height=150 alt=\"商品画像\" border=1></td></tr></table>\n";
    out += "<hr size=1 noshade>\n<table border=0 cellspacing=0 cellpadding=6 width=\"100%\"><tr><td>\n<font size=-1>";
    std::string description = H(item.description);
    for (size_t at = description.find('\n'); at != std::string::npos; at = description.find('\n', at + 5))
        description.replace(at, 1, "<br>\n");
    out += description + "</font>\n</td></tr></table>\n<hr size=1 noshade>\n";
    if (item.HasEnded(now)) {
        out += "<center><font color=red><b>このオークションは終了しました。</b></font></center>\n";
    } else {
        const long minimum = BidRules::MinimumBid(item);
        out += "<table border=0 cellpadding=6 cellspacing=0 width=\"100%\" bgcolor=\"#ffffcc\"><tr><td>\n";
        out += "<form action=\"http://" + ItemHost(item) + "/jp/show/bid_preview?\" method=get>\n";
        out += "<input type=hidden NAME=ItemID VALUE=" + item.id + ">\n";
        out += "<input type=hidden name=itemStyles VALUE=\"0\">\n";
        out += "<input type=hidden name=sellerNegative VALUE=0>\n";
        out += "<input type=hidden name=login value=" + H(member) + ">\n";
        out += "<input type=hidden name=cc VALUE=jp>\n";
        out += "<input type=hidden name=Quantity value=" + std::to_string(item.quantity) + ">\n";
        out += "<input type=\"hidden\" name=\"bidType\" value=\"" + std::string(item.quantity > 1 ? "2" : "1") + "\">\n";
        out += "<font size=-1><b>入札する</b></font><br>\n";
        out += "<font size=-1>入札金額：</font><input type=text name=Bid size=10 value=\"" + std::to_string(minimum) +
               "\"> 円<br>\n";
        if (item.quantity > 1)
            out += "<font size=-1>個数：</font><input type=text name=Partial size=3 value=\"1\"><br>\n";
        out += "<font size=-1>パスワード：</font><input type=password name=passwd size=12><br>\n";
        out += "<input type=submit value=\"入札する\">\n</form>\n</td></tr></table>\n";
    }
    out += "<table border=0 cellspacing=0 cellpadding=3 width=\"100%\"><tr><td align=right><font size=-1>"
           "<a href=\"http://edit" + (item.host == 0 ? std::string() : std::to_string(item.host)) +
           ".vanto.test/jp/config/remember?aID=" + item.id + "\">ウォッチリストに追加</a></font></td></tr></table>\n";
    out += Footer(true);
    return Vanto(std::move(out), ITEM_PAGE_FOOTER);
}

Page VantoPages::BidHistory(const AuctionItem& item, const std::string& member, std::time_t now)
{
    std::string out = Header(item.title + " - 入札履歴", member);
    out += ItemTitleBar(item) + ItemTabs(item, 1);
    out += "<CENTER>\n<table border=0 cellspacing=1 cellpadding=3 width=\"90%\" bgcolor=\"#999999\">\n";
    out += "<tr bgcolor=\"#dddddd\"><th><font size=-1>入札者</font></th><th><font size=-1>入札額</font></th>"
           "<th><font size=-1>日時</font></th></tr>\n";
    if (item.history.empty())
        out += "<tr bgcolor=\"#ffffff\"><td colspan=3 align=center><font size=-1>入札はまだありません。</font></td></tr>\n";
    for (auto it = item.history.rbegin(); it != item.history.rend(); ++it)
        out += "<tr bgcolor=\"#ffffff\"><td><font size=-1>" + H(it->bidder) + "</font></td><td align=right><font size=-1>" +
               Formats::Yen(it->amount) + " 円</font></td><td><font size=-1>" + Formats::HistoryDate(it->when) +
               "</font></td></tr>\n";
    out += "</table>\n<font size=-1>残り時間：" + Formats::TimeLeft(item.endTime, now) + "</font>\n</CENTER>" + HB;
    out += Footer(true);
    return Vanto(std::move(out), "Q&A</a></font>");
}

Page VantoPages::Questions(const AuctionItem& item, const std::string& member)
{
    std::string out = Header(item.title + " - Q&A", member);
    out += ItemTitleBar(item) + ItemTabs(item, 2);
    out += "<table border=0 cellspacing=1 cellpadding=3 width=\"100%\" bgcolor=\"#999999\">\n";
    out += "<TR bgcolor=\"#dddddd\"><TH><FONT SIZE=-1 color=000000>番号</FONT></TH>"
           "<TH><FONT SIZE=-1 color=000000>質問と回答</FONT></TH>"
           "<TH><FONT SIZE=-1 color=000000>日時</FONT></TH></TR>" + HB;
    if (item.questions.empty())
        out += "<TR bgcolor=\"#ffffff\"><TD colspan=3 align=center><FONT SIZE=-1>質問はまだありません。</FONT></TD></TR>\n";
    int number = 1;
    for (const Question& question : item.questions) {
        out += "<TR bgcolor=\"#ffffff\"><TD align=center><FONT SIZE=-1>" + std::to_string(number++) + "</FONT></TD>\n";
        out += "<TD><FONT SIZE=-1><b>質問</b>（" + H(question.asker) + "）：" + H(question.text) + "<br>\n<b>回答</b>：" +
               H(question.answer) + "</FONT></TD>\n";
        out += "<TD nowrap><FONT SIZE=-1>" + Formats::HistoryDate(question.when) + "</FONT></TD></TR>\n";
    }
    out += "</table>\n<br>\n";
    out += "<FORM METHOD=post ACTION=\"http://" + ItemHost(item) + "/jp/config/question\">\n";
    out += "<input type=hidden name=aID value=" + item.id + ">\n<FONT SIZE=-1>出品者への質問：</FONT><br>\n"
           "<textarea name=comment rows=4 cols=50 wrap=virtual></textarea><br>\n"
           "<input type=submit value=\"質問する\">\n</FORM>\n";
    out += Footer(true);
    return Vanto(std::move(out), "<FORM METHOD=post ACTION=");
}

Page VantoPages::BidConfirm(const AuctionItem& item, long amount, int quantity, const std::string& member,
                            const std::string& token)
{
    std::string out = Header("入札の確認", member);
    out += "<center><font size=+1><b>入札の確認</b></font></center>\n<br>\n";
    out += "<table border=0 cellspacing=0 cellpadding=4 width=\"100%\"><tr><td bgcolor=\"#ffffcc\"><font size=-1>"
           "以下の内容で入札します。よろしければ「入札」ボタンを押してください。</font></td></tr></table>\n";
    out += "<form action=\"http://" + ItemHost(item) + "/jp/config/placebid\" method=GET>\n";
    out += "<input type=hidden name=itemStyles value=\"0\">\n";
    out += "<input type=hidden NAME=ItemID VALUE=" + item.id + ">\n";
    out += "<input type=hidden name=login value=\"" + H(member) + "\">\n";
    out += "<input type=hidden name=cc VALUE=jp>\n";
    out += "<input type=hidden name=Quantity value=" + std::to_string(item.quantity) + ">\n";
    out += "<input type=hidden name=bidType value=" + std::string(item.quantity > 1 ? "2" : "1") + ">\n";
    out += "<input type=hidden NAME=a value=\"" + token + "\">\n";
    out += "<input type=hidden name=Bid value=" + std::to_string(amount) + ">\n";
    out += "<input type=hidden name=Partial value=" + std::to_string(quantity) + ">\n";
    out += "<table border=0 cellspacing=0 cellpadding=3>\n";
    out += "<TR><TD><font size=-1>商品タイトル：</font></TD><TD><font size=-1><A HREF=\"" + ItemUrl(item) + "\">" +
           H(item.title) + "</font></A></TD></TR>\n";
    out += "<TR><TD><font size=-1>現在の価格：</font></TD><TD><font color=000000>" + Formats::Yen(item.currentPrice) +
           " 円</font></TD></TR>\n";
    out += "<TR><TD><font size=-1>あなたの最高入札額：</font></TD><TD nowrap><font color=000000>" + Formats::Yen(amount) +
           " 円 </font></TD></TR>\n";
    out += "<TR><TD><font size=-1>数量：</font></TD><TD><font size=-1>" + std::to_string(quantity) + "</font></TD></TR>\n";
    out += "</table>\n<font size=-1>パスワード：</font><input type=password name=passwd size=12>\n"
           "<input type=submit value=\"入札\">\n</form>\n";
    out += Footer(false);
    return Vanto(std::move(out), "<form action=");
}

Page VantoPages::Rebid(const AuctionItem& item, long yourBid, long needed, int quantity, const std::string& action,
                       const std::string& token, const std::string& member)
{
    std::string out = Header("再入札", member);
    out += "<table border=0 cellspacing=0 cellpadding=4 width=\"100%\"><tr><td>"
           "<big><font ><b>Vanto!オークション - 再入札</b></font></big></td></tr></table>\n";
    out += "<font color=red size=-1>自動入札により、あなたの入札額を上回る入札がありました。</font><br>\n";
    out += "<table border=0 cellspacing=0 cellpadding=4><tr><td>\n";
    out += "<FORM action=\"" + action + "\" method=GET>\n";
    out += "<input type=hidden NAME=ItemID VALUE=" + item.id + ">\n";
    out += "<input type=hidden NAME=a value=" + token + ">\n";
    out += "<input type=hidden name=Quantity value=" + std::to_string(item.quantity) + ">\n";
    out += "<table border=0 cellspacing=0 cellpadding=3>\n";
    out += "<TR><TD><font size=-1>商品タイトル：</font></TD><TD><font size=-1>" + H(item.title) + "</font></TD></TR>\n";
    out += "<TR><TD><font size=-1>最高入札額にするための額：</font></TD><TD><font color=000000>" + Formats::Yen(needed) +
           " 円</font></TD></TR>\n";
    // The member's bid is written as a bare amount: readers offer it back as
    // the next amount.
    out += "<TR><TD><font size=-1>あなたの現在の入札額：</font></TD><TD><font color=000000>" + Formats::Yen(yourBid) +
           "</font></TD></TR>\n";
    out += "<TR><TD><font size=-1>数量：</font></TD><TD><font size=-1>" + std::to_string(quantity) + "</font></TD></TR>\n";
    out += "</table>\n<font size=-1>入札金額：</font><input type=text name=Bid size=10 value=\"" + std::to_string(needed) +
           "\"> 円\n<input type=submit value=\"再入札\">\n</form></td></tr></table>\n";
    out += Footer(false);
    return Vanto(std::move(out), "<big><font ><b>Vanto!オークション - 再入札</b></font></big>");
}

Page VantoPages::Highest(const AuctionItem& item, long amount, const std::string& member)
{
    std::string out = Header("入札完了", member);
    out += "<table border=0 cellspacing=0 cellpadding=6 width=\"100%\"><tr><td bgcolor=\"#eeffee\">\n";
    out += "<b>あなたの入札額が現在の最高値です。<br>\n</b><font size=-1>入札額：" + Formats::Yen(amount) +
           " 円　現在の価格：" + Formats::Yen(item.currentPrice) + " 円</font>\n";
    out += "</td></tr></table>\n<font size=-1><a href=\"" + ItemUrl(item) + "\">商品ページへ戻る</a></font>\n";
    out += Footer(false);
    return Vanto(std::move(out), "<b>あなたの入札額が現在の最高値です。<br>");
}

Page VantoPages::Error(const std::string& message, const std::string& member)
{
    std::string out = Header("エラー", member);
    out += "<table border=0 cellspacing=0 cellpadding=8 width=\"100%\"><tr><td bgcolor=\"#fff0f0\">\n"
           "<font color=red><b>エラー</b></font><br>\n<font size=-1>" + H(message) + "</font>\n</td></tr></table>\n";
    out += "<font size=-1><a href=\"javascript:history.back()\">前のページに戻る</a></font>\n";
    out += Footer(false);
    return Vanto(std::move(out), {});
}

Page VantoPages::SignIn(bool failed, const std::string& member)
{
    std::string out = Header("ログイン", member);
    out += "<center>\n<table border=0 cellspacing=0 cellpadding=8 bgcolor=\"#f4f4f4\"><tr><td>\n";
    out += "<font size=+1><b>Vanto! ID でログイン</b></font><br>\n";
    if (failed)
        out += "<font color=red size=-1>IDまたはパスワードが正しくありません。</font><br>\n";
    else
        out += "<font size=-1>このページを見るにはログインが必要です。</font><br>\n";
    out += "<form method=get action=\"http://login.vanto.test/jp/signin/auth\">\n";
    out += "<table border=0 cellspacing=0 cellpadding=3>\n";
    out += "<tr><td><font size=-1>Vanto! ID：</font></td><td><input type=text name=login size=20></td></tr>\n";
    out += "<tr><td><font size=-1>パスワード：</font></td><td><input type=password name=passwd size=20></td></tr>\n";
    out += "</table>\n<input type=submit value=\"ログイン\">\n</form>\n</td></tr></table>\n</center>\n";
    out += Footer(false);
    return Vanto(std::move(out), {});
}

Page VantoPages::SignedIn(const std::string& member)
{
    std::string out = Header("ログインしました", member);
    out += "<center>\n<font size=+1><b>ログインしました</b></font><br>\n<font size=-1>ようこそ、" + H(member) +
           "さん。</font><br>\n<a href=\"http://user.vanto.test/jp/show/mystatus?select=watchlist&watchclosed=0\">"
           "マイ・オークションへ</a>\n</center>\n";
    out += Footer(false);
    return Vanto(std::move(out), {});
}

Page VantoPages::Remembered(const AuctionItem& item, const std::string& member)
{
    std::string out = Header("ウォッチリストに追加", member);
    out += "<center>\n<font size=-1>「" + H(item.title) + "」をウォッチリストに追加しました。</font><br>\n"
           "<a href=\"" + ItemUrl(item) + "\">商品ページへ戻る</a>\n</center>\n";
    out += Footer(false);
    return Vanto(std::move(out), {});
}

} // namespace sitesim
