#include "net/TimeLeft.h"

#include "app/SettingsTable.h"
#include "net/JString.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace kelo {
namespace {

constexpr int MINUTES_PER_DAY = 1440;
constexpr int NO_VALUE_KEY = 999999999; // "-" sorts after every value

Clock gClock;

int ClampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int NumberAfter(std::string_view text, std::size_t at) {
    return at == std::string_view::npos || at > text.size() ? 0 : LeadingNumber(text.substr(at));
}

std::string WithoutCommas(std::string_view text) {
    std::string digits;
    for (char c : text)
        if (c != ',')
            digits.push_back(c);
    return digits;
}

bool HasUnitAfterFirstByte(std::string_view cell, std::string_view unit) {
    return FindMarker(cell, unit, 1) >= 1;
}

} // namespace

void SetClock(Clock clock) { gClock = std::move(clock); }
std::time_t Now() { return gClock ? gClock() : std::time(nullptr); }

std::time_t EndTimeFromParts(int month, int day, int hour, int minute) {
    const std::time_t now = Now();
    std::tm today{};
    localtime_r(&now, &today);
    std::tm end{};
    end.tm_year = today.tm_year + (month < today.tm_mon + 1 ? 1 : 0);
    end.tm_mon = month - 1;
    end.tm_mday = day;
    end.tm_hour = hour;
    end.tm_min = minute;
    end.tm_sec = 0;
    end.tm_isdst = -1;
    return std::mktime(&end);
}

std::string FormatTimeLeft(std::string_view endText) {
    const std::size_t slash = endText.find('/');
    const std::size_t spaces = endText.find("  ");
    const std::size_t colon = endText.find(':');
    const int month = LeadingNumber(endText);
    const int day = NumberAfter(endText, slash == std::string_view::npos ? slash : slash + 1);
    const int hour = NumberAfter(endText, spaces == std::string_view::npos ? spaces : spaces + 2);
    const int minute = NumberAfter(endText, colon == std::string_view::npos ? colon : colon + 1);

    const long long minutes = static_cast<long long>(EndTimeFromParts(month, day, hour, minute) - Now()) / 60;
    char text[32];
    if (minutes >= MINUTES_PER_DAY)
        std::snprintf(text, sizeof text, "%lld日", minutes / MINUTES_PER_DAY);
    else if (minutes < 60)
        std::snprintf(text, sizeof text, "%lld分", minutes);
    else
        std::snprintf(text, sizeof text, "%lld時間", minutes / 60);
    return text;
}

std::string FormatSummaryTimeLeft(std::time_t end) {
    const long long span = static_cast<long long>(end - Now());
    char text[32];
    if (span / 3600 != 0)
        std::snprintf(text, sizeof text, "残%03lldH", span / 3600);
    else
        std::snprintf(text, sizeof text, "残%03lldM", span / 60);
    return text;
}

// The unit rules read numbers of any length: "100日" is a hundred days, not
// the bare number 100 it would be if only one- and two-digit counts had units.
int TimeLeftSortKey(std::string_view cell) {
    if (const std::size_t comma = cell.find(','); comma != std::string_view::npos && comma >= 1)
        return LeadingNumber(WithoutCommas(cell));
    if (HasUnitAfterFirstByte(cell, "日"))
        return ClampToInt(static_cast<long long>(LeadingNumber(cell)) * MINUTES_PER_DAY);
    if (HasUnitAfterFirstByte(cell, "時間"))
        return ClampToInt(static_cast<long long>(LeadingNumber(cell)) * 60);
    if (HasUnitAfterFirstByte(cell, "分"))
        return LeadingNumber(cell);
    if (cell == "-")
        return NO_VALUE_KEY;
    return LeadingNumber(cell);
}

} // namespace kelo
