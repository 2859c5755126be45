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

// An end written "month/day  hour:minute" as the list form.
std::string FormatTimeLeft(std::string_view endText);
// The summary label for an end time.
std::string FormatSummaryTimeLeft(std::time_t end);
// Sort key of a price, bid-count or time-left cell.
int TimeLeftSortKey(std::string_view cell);

} // namespace kelo
