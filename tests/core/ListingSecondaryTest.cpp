// Secondary-site category pages (Shift_JIS as served) against hand-made pages.

#include "ListingFakes.h"
#include "listing/SecondaryListLoader.h"
#include "net/TimeLeft.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>

namespace kelo {
namespace {

using test::ListingHarness;

constexpr const char* SOREL = "www.sorel.test";
constexpr const char* PATH = "/category/toys/index.html";

std::string SorelRow(const std::string& link, const std::string& title, const std::string& price,
                     const std::string& end, const std::string& bids) {
    return "\n\n\n\n<tr bgcolor=\"#ffffff\">\n<td><font size=\"2\"><a href=\"" + link + "\">" + title +
           "</a></font></td>\n<td><font size=\"2\">" + price + "</font></td>\n<td><font size=\"2\">" + end +
           "</font></td>\n<td><font size=\"2\">" + bids + "</font></td>\n</tr>\n";
}

std::string SorelPage(const std::string& rows) {
    return "<html><body><a href=\"/sell\">このカテゴリに出品</a>\n<table><tr>"
           "<td width=\"50%\"><font size=\"2\">おもちゃ（12）</font></td></tr></table>\n"
           "<table><tr><td><b>商品名</b></td><td><b>価格</b></td><td><b>終了</b></td><td><b>入札数</b></td></tr>" +
           rows + "</table></body></html>\n";
}

// "month/day  hour:minute" of a moment seen from the fixed clock.
std::string EndText(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%d/%d  %02d:%02d", local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
    return text;
}

class ListingSecondaryTest : public ::testing::Test {
protected:
    ListingSecondaryTest() {
        std::tm noon{};
        noon.tm_year = 2026 - 1900;
        noon.tm_mon = 5;
        noon.tm_mday = 10;
        noon.tm_hour = 12;
        noon.tm_isdst = -1;
        now = std::mktime(&noon);
        SetClock([this] { return now; });
    }
    ~ListingSecondaryTest() override { SetClock(nullptr); }

