#include "app/MemorySettingsStore.h"
#include "app/SettingsTable.h"

#include <gtest/gtest.h>

namespace kelo {
namespace {

TEST(SettingsTableTest, EmptyStoreGivesTheTableDefaults) {
    MemorySettingsStore store;
    EXPECT_EQ(ReadIntSetting(store, Setting::WindowLeft), 0);
    EXPECT_EQ(ReadIntSetting(store, Setting::WindowWidth), 640);
    EXPECT_EQ(ReadIntSetting(store, Setting::WindowHeight), 560);
    EXPECT_EQ(ReadIntSetting(store, Setting::HistoryLimit), 30);
    EXPECT_EQ(ReadIntSetting(store, Setting::SplitPages), 3);
    EXPECT_EQ(ReadIntSetting(store, Setting::ListUpdate), 1);
    EXPECT_EQ(ReadIntSetting(store, Setting::ConnectionKind), 1);
    EXPECT_EQ(ReadStringSetting(store, Setting::ProxySwitch), "0");
    EXPECT_EQ(ReadStringSetting(store, Setting::ProxyAddress), "129.0.0.1");
    EXPECT_EQ(ReadStringSetting(store, Setting::ProxyPort), "8080");
    EXPECT_EQ(ReadStringSetting(store, Setting::VantoId), "");

    WriteStringSetting(store, Setting::ProxyPort, "3128");
    EXPECT_EQ(store.GetProfileString("OPTION", "PROXY_PORT", ""), "3128");
    for (const SettingDef& def : SettingsTable())
        EXPECT_TRUE(std::string(def.section) == "RESUME" || std::string(def.section) == "OPTION") << def.key;
}

TEST(SettingsTableTest, LeadingNumberRule) {
    struct {
        const char* text;
        int value;
    } cases[] = {{"1", 1}, {"0", 0}, {"", 0}, {"2", 2}, {"abc", 0}, {"12abc", 12},
                 {" 7", 7}, {"-3", -3}, {"99999999999", 2147483647}};
    for (const auto& c : cases)
        EXPECT_EQ(LeadingNumber(c.text), c.value) << c.text;
}

} // namespace
} // namespace kelo
