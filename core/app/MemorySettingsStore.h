#pragma once
// A settings store that lives only in memory: the store the core starts with,
// and the one its tests use.

#include "app/SettingsStore.h"

#include <map>
#include <string>
#include <utility>
#include <variant>

namespace kelo {

class MemorySettingsStore : public SettingsStore {
public:
    int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) override;
    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) override;
    void WriteProfileInt(std::string_view section, std::string_view key, int value) override;
    void WriteProfileString(std::string_view section, std::string_view key,
                            std::string_view value) override;

private:
    std::map<std::pair<std::string, std::string>, std::variant<int, std::string>> values_;
};

} // namespace kelo
