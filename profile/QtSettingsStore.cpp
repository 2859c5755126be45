#include "QtSettingsStore.h"

#include "net/Unicode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace kelo {
namespace {

constexpr const char* COMPANY = "Local AppWizard-Generated Applications";
constexpr const char* APPLICATION = "Kelo";

QString KeyPath(std::string_view section, std::string_view key) {
    return QString::fromStdString(SjisToUtf8(section) + "/" + SjisToUtf8(key));
}

// The profile holds the site password: only its owner may read it. An empty
// file made up front lets every later atomic rewrite keep these permissions.
void KeepOwnerOnly(const QString& path) {
    if (path.isEmpty())
        return;
    if (!QFileInfo::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return;
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace

QtSettingsStore::QtSettingsStore()
#ifdef Q_OS_WIN
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, COMPANY, APPLICATION))
#else
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, COMPANY, APPLICATION))
#endif
{
#ifndef Q_OS_WIN
    KeepOwnerOnly(settings_->fileName());
#endif
}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {
    KeepOwnerOnly(iniPath);
}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::fileName() const { return settings_->fileName(); }

int QtSettingsStore::GetProfileInt(std::string_view section, std::string_view key, int defaultValue) {
    settings_->sync(); // another Kelo process may have written since
    const QVariant value = settings_->value(KeyPath(section, key));
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : 0;
}

std::string QtSettingsStore::GetProfileString(std::string_view section, std::string_view key,
                                              std::string_view defaultValue) {
    settings_->sync();
    const QVariant value = settings_->value(KeyPath(section, key));
    if (!value.isValid())
        return std::string(defaultValue);
    return Utf8ToSjis(value.toString().toStdString());
}

void QtSettingsStore::WriteProfileInt(std::string_view section, std::string_view key, int value) {
    settings_->setValue(KeyPath(section, key), value);
    Commit();
}

void QtSettingsStore::WriteProfileString(std::string_view section, std::string_view key,
                                         std::string_view value) {
    settings_->setValue(KeyPath(section, key), QString::fromStdString(SjisToUtf8(value)));
    Commit();
}

// Written at once: the next read anywhere sees the value. QSettings rewrites
// the file through a temporary file and a rename, so a crash mid-write leaves
// the old file whole.
void QtSettingsStore::Commit() {
    settings_->sync();
#ifndef Q_OS_WIN
    KeepOwnerOnly(settings_->fileName());
#endif
}

} // namespace kelo
