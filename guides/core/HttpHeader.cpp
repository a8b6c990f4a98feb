#include "HttpHeader.h"

#include <QList>

namespace velmora {

QString GetStatusCode(const QByteArray& header) {
    const qsizetype lineEnd = header.indexOf("\r\n");
    const QByteArray statusLine = lineEnd < 0 ? header : header.left(lineEnd);
    const QList<QByteArray> fields = statusLine.split(' ');
    return fields.size() < 2 ? QString() : QString::fromLatin1(fields.at(1));
}

QString GetHeaderValue(const QByteArray& header, const QString& name) {
    // Only a match at the start of a line counts: the same letters inside
    // another field's name or value ("X-Content-Length", a URL) must not
    // stand in for the field itself.
    const QByteArray wanted = name.toLatin1().toLower() + ':';
    const QByteArray lower = header.toLower();
    qsizetype lineStart = 0;
    while (lineStart < lower.size()) {
        qsizetype lineEnd = lower.indexOf("\r\n", lineStart);
        if (lineEnd < 0)
            lineEnd = lower.size();
        if (QByteArrayView(lower).sliced(lineStart, lineEnd - lineStart).startsWith(wanted)) {
            const qsizetype valueStart = lineStart + wanted.size();
            const QByteArray value = header.mid(valueStart, lineEnd - valueStart);
            return QString::fromLatin1(value).trimmed();
        }
        lineStart = lineEnd + 2;
    }
    return {};
}

std::optional<qint64> GetContentLength(const QByteArray& header) {
    const QString value = GetHeaderValue(header, QStringLiteral("Content-Length"));
    if (value.isEmpty())
        return std::nullopt;
    for (const QChar c : value) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const qint64 length = value.toLongLong(&ok);
    return ok ? std::optional<qint64>(length) : std::nullopt;
}

} // namespace velmora
