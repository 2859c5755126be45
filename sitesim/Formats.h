#pragma once
// The ways the sites write numbers, times and dates (UTF-8 text).

#include <ctime>
#include <string>

namespace sitesim {

class Formats {
public:
    // 1234567 -> "1,234,567".
    static std::string Yen(long amount);
    // What is left of an auction in the listings: days, hours or minutes;
    // "終了" once it has ended.
    static std::string TimeLeft(std::time_t end, std::time_t now);
    // "12月15日 21時30分" in local time, as the item page writes its dates.
    static std::string JapaneseDate(std::time_t when);
    // "12/15  21:30" in local time: Sorel's end-time cell.
    static std::string SorelDate(std::time_t when);
    // "2026/12/15 21:30:05" for bid histories.
    static std::string HistoryDate(std::time_t when);
};

} // namespace sitesim
