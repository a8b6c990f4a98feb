#include "DownloadUrl.h"

namespace velmora {

namespace {

const QString kScheme = QStringLiteral("http://");

QString stripScheme(const QString& url) {
    return IsHttpUrl(url) ? url.mid(kScheme.size()) : url;
}

} // namespace

bool IsHttpUrl(const QString& url) {
    return url.startsWith(kScheme, Qt::CaseInsensitive);
}

QString GetHost(const QString& url) {
    const QString rest = stripScheme(url);
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    return slash < 0 ? rest : rest.left(slash);
}

QString SplitPort(QString& host) {
    const qsizetype colon = host.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return QStringLiteral("80");
    const QString port = host.mid(colon + 1);
    host.truncate(colon);
    return port;
}

QString GetDirectoryPath(const QString& url) {
    const qsizetype lastSlash = url.lastIndexOf(QLatin1Char('/'));
    const QString directory = stripScheme(lastSlash < 0 ? url : url.left(lastSlash + 1));
    const qsizetype firstSlash = directory.indexOf(QLatin1Char('/'));
    return firstSlash < 0 ? QStringLiteral("/") : directory.mid(firstSlash);
}

QString GetFileName(const QString& url) {
    return url.mid(url.lastIndexOf(QLatin1Char('/')) + 1);
}

QString EncodeSpaces(const QString& text) {
    QString encoded = text;
    return encoded.replace(QLatin1Char(' '), QLatin1String("%20"));
}

QByteArray EncodeSpaces(const QByteArray& bytes) {
    QByteArray encoded = bytes;
    return encoded.replace(' ', "%20");
}

} // namespace velmora
