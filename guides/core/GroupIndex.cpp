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

std::optional<QByteArrayList> ParseGroupIndex(const QByteArray& body, qsizetype maxPages) {
    QByteArrayList pages;
    qsizetype start = 0;
    while (start <= body.size()) {
        qsizetype end = body.indexOf('\n', start);
        if (end < 0)
            end = body.size();
        QByteArrayView line(body.constData() + start, end - start);
        // A name can never hold a line break, so an index saved with bare
        // LF endings reads the same as one with CR LF.  A CR with no LF
        // after it ends no line and stays part of the name.
        if (end < body.size() && line.endsWith('\r'))
            line.chop(1);
        if (!isBlankOrComment(line)) {
            if (pages.size() == maxPages)
                return std::nullopt;
            pages << line.toByteArray();
        }
        start = end + 1;
    }
    return pages;
}

} // namespace velmora
