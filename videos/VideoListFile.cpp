#include "VideoListFile.h"

#include <QStringDecoder>

namespace velmora::VideoListFile {

namespace {

const QString kRecordMarker = QStringLiteral("[R]");
const QString kEntryMarker = QStringLiteral("[C]");

} // namespace

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

QStringList categoryNames(const QString& text) {
    const QStringList pieces = text.split(kRecordMarker);
    QStringList names;
    // The last piece follows the final marker and never names a category.
    for (qsizetype i = 0; i < pieces.size() - 1; i += 2)
        names << pieces.at(i);
    return names;
}

QStringList categoryEntries(const QString& text, const QString& category) {
    const QStringList pieces = text.split(kRecordMarker);
    const QString wanted = trimSpaces(category);
    for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
        if (trimSpaces(pieces.at(i)) != wanted)
            continue;
        const QString& list = pieces.at(i + 1);
        return list.isEmpty() ? QStringList() : list.split(kEntryMarker);
    }
    return {};
}

QString trimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

std::optional<QString> displayName(const QString& entry) {
    if (entry.size() < 4)
        return std::nullopt;
    return entry.left(entry.size() - 4);
}

} // namespace velmora::VideoListFile
