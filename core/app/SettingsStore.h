#pragma once
// The per-user profile: integers and Shift_JIS strings in named sections.
// Every reader reads at the moment of use, so a change written here takes
// effect on the very next use without a restart.

#include <string>
#include <string_view>

namespace kelo {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) = 0;
    virtual std::string GetProfileString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) = 0;
    virtual void WriteProfileInt(std::string_view section, std::string_view key, int value) = 0;
    virtual void WriteProfileString(std::string_view section, std::string_view key,
                                    std::string_view value) = 0;
};

// The store the whole program reads, as the application object would hand it
// out. Until a front end installs its own, an empty in-memory store answers.
SettingsStore& Profile();
void SetProfile(SettingsStore& store);

} // namespace kelo
