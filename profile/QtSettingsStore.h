#pragma once
// The settings store on QSettings. Strings are Unicode in the store and
// Shift_JIS at the interface.

#include "app/SettingsStore.h"

#include <QString>

#include <memory>

class QSettings;

namespace kelo {

class QtSettingsStore : public SettingsStore {
public:
    // The product's store: the registry path of the profile on Windows, the
    // per-user INI file elsewhere.
    QtSettingsStore();
    // A store in the given INI file (tests).
    explicit QtSettingsStore(const QString& iniPath);
    ~QtSettingsStore() override;

    int GetProfileInt(std::string_view section, std::string_view key, int defaultValue) override;
    std::string GetProfileString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) override;
    void WriteProfileInt(std::string_view section, std::string_view key, int value) override;
    void WriteProfileString(std::string_view section, std::string_view key,
                            std::string_view value) override;

    QString fileName() const;

private:
    void Commit();
    std::unique_ptr<QSettings> settings_;
};

} // namespace kelo
