#include "Configuration.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace velmora {

namespace {

// Applies a "host[:port]" setting; one that is given but cannot be used is
// told on the terminal, so a mistyped server does not pass unnoticed.
void applyServer(QString& target, const QString& value, const QString& where) {
    if (value.trimmed().isEmpty() || Configuration::applyHostPort(target, value))
        return;
    qWarning().noquote() << QStringLiteral("velmora: %1 \"%2\" refused (expected host[:port] "
                                           "with a port from 1 to 65535 and no IPv6 "
                                           "address); using \"%3\"")
                                .arg(where, value, target);
}

void applyFile(Configuration& config, const QString& path) {
    if (!QFileInfo::exists(path))
        return;
    QSettings file(path, QSettings::IniFormat);
    applyServer(config.contentServer,
                file.value(QStringLiteral("Servers/ContentServer")).toString(),
                path + QStringLiteral(" ContentServer"));
    applyServer(config.webSite, file.value(QStringLiteral("Servers/WebSite")).toString(),
                path + QStringLiteral(" WebSite"));
    Configuration::applyMiB(config.pageBudgetMiB,
                            file.value(QStringLiteral("Limits/PageBudgetMiB")).toString());
}

} // namespace

bool Configuration::applyHostPort(QString& target, const QString& value) {
    const QString trimmed = value.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('/')) ||
        trimmed.contains(QLatin1Char(' ')))
        return false;
    // The port goes after the first colon, so a host with a colon of its
    // own (an IPv6 address, bracketed or not) cannot be told apart from it.
    const qsizetype colon = trimmed.indexOf(QLatin1Char(':'));
    if (colon == 0 || trimmed.indexOf(QLatin1Char(':'), colon + 1) >= 0 ||
        trimmed.contains(QLatin1Char('[')) || trimmed.contains(QLatin1Char(']')))
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
    applyServer(config.contentServer, qEnvironmentVariable("VELMORA_CONTENT_SERVER"),
                QStringLiteral("VELMORA_CONTENT_SERVER"));
    applyServer(config.webSite, qEnvironmentVariable("VELMORA_WEB_SITE"),
                QStringLiteral("VELMORA_WEB_SITE"));
    return config;
}

const Configuration& Configuration::current() {
    static const Configuration config = load();
    return config;
}

} // namespace velmora
