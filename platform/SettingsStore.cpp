#include "SettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace velmora {

namespace {

// One INI file per application in the user's configuration folder, so the
// file name is the application and the groups are the sections.
QString storeFile(const QString& application) {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(application + QStringLiteral("/settings.ini"));
}

QString settingKey(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

QString SettingsStore::read(const QString& application, const QString& section,
                            const QString& key) {
    QSettings settings(storeFile(application), QSettings::IniFormat);
    return settings.value(settingKey(section, key)).toString();
}

bool SettingsStore::write(const QString& application, const QString& section, const QString& key,
                          const QString& value) {
    const QString file = storeFile(application);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(settingKey(section, key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace velmora
