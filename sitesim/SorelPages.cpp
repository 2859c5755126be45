#include "SorelPages.h"

#include "Formats.h"
#include "TextCodec.h"

#include <algorithm>

namespace sitesim {

namespace {

std::string H(const std::string& text)
{
    return TextCodec::HtmlEscape(text);
}

} // namespace

std::string SorelPages::CategoryPath(const Category& category)
{
    return "/cat/" + std::to_string(category.number) + "/";
}

std::string SorelPages::ItemPath(const SorelItem& item)
{
    return "/item/" + item.id + ".html";
}

Page SorelPages::Sorel(std::string text, std::string keyMarker)
{
    return Page::Text(Page::Charset::ShiftJis, std::move(text), std::move(keyMarker));
}

std::string SorelPages::Header(const std::string& title)
{
    std::string out = "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n";
    out += "<title>Sorelオークション - " + H(title) + "</title>\n";
    out += "<script type=\"text/javascript\">\n<!--\nfunction chk(f) { return f.q.value != \"\"; }\n// -->\n</script>\n";
    out += "</head>\n<body bgcolor=\"#ffffff\" text=\"#000000\">\n";
    out += "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\n<tr>\n"
           "<td><a href=\"/\"><img src=\"/img/logo.gif\" width=\"180\" height=\"40\" border=\"0\" alt=\"Sorel\"></a></td>\n"
           "<td align=\"right\"><font size=\"2\"><a href=\"/help/\">ヘルプ</a> | <a href=\"/my/\">マイページ</a></font></td>\n"
           "</tr>\n</table>\n";
    out += "<form method=\"get\" action=\"/search/\" onsubmit=\"return chk(this)\">\n"
           "<input type=\"text\" name=\"q\" size=\"30\"> <input type=\"submit\" value=\"検索\">\n</form>\n";
    return out;
}

std::string SorelPages::Footer()
{
    return "<hr>\n<center><font size=\"2\">Copyright (C) 2002 Sorel Co., Ltd.</font></center>\n</body>\n</html>\n";
}

// A listing row: four line feeds before it, its cells in a fixed order.
std::string SorelPages::Row(const SorelItem& item)
{
    std::string out = HB + HB + HB + HB + "<tr bgcolor=\"#ffffff\">\n";
    out += "<td width=\"40\" align=\"center\"><a href=\"" + ItemPath(item) + "\"><img src=\"/img/thumb/" + item.id +
           ".jpg\" width=\"40\" height=\"30\" border=\"0\"></a></td>\n";
    out += "<td><font size=\"2\"><a href=\"" + ItemPath(item) + "\">" + H(item.title) + "</a></font></td>\n";
    out += "<td align=\"right\" nowrap><font size=\"2\">" +
           (item.priceHidden ? std::string("非公開") : Formats::Yen(item.price) + "円") + "</font></td>\n";
    out += "<td align=\"center\" nowrap><font size=\"2\">" + Formats::SorelDate(item.endTime) + "</font></td>\n";
    out += "<td align=\"right\"><font size=\"2\">" +
           (item.bidsAsWord ? std::string("なし") : std::to_string(item.bids)) + "</font></td>\n";
    out += "</tr>" + HB;
    return out;
}

Page SorelPages::CategoryListing(const std::vector<const Category*>& trail, const std::vector<const Category*>& children,
                                 const std::vector<const SorelItem*>& items, int page)
{
    const Category& category = *trail.back();
    const int total = static_cast<int>(items.size());
    const int pages = std::max(1, (total + PAGE_SIZE - 1) / PAGE_SIZE);
    page = std::clamp(page, 1, pages);
    std::string out = Header(category.name);
    out += "<font size=\"2\"><a href=\"/\">トップ</a>";
    for (const Category* step : trail)
        out += " &gt; <a href=\"" + CategoryPath(*step) + "\">" + H(step->name) + "</a>";
    out += "</font><br>\n";
    out += "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>\n"
           "<td><font size=\"3\"><b>" + H(category.name) + "</b></font></td>\n"
           "<td align=\"right\"><font size=\"2\"><a href=\"/sell/?cat=" + std::to_string(category.number) +
           "\">このカテゴリに出品</a></font></td>\n</tr>\n</table>\n";
    if (!children.empty()) {
        out += "<table border=\"0\" cellspacing=\"0\" cellpadding=\"2\"><tr>";
        for (const Category* child : children)
            out += "<td><font size=\"2\"><a href=\"" + CategoryPath(*child) + "\">" + H(child->name) + "</a></font></td>";
        out += "</tr></table>\n";
    }
    out += "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">\n<tr>\n"
           "<td width=\"50%\"><font size=\"2\">" + H(category.name) + "の商品一覧（全" + std::to_string(total) +
           "件）</font></td>\n"
           "<td width=\"50%\" align=\"right\"><font size=\"2\">並び順：新着順</font></td>\n</tr>\n</table>\n";
    out += "<table width=\"100%\" border=\"0\" cellspacing=\"1\" cellpadding=\"3\" bgcolor=\"#cccccc\">\n";
    out += "<tr bgcolor=\"#eeeeee\">\n<td>&nbsp;</td>\n<td><font size=\"2\"><b>商品名</b></font></td>\n"
           "<td><font size=\"2\"><b>現在価格</b></font></td>\n<td><font size=\"2\"><b>終了日時</b></font></td>\n"
           "<td><font size=\"2\"><b>入札数</b></font></td>\n</tr>" + HB;
    const int first = (page - 1) * PAGE_SIZE;
    for (int i = first; i < std::min(total, first + PAGE_SIZE); ++i)
        out += Row(*items[static_cast<size_t>(i)]);
    out += "</table>\n";
    out += "<div align=\"right\"><font size=\"2\">";
    if (page > 1)
        out += "<a href=\"" + CategoryPath(category) + "?page=" + std::to_string(page - 1) + "\">前へ</a> ";
    out += std::to_string(page) + "/" + std::to_string(pages);
    if (page < pages)
        out += " <a href=\"" + CategoryPath(category) + "?page=" + std::to_string(page + 1) + "\">次へ</a>";
    out += "</font></div>\n";
    out += Footer();
    return Sorel(std::move(out), "このカテゴリに出品");
}

Page SorelPages::Top(const std::vector<Category>& categories)
{
    std::string out = Header("トップ");
    out += "<table border=\"0\" cellspacing=\"0\" cellpadding=\"3\">\n";
    for (const Category& category : categories) {
        out += "<tr><td><font size=\"2\">";
        for (int d = 0; d < category.depth; ++d)
            out += "&nbsp;&nbsp;&nbsp;";
        out += "<a href=\"" + CategoryPath(category) + "\">" + H(category.name) + "</a></font></td></tr>\n";
    }
    out += "</table>\n" + Footer();
    return Sorel(std::move(out), {});
}

Page SorelPages::Item(const SorelItem& item, std::time_t now)
{
    std::string out = Header(item.title);
    out += "<h3>" + H(item.title) + "</h3>\n<table border=\"0\" cellspacing=\"0\" cellpadding=\"3\">\n";
    out += "<tr><td><font size=\"2\">現在価格</font></td><td><font size=\"2\">" +
           (item.priceHidden ? std::string("非公開") : Formats::Yen(item.price) + "円") + "</font></td></tr>\n";
    out += "<tr><td><font size=\"2\">終了日時</font></td><td><font size=\"2\">" + Formats::SorelDate(item.endTime) +
           "（残り" + Formats::TimeLeft(item.endTime, now) + "）</font></td></tr>\n";
    out += "<tr><td><font size=\"2\">入札数</font></td><td><font size=\"2\">" + std::to_string(item.bids) +
           "</font></td></tr>\n</table>\n";
    out += Footer();
    return Sorel(std::move(out), {});
}

Page SorelPages::NotFound()
{
    Page page = Sorel(Header("ページが見つかりません") + "<p>お探しのページは見つかりませんでした。</p>\n" + Footer(), {});
    page.status = 404;
    return page;
}

} // namespace sitesim
