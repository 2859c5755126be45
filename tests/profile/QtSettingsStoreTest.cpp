#include "QtSettingsStore.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace kelo {
namespace {

TEST(QtSettingsStoreTest, ValuesSurviveAndTextIsUnicodeInTheFile) {
    test::TempDir dir;
    const std::string ini = dir / "Kelo.ini";
    {
        QtSettingsStore store(QString::fromStdString(ini));
        EXPECT_EQ(store.GetProfileInt("OPTION", "HISTORY", 30), 30);
        EXPECT_EQ(store.GetProfileString("OPTION", "PROXY_IP", "129.0.0.1"), "129.0.0.1");
        store.WriteProfileInt("OPTION", "HISTORY", 5);
        store.WriteProfileString("OPTION", "VANTO_ID", "太郎\x95\x5C"); // ends in 表, trail byte 0x5C
        store.WriteProfileString("OPTION", "PROXY_SW", "1");
    }
    QtSettingsStore again(QString::fromStdString(ini));
    EXPECT_EQ(again.GetProfileInt("OPTION", "HISTORY", 30), 5);
    EXPECT_EQ(again.GetProfileString("OPTION", "VANTO_ID", ""), "太郎\x95\x5C");
    EXPECT_EQ(again.GetProfileString("OPTION", "PROXY_SW", "0"), "1");
    EXPECT_NE(test::ReadFileBytes(ini).find(reinterpret_cast<const char*>(u8"太郎表")), std::string::npos);
    EXPECT_EQ(test::FileMode(ini), 0600u); // it holds the site password
}

TEST(QtSettingsStoreTest, WriteIsSeenByAnotherStoreAtOnce) {
    test::TempDir dir;
    const QString ini = QString::fromStdString(dir / "Kelo.ini");
    QtSettingsStore writer(ini);
    QtSettingsStore reader(ini);
    EXPECT_EQ(reader.GetProfileString("OPTION", "PROXY_PORT", "8080"), "8080");
    writer.WriteProfileString("OPTION", "PROXY_PORT", "3128");
    EXPECT_EQ(reader.GetProfileString("OPTION", "PROXY_PORT", "8080"), "3128");
}

} // namespace
} // namespace kelo
