#include "GroupIndex.h"

namespace velmora {

namespace {

bool isBlankOrComment(QByteArrayView line) {
    if (line.startsWith(';'))
        return true;
    for (const char c : line) {
        if (c != ' ')
            return false;
    }
    return true;
}

} // namespace

QStringList ParseGroupIndex(const QByteArray& body) {
    QStringList pages;
    qsizetype start = 0;
    while (start <= body.size()) {
        qsizetype end = body.indexOf('\n', start);
        if (end < 0)
            end = body.size();
        QByteArrayView line(body.constData() + start, end - start);
        // A name can never hold a line break, so an index saved with bare
        // LF endings reads the same as one with CR LF.
        if (line.endsWith('\r'))
            line.chop(1);
        if (!isBlankOrComment(line))
            pages << QString::fromUtf8(line);
        start = end + 1;
    }
    return pages;
}

} // namespace velmora
