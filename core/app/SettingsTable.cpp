#include "app/SettingsTable.h"

#include <array>
#include <cctype>
#include <climits>

namespace kelo {
namespace {

constexpr const char* RESUME = "RESUME";
constexpr const char* OPTION = "OPTION";

constexpr std::array<SettingDef, 14> kSettings{{
    {Setting::WindowTop, RESUME, "TOP", SettingKind::Integer, 0, nullptr},
    {Setting::WindowLeft, RESUME, "LEFT", SettingKind::Integer, 0, nullptr},
    {Setting::WindowWidth, RESUME, "WIDTH", SettingKind::Integer, 640, nullptr},
    {Setting::WindowHeight, RESUME, "HEIGHT", SettingKind::Integer, 560, nullptr},
    {Setting::HistoryLimit, OPTION, "HISTORY", SettingKind::Integer, 30, nullptr},
    {Setting::SplitLoading, OPTION, "SPLIT", SettingKind::Integer, 0, nullptr},
    {Setting::SplitPages, OPTION, "SPLIT_PG", SettingKind::Integer, 3, nullptr},
    {Setting::ListUpdate, OPTION, "LST_UPDATE", SettingKind::Integer, 1, nullptr},
    {Setting::ProxySwitch, OPTION, "PROXY_SW", SettingKind::String, 0, "0"},
    // The shipped default really is 129.0.0.1, not the loopback address.
    {Setting::ProxyAddress, OPTION, "PROXY_IP", SettingKind::String, 0, "129.0.0.1"},
    {Setting::ProxyPort, OPTION, "PROXY_PORT", SettingKind::String, 0, "8080"},
    {Setting::VantoId, OPTION, "VANTO_ID", SettingKind::String, 0, ""},
    {Setting::VantoPassword, OPTION, "VANTO_PD", SettingKind::String, 0, ""},
    {Setting::ConnectionKind, OPTION, "INET", SettingKind::Integer, 1, nullptr},
}};

} // namespace

std::span<const SettingDef> SettingsTable() { return kSettings; }

const SettingDef& SettingDefinition(Setting id) {
    for (const SettingDef& def : kSettings)
        if (def.id == id)
            return def;
    return kSettings.front(); // unreachable: every Setting has a row
}

int ReadIntSetting(SettingsStore& store, Setting id) {
    const SettingDef& def = SettingDefinition(id);
    return store.GetProfileInt(def.section, def.key, def.intDefault);
}

std::string ReadStringSetting(SettingsStore& store, Setting id) {
    const SettingDef& def = SettingDefinition(id);
    return store.GetProfileString(def.section, def.key, def.stringDefault ? def.stringDefault : "");
}

void WriteIntSetting(SettingsStore& store, Setting id, int value) {
    const SettingDef& def = SettingDefinition(id);
    store.WriteProfileInt(def.section, def.key, value);
}

void WriteStringSetting(SettingsStore& store, Setting id, const std::string& value) {
    const SettingDef& def = SettingDefinition(id);
    store.WriteProfileString(def.section, def.key, value);
}

int LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace kelo
