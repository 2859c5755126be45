#pragma once
// Every persistent setting of the program, with its section, key, kind and
// default, in one table. Readers and writers name a Setting; nobody spells a
// key or a default anywhere else.

#include "app/SettingsStore.h"

#include <span>
#include <string>

namespace kelo {

enum class Setting {
    WindowTop,
    WindowLeft,
    WindowWidth,
    WindowHeight,
    HistoryLimit,
    SplitLoading,
    SplitPages,
    ListUpdate,
    ProxySwitch,
    ProxyAddress,
    ProxyPort,
    VantoId,
    VantoPassword,
    ConnectionKind,
};

enum class SettingKind { Integer, String };

struct SettingDef {
    Setting id;
    const char* section;
    const char* key;
    SettingKind kind;
    int intDefault;
    const char* stringDefault;
};

std::span<const SettingDef> SettingsTable();
const SettingDef& SettingDefinition(Setting id);

int ReadIntSetting(SettingsStore& store, Setting id);
std::string ReadStringSetting(SettingsStore& store, Setting id);
void WriteIntSetting(SettingsStore& store, Setting id, int value);
void WriteStringSetting(SettingsStore& store, Setting id, const std::string& value);

// The leading-decimal-number rule the profile uses for numbers kept as text
// and for numbers typed into edit fields: optional blanks, an optional sign,
// then digits; text that does not start with digits reads as 0.
int LeadingNumber(std::string_view text);

} // namespace kelo
