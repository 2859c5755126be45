#include "net/TimeLeft.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kelo {
namespace {

using test::LocalTime;

class TimeLeftTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override { SetClock(nullptr); }
    void SeenAt(std::time_t now) {
        SetClock([now] { return now; });
    }
};

TEST_F(TimeLeftTest, ListFormsFromSecondarySiteEndTimes) {
    SeenAt(LocalTime(2026, 5, 20, 12, 0));
    struct {
        const char* end;
        const char* expected;
    } cases[] = {
        {"5/21  12:00", "1日"},    // exactly a day
        {"5/21  11:59", "23時間"}, // a minute short of a day
        {"5/20  13:00", "1時間"},
        {"5/20  12:59", "59分"},
        {"5/20  11:30", "-30分"},   // ended half an hour ago
        {"5/19  12:00", "-1440分"}, // ended a day ago: still minutes
        {"6/1  0:05", "11日"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTimeLeft(c.end), c.expected) << c.end;
}

TEST_F(TimeLeftTest, JanuaryEndSeenInDecemberIsNextYear) {
    SeenAt(LocalTime(2026, 12, 15, 0, 0));
    EXPECT_EQ(FormatTimeLeft("1/1  0:00"), "17日");
    EXPECT_EQ(EndTimeFromParts(1, 5, 0, 0), LocalTime(2027, 1, 5, 0, 0));
    EXPECT_EQ(EndTimeFromParts(12, 31, 0, 0), LocalTime(2026, 12, 31, 0, 0));
}

TEST_F(TimeLeftTest, SummaryLabelUsesHoursUntilUnderAnHour) {
    const std::time_t now = LocalTime(2026, 5, 20, 12, 0);
    SeenAt(now);
    struct {
        long seconds;
        const char* expected;
    } cases[] = {
        {45 * 60, "残045M"},
        {3 * 3600 + 59 * 60, "残003H"},
        {-90 * 60, "残-01H"},
        {-30 * 60, "残-30M"},
        {0, "残000M"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatSummaryTimeLeft(now + c.seconds), c.expected) << c.seconds;
}

TEST(TimeLeftSortKeyTest, KeysOfPricesBidsAndTimesLeft) {
    struct {
        const char* cell;
        int key;
    } cases[] = {
        {"3日", 4320},     {"5時間", 300},       {"12分", 12},          {"-", 999999999},
        {"12,000", 12000}, {"1,234,567", 1234567}, {"100日", 144000},  {"240時間", 14400},
        {"", 0},           {"taro", 0},          {"7seas", 7},          {"42", 42},
        {"日", 0},         {",5", 0},            {"-5分", -5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeLeftSortKey(c.cell), c.key) << c.cell;
}

} // namespace
} // namespace kelo
