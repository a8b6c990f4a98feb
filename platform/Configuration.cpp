#include "Configuration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace velmora {

namespace {

void applyFile(Configuration& config, const QString& path) {
    if (!QFileInfo::exists(path))
        return;
    QSettings file(path, QSettings::IniFormat);
    Configuration::applyHostPort(config.contentServer,
                                 file.value(QStringLiteral("Servers/ContentServer")).toString());
    Configuration::applyHostPort(config.webSite,
                                 file.value(QStringLiteral("Servers/WebSite")).toString());
    Configuration::applyMiB(config.pageBudgetMiB,
                            file.value(QStringLiteral("Limits/PageBudgetMiB")).toString());
}

} // namespace

bool Configuration::applyHostPort(QString& target, const QString& value) {
    const QString trimmed = value.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('/')) ||
        trimmed.contains(QLatin1Char(' ')))
        return false;
    const qsizetype colon = trimmed.lastIndexOf(QLatin1Char(':'));
    if (colon == 0)
        return false;
    if (colon > 0) {
        bool ok = false;
        const int port = trimmed.mid(colon + 1).toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return false;
    }
    target = trimmed;
    return true;
}

bool Configuration::applyMiB(qint64& target, const QString& value) {
    bool ok = false;
    const qint64 mib = value.trimmed().toLongLong(&ok);
    if (!ok || mib < 1 || mib > 1024 * 1024)
        return false;
    target = mib;
    return true;
}

Configuration Configuration::load() {
    Configuration config;
    // The system's file, then the one beside the executable (a build tree's),
    // then the user's own: each later one wins.
    applyFile(config, QStringLiteral(VELMORA_SYSTEM_CONFIG));
    if (QCoreApplication::instance())
        applyFile(
            config,
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("velmora.conf")));
    applyFile(config, QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                          .filePath(QStringLiteral("Velmora/velmora.conf")));
    applyHostPort(config.contentServer, qEnvironmentVariable("VELMORA_CONTENT_SERVER"));
    applyHostPort(config.webSite, qEnvironmentVariable("VELMORA_WEB_SITE"));
    return config;
}

const Configuration& Configuration::current() {
    static const Configuration config = load();
    return config;
}

} // namespace velmora
