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
    const QString name = settingKey(section, key);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QVariant before;
    QSettings::Status status = QSettings::NoError;
    {
        QSettings settings(file, QSettings::IniFormat);
        before = settings.value(name);
        settings.setValue(name, value);
        settings.sync();
        status = settings.status();
    }
    if (status == QSettings::NoError)
        return true;
    // A damaged file reports a format error however the write went; a
    // fresh look meets no error once the value is on disk.
    QSettings check(file, QSettings::IniFormat);
    if (status == QSettings::FormatError && check.status() == QSettings::NoError)
        return true;
    // Qt may keep a change it could not write in the process's copy of the
    // file, where every later read would find it: take it back.
    if (before.isValid())
        check.setValue(name, before);
    else
        check.remove(name);
    return false;
}

} // namespace velmora
