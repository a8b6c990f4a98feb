#include "VideoAddresses.h"

#include "platform/Kind.h"

namespace velmora::VideoAddresses {

namespace {

// Only Buyer's own text selects the Buyer files; any other, "Coder" included,
// selects Coder's.
bool isBuyer(const QString& kind) {
    return kindFromText(kind) == Kind::Buyer;
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
    if (kindFromText(kind) == Kind::None)
        return {};
    return onServer(
               server,
               QStringLiteral("/displaypaidVideosVelmora/demo/%1/pmovie.php?fname=").arg(kind)) +
           escapeQueryValue(displayName) + QStringLiteral(".swf");
}

} // namespace velmora::VideoAddresses
