#include "VideoAddresses.h"

namespace velmora::VideoAddresses {

namespace {

bool isBuyer(const QString& kind) {
    return kind == QLatin1String("Buyer");
}

QString onServer(const QString& server, const QString& path) {
    return QStringLiteral("http://") + server + path;
}

// Percent-encodes only what would break the query; '%' first so that the
// escapes added for the others are not escaped again.
QString escapeQueryValue(QString value) {
    value.replace(QLatin1Char('%'), QLatin1String("%25"));
    value.replace(QLatin1Char('&'), QLatin1String("%26"));
    value.replace(QLatin1Char('#'), QLatin1String("%23"));
    value.replace(QLatin1Char('+'), QLatin1String("%2B"));
    return value;
}

} // namespace

QString categoryFile(const QString& server, const QString& kind) {
    return onServer(server, isBuyer(kind) ? QStringLiteral("/VelmoraPackage/videobuyer.txt")
                                          : QStringLiteral("/VelmoraPackage/videocoder.txt"));
}

QString videoFile(const QString& server, const QString& kind) {
    return onServer(server, isBuyer(kind) ? QStringLiteral("/VelmoraPackage/demo/videobuyer.txt")
                                          : QStringLiteral("/VelmoraPackage/demo/videocoder.txt"));
}

QString playerPage(const QString& server, const QString& kind, const QString& displayName) {
    if (kind != QLatin1String("Buyer") && kind != QLatin1String("Coder"))
        return {};
    return onServer(
               server,
               QStringLiteral("/displaypaidVideosVelmora/demo/%1/pmovie.php?fname=").arg(kind)) +
           escapeQueryValue(displayName) + QStringLiteral(".swf");
}

} // namespace velmora::VideoAddresses
