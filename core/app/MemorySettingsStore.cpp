#include "app/MemorySettingsStore.h"

#include "app/SettingsTable.h"

namespace kelo {

int MemorySettingsStore::GetProfileInt(std::string_view section, std::string_view key, int defaultValue) {
    auto it = values_.find({std::string(section), std::string(key)});
    if (it == values_.end())
        return defaultValue;
    if (const int* number = std::get_if<int>(&it->second))
        return *number;
    return LeadingNumber(std::get<std::string>(it->second));
}

std::string MemorySettingsStore::GetProfileString(std::string_view section, std::string_view key,
                                                  std::string_view defaultValue) {
    auto it = values_.find({std::string(section), std::string(key)});
    if (it == values_.end())
        return std::string(defaultValue);
    if (const std::string* text = std::get_if<std::string>(&it->second))
        return *text;
    return std::to_string(std::get<int>(it->second));
}

void MemorySettingsStore::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    values_[{std::string(section), std::string(key)}] = value;
}

void MemorySettingsStore::WriteProfileString(std::string_view section, std::string_view key,
                                             std::string_view value) {
    values_[{std::string(section), std::string(key)}] = std::string(value);
}

namespace {
MemorySettingsStore& StartupStore() {
    static MemorySettingsStore store;
    return store;
}
SettingsStore* gProfile = nullptr;
} // namespace

SettingsStore& Profile() { return gProfile ? *gProfile : StartupStore(); }
void SetProfile(SettingsStore& store) { gProfile = &store; }

} // namespace kelo
