#include "VideoListFile.h"

#include <QStringDecoder>

namespace velmora::VideoListFile {

namespace {

const QString kRecordMarker = QStringLiteral("[R]");
const QString kEntryMarker = QStringLiteral("[C]");

QStringView trimmedSpaces(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.sliced(first, last - first);
}

// The first kMaxEntries entries of a video list; an empty list has none.
QStringList entries(QStringView list) {
    QStringList found;
    if (list.isEmpty())
        return found;
    qsizetype start = 0;
    while (found.size() < kMaxEntries) {
        const qsizetype end = list.indexOf(kEntryMarker, start);
        if (end < 0) {
            found << list.sliced(start).toString();
            break;
        }
        found << list.sliced(start, end - start).toString();
        start = end + kEntryMarker.size();
    }
    return found;
}

} // namespace

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

// The file is walked marker by marker rather than split: splitting a file
// of bare markers makes a string for each of hundreds of thousands of pieces.
QStringList categoryNames(const QString& text) {
    QStringList names;
    qsizetype start = 0;
    while (names.size() < kMaxEntries) {
        const qsizetype nameEnd = text.indexOf(kRecordMarker, start);
        if (nameEnd < 0)
            break;
        names << text.mid(start, nameEnd - start);
        // The piece after the final marker never names a category.
        const qsizetype listEnd = text.indexOf(kRecordMarker, nameEnd + kRecordMarker.size());
        if (listEnd < 0)
            break;
        start = listEnd + kRecordMarker.size();
    }
    return names;
}

QStringList categoryEntries(const QString& text, const QString& category) {
    const QString wanted = trimSpaces(category);
    const QStringView view(text);
    qsizetype start = 0;
    for (;;) {
        const qsizetype nameEnd = text.indexOf(kRecordMarker, start);
        if (nameEnd < 0)
            return {};
        const qsizetype listStart = nameEnd + kRecordMarker.size();
        const qsizetype nextMarker = text.indexOf(kRecordMarker, listStart);
        const qsizetype listEnd = nextMarker < 0 ? text.size() : nextMarker;
        if (trimmedSpaces(view.sliced(start, nameEnd - start)) == wanted)
            return entries(view.sliced(listStart, listEnd - listStart));
        if (nextMarker < 0)
            return {};
        start = nextMarker + kRecordMarker.size();
    }
}

QString trimSpaces(const QString& text) {
    return trimmedSpaces(text).toString();
}

std::optional<QString> displayName(const QString& entry) {
    if (entry.size() < 4)
        return std::nullopt;
    return entry.left(entry.size() - 4);
}

} // namespace velmora::VideoListFile