    std::time_t now;
    ListingHarness h;
};

TEST_F(ListingSecondaryTest, RowsCarryTheSecondaryMarkAndTheListForms) {
    const std::string rows = SorelRow("/item/1.html", "ロボット", "1,200円", EndText(now + 2 * 86400), "5") +
                             SorelRow("http://www.sorel.test/item/2.html", "人形", "非公開", EndText(now + 3 * 3600), "なし") +
                             SorelRow("item/3.html", "積み木", "9円", EndText(now + 30 * 60), "-");
    h.server.SetPage(SOREL, PATH, SorelPage(rows));
    h.list.InsertRow(0, {0, "前の結果", "", "", "", ""});
    h.list.ReplaceColumn3(HighestBidderHeading());

    EXPECT_EQ(LoadSecondaryList(h.ports(), PATH, 0), 1);

    ASSERT_EQ(h.list.RowCount(), 3);
    EXPECT_EQ(h.list.Row(0), (ListingRow{ROW_ICON_SECONDARY, "ロボット", "1,200", "5", "2日", "http://www.sorel.test/item/1.html"}));
    EXPECT_EQ(h.list.Row(1), (ListingRow{ROW_ICON_SECONDARY, "人形", "非公開", "-", "3時間", "http://www.sorel.test/item/2.html"}));
    EXPECT_EQ(h.list.Row(2), (ListingRow{ROW_ICON_SECONDARY, "積み木", "9", "-", "30分", "http://www.sorel.test/category/toys/item/3.html"}));
    EXPECT_EQ(h.list.Column3().text, "入札回数");
    EXPECT_EQ(h.progress.opened, 1);
    EXPECT_FALSE(h.progress.IsOpen());
    EXPECT_EQ(h.progress.statuses, std::vector<std::string>{"接続中..."});
    EXPECT_EQ(h.progress.itemSteps, 0);
    EXPECT_EQ(h.pump.calls, 4); // before the request and after each row
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_FALSE(test::FileExists(h.work / "getdata.txt"));
}

TEST_F(ListingSecondaryTest, AOneBytePriceAndAnEmptyEndTimeGiveEmptyTexts) {
    h.server.SetPage(SOREL, PATH, SorelPage(SorelRow("/item/1.html", "小", "9", "", "1")));

    EXPECT_EQ(LoadSecondaryList(h.ports(), PATH, 0), 1);

    EXPECT_EQ(h.list.Rows(), (std::vector<ListingRow>{{ROW_ICON_SECONDARY, "小", "", "1", "", "http://www.sorel.test/item/1.html"}}));
}

TEST_F(ListingSecondaryTest, AStartPositionAddsToTheListAtThatPlace) {
    h.server.SetPage(SOREL, PATH, SorelPage(SorelRow("/i/1", "新しい", "1円", EndText(now + 7200), "0")));
    h.list.InsertRow(0, {0, "一", "", "", "", ""});
    h.list.InsertRow(1, {0, "二", "", "", "", ""});

    EXPECT_EQ(LoadSecondaryList(h.ports(), PATH, 1), 1);

    EXPECT_EQ(h.Titles(), (std::vector<std::string>{"一", "新しい", "二"}));
}

TEST_F(ListingSecondaryTest, APageWithoutRowsEmptiesTheList) {
    h.server.SetPage(SOREL, PATH, SorelPage("<tr><td>出品はありません</td></tr>"));
    h.list.InsertRow(0, {0, "前の結果", "", "", "", ""});

    EXPECT_EQ(LoadSecondaryList(h.ports(), PATH, 0), 1);
    EXPECT_EQ(h.list.RowCount(), 0);
    EXPECT_FALSE(h.progress.IsOpen());
}

TEST_F(ListingSecondaryTest, CancelStopsAfterTheCurrentRow) {
    const std::string rows = SorelRow("/i/1", "一", "1円", "", "0") + SorelRow("/i/2", "二", "1円", "", "0") +
                             SorelRow("/i/3", "三", "1円", "", "0");
    h.server.SetPage(SOREL, PATH, SorelPage(rows));
    // The first pump comes before the request, the third after the second row.
    h.pump.onCall = [this](int call) {
        if (call == 3)
            h.progress.PressCancel();
    };

    EXPECT_EQ(LoadSecondaryList(h.ports(), PATH, 0), 1);

    EXPECT_EQ(h.Titles(), (std::vector<std::string>{"一", "二"}));
    EXPECT_FALSE(h.progress.IsOpen());
}

TEST_F(ListingSecondaryTest, FailuresReportTheirCode) {
    struct Case {
        const char* name;
        int status;
        std::string body;
        const char* message;
        bool errFile;
    };
    const std::vector<Case> cases = {
        {"not found", 404, "x", "htmlﾌｧｲﾙの取得に失敗しました(015001)", false},
        {"empty", 200, "", "htmlﾌｧｲﾙの解析に失敗しました(015004)", true},
        {"no category marker", 200, "<td width=\"50%\"><font size=\"2\">x（1）</font></td>",
         "htmlﾌｧｲﾙの解析に失敗しました(015004)", true},
        {"no count end", 200, "このカテゴリに出品<td width=\"50%\"><font size=\"2\">x</font></td>",
         "htmlﾌｧｲﾙの解析に失敗しました(015004)", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListingHarness h;
        h.server.SetPage(SOREL, PATH, c.body, c.status);

        EXPECT_EQ(LoadSecondaryList(h.ports(), PATH, 0), 0);

        ASSERT_EQ(h.messages.shown.size(), 1u);
        EXPECT_EQ(h.messages.shown[0].text, c.message);
        EXPECT_EQ(h.messages.shown[0].buttons, MessageButtons::AbortRetryIgnore);
        EXPECT_FALSE(h.progress.IsOpen());
        EXPECT_EQ(test::FileExists(h.work / "ERR_015004.txt"), c.errFile);
        if (c.errFile) {
            EXPECT_EQ(test::ReadFileBytes(h.work / "ERR_015004.txt"), c.body);
        }
    }
}

} // namespace
} // namespace kelo
