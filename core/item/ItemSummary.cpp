#include "item/ItemSummary.h"

#include "app/MessageBox.h"
#include "app/NetworkOperation.h"
#include "item/ButtonBar.h"
#include "net/JString.h"
#include "net/PageFetch.h"
#include "net/SiteRequests.h"
#include "net/TimeLeft.h"
#include "net/WorkingFiles.h"

#include <cstdio>
#include <ctime>

namespace kelo {
namespace {

// The item page's copyright footer line starts with this and ends in "<BR>";
// the notice between them is the site's and may change with the year.
constexpr std::string_view ITEM_PAGE_FOOTER_MARKER = "<HR><SMALL>";
constexpr std::string_view ITEM_PAGE_FOOTER_END = "<BR>";

struct SavedPart {
    long begin = -1;
    long end = -1;
};

// The item page's footer: its start marker followed by "<BR>" on the same line.
long FindFooter(std::string_view page, long from) {
    for (long at = FindMarker(page, ITEM_PAGE_FOOTER_MARKER, from); at >= 0;
         at = FindMarker(page, ITEM_PAGE_FOOTER_MARKER, at + 1)) {
        const std::size_t lineEnd = page.find('\n', static_cast<std::size_t>(at));
        const std::string_view line =
            page.substr(static_cast<std::size_t>(at), lineEnd == std::string_view::npos
                                                          ? std::string_view::npos
                                                          : lineEnd - static_cast<std::size_t>(at));
        if (line.find(ITEM_PAGE_FOOTER_END) != std::string_view::npos)
            return at;
    }
    return -1;
}

// Each marker is searched from where the previous one was found.
SavedPart FindSavedPart(std::string_view page, SummaryMode mode) {
    SavedPart part;
    switch (mode) {
    case SUMMARY_ITEM_PAGE: {
        const long anchor = FindMarker(page, "Q&A</a>\n</font>", 0);
        part.begin = anchor < 0 ? -1 : FindMarker(page, "<br>\n", anchor);
        part.end = part.begin < 0 ? -1 : FindFooter(page, part.begin);
        break;
    }
    case SUMMARY_BID_HISTORY: {
        const long anchor = FindMarker(page, "Q&A</a></font>", 0);
        part.begin = anchor < 0 ? -1 : FindMarker(page, "<br>\n", anchor);
        constexpr std::string_view close = "</CENTER>\n";
        const long closeAt = part.begin < 0 ? -1 : FindMarker(page, close, part.begin);
        part.end = closeAt < 0 ? -1 : closeAt + static_cast<long>(close.size());
        break;
    }
    case SUMMARY_QANDA: {
        const long heading = FindMarker(page, "<FONT SIZE=-1 color=000000>日時</FONT></TH></TR>", 0);
        part.begin = heading < 0 ? -1 : FindMarker(page, "\n", heading);
        part.end = part.begin < 0 ? -1 : FindMarker(page, "<FORM METHOD=post ACTION=", part.begin);
        break;
    }
    }
    if (part.begin < 0 || part.end < 0)
        return {};
    return part;
}

std::string ValueBetween(std::string_view page, std::string_view start, std::string_view end) {
    std::string value;
    ExtractBetweenInto(page, start, end, value, 0);
    return value;
}

// A decimal number after leading spaces, up to the first non-digit; -1 when
// there is no digit.
int LeadingNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    if (at == text.size() || text[at] < '0' || text[at] > '9')
        return -1;
    int number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9' && number < 100000; ++at)
        number = number * 10 + (text[at] - '0');
    return number;
}

// "M月D日h時m" (the final "分" is outside the cut) as "MM/DD hh:mm" and the
// time left. A page without a usable end time gives an empty field rather
// than a line made from an impossible date.
std::string EndTimeLine(std::string_view value) {
    constexpr std::string_view monthUnit = "月";
    constexpr std::string_view dayUnit = "日";
    constexpr std::string_view hourUnit = "時";
    const long monthMark = FindMarker(value, monthUnit, 0);
    const long dayMark = monthMark < 0 ? -1 : FindMarker(value, dayUnit, monthMark);
    const long hourMark = dayMark < 0 ? -1 : FindMarker(value, hourUnit, dayMark);
    if (hourMark < 0)
        return {};
    const auto after = [value](long mark, std::string_view unit) {
        return value.substr(static_cast<std::size_t>(mark) + unit.size());
    };
    const int month = LeadingNumber(value.substr(0, static_cast<std::size_t>(monthMark)));
    const int day = LeadingNumber(after(monthMark, monthUnit));
    const int hour = LeadingNumber(after(dayMark, dayUnit));
    const int minute = LeadingNumber(after(hourMark, hourUnit));
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59)
        return {};

    const std::time_t endTime = EndTimeFromParts(month, day, hour, minute);
    if (endTime == static_cast<std::time_t>(-1))
        return {};

    char line[64];
    std::snprintf(line, sizeof line, "%02d/%02d %02d:%02d ", month, day, hour, minute);
    return line + FormatSummaryTimeLeft(endTime);
}

ItemSummaryFields ReadSummaryFields(std::string_view page) {
    ItemSummaryFields fields;
    fields.price = ValueBetween(page, "<TR><TD>現在の価格：</TD><TD><b>", " 円</b></TD></TR>");
    fields.quantity = ValueBetween(page, "<TR><TD>数量：</TD><TD>", "</TD></TR>");
    fields.desired =
        ValueBetween(page, "<b>希望落札価格：</b></TD><TD bgcolor=ffffcc><b>", " 円</b></TD></TR>");
    if (fields.desired.empty())
        fields.desired = "希望価無";
    fields.end = EndTimeLine(ValueBetween(page, "<TR><TD>終了日時：</TD><TD>", "分</TD></TR>"));
    const bool reserveNotReached =
        FindMarker(page,
                   "・設定された<b>最低落札価格</b>に<b><font color=red>まだ達していません。"
                   "</font></b><br>",
                   0) >= 0;
    fields.reserve = reserveNotReached ? "有" : " ";
    return fields;
}

bool SavePart(const std::string& path, std::string_view part) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(part.data(), 1, part.size(), file) == part.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

std::string ShowItemSummary(std::string_view url, SummaryMode mode, ButtonBar& bar) {
    NetworkOperation operation;
    if (!operation.Started())
        return {};

    std::string server;
    std::string object;
    std::string page;
    if (!ParseUrl(url, server, object) || !FetchPage(server, object, page)) {
        ShowMessageBox("htmlﾌｧｲﾙの取得に失敗しました(070002)", MessageIcon::Exclamation,
                       MessageButtons::AbortRetryIgnore);
        return {};
    }
    ConvertEucToSjis(page);

    const SavedPart part = FindSavedPart(page, mode);
    if (part.begin < 0) {
        ShowMessageBox("htmlﾌｧｲﾙの解析に失敗しました(070004)", MessageIcon::Exclamation,
                       MessageButtons::AbortRetryIgnore);
        WriteDumpFile(DUMP_ERR_070004, page);
        return {};
    }

    bar.SetSummaryFields(ReadSummaryFields(page));

    const std::string path = GetCacheFolder() + "/" + ItemIdFromUrl(object);
    // A file that cannot be written must not let the browser show an older
    // copy of it as if it were this page.
    if (!SavePart(path, std::string_view(page).substr(static_cast<std::size_t>(part.begin),
                                                      static_cast<std::size_t>(part.end - part.begin))))
        return {};
    return path;
}

std::string ShowItemSummaryUrl(std::string_view url, ButtonBar& bar) {
    return ShowItemSummary(url, SUMMARY_ITEM_PAGE, bar);
}

} // namespace kelo
