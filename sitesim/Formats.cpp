#include "Formats.h"

#include <cstdio>

namespace sitesim {

std::string Formats::Yen(long amount)
{
    std::string digits = std::to_string(amount < 0 ? -amount : amount);
    std::string out;
    int count = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (count > 0 && count % 3 == 0)
            out.insert(out.begin(), ',');
        out.insert(out.begin(), *it);
        ++count;
    }
    return amount < 0 ? "-" + out : out;
}

std::string Formats::TimeLeft(std::time_t end, std::time_t now)
{
    long seconds = static_cast<long>(end - now);
    if (seconds <= 0)
        return "終了";
    long minutes = seconds / 60;
    if (minutes >= 1440)
        return std::to_string(minutes / 1440) + "日";
    if (minutes >= 60)
        return std::to_string(minutes / 60) + "時間";
    return std::to_string(minutes) + "分";
}

static std::tm Local(std::time_t when)
{
    std::tm parts{};
    localtime_r(&when, &parts);
    return parts;
}

std::string Formats::JapaneseDate(std::time_t when)
{
    std::tm t = Local(when);
    char text[64];
    std::snprintf(text, sizeof text, "%d月%d日 %d時%02d分", t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min);
    return text;
}

std::string Formats::SorelDate(std::time_t when)
{
    std::tm t = Local(when);
    char text[32];
    std::snprintf(text, sizeof text, "%d/%d  %d:%02d", t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min);
    return text;
}

std::string Formats::HistoryDate(std::time_t when)
{
    std::tm t = Local(when);
    char text[40];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

} // namespace sitesim
