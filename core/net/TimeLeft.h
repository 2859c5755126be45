#pragma once
// Time-left texts: "%d日", "%d時間", "%d分" in the list, "残%03dH" / "残%03dM"
// on the button bar, and the numeric key the list sorts by.

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace kelo {

// The clock the time-left texts read; tests fix it.
using Clock = std::function<std::time_t()>;
void SetClock(Clock clock);
std::time_t Now();

// The local time of an end given without its year: this year, or the next
// when the month has already passed (an auction ending in January, seen in
// December).
std::time_t EndTimeFromParts(int month, int day, int hour, int minute);

// An end written "month/day  hour:minute" as the list form.
std::string FormatTimeLeft(std::string_view endText);
// The summary label for an end time: "残%03dH", or "残%03dM" under an hour.
std::string FormatSummaryTimeLeft(std::time_t end);
// Sort key of a price, bid-count or time-left cell.
int TimeLeftSortKey(std::string_view cell);

} // namespace kelo
