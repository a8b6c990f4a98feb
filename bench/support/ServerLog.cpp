#include "ServerLog.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#include <limits>

namespace velmora::bench {

void ServerLog::mark() {
    m_offset = QFileInfo(m_path).size();
}

ServerLog::Span ServerLog::sinceMark() const {
    Span span;
    QFile log(m_path);
    if (!log.open(QIODevice::ReadOnly) || !log.seek(m_offset))
        return span;
    double first = std::numeric_limits<double>::max();
    double last = 0;
    for (const QByteArray& line : log.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 4)
            continue;
        // $msec is when the response ended; less $request_time is its start.
        const double end = fields.at(0).toDouble();
        first = qMin(first, end - fields.at(1).toDouble());
        last = qMax(last, end);
        span.bodyBytes += fields.at(3).toLongLong();
        ++span.requests;
    }
    span.seconds = span.requests > 0 ? last - first : 0;
    return span;
}

} // namespace velmora::bench
