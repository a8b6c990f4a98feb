#include "ServerLog.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

namespace velmora::bench {

void ServerLog::mark() {
    m_offset = QFileInfo(m_path).size();
}

ServerLog::Span ServerLog::sinceMark() const {
    Span span;
    double first = std::numeric_limits<double>::max();
    double last = 0;
    for (const Request& request : requestsSinceMark()) {
        first = qMin(first, request.start);
        last = qMax(last, request.end);
        span.bodyBytes += request.bodyBytes;
        ++span.requests;
    }
    span.seconds = span.requests > 0 ? last - first : 0;
    return span;
}

QList<ServerLog::Request> ServerLog::requestsSinceMark() const {
    QList<Request> requests;
    QFile log(m_path);
    if (!log.open(QIODevice::ReadOnly) || !log.seek(m_offset))
        return requests;
    for (const QByteArray& line : log.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 4)
            continue;
        // $msec is when the response ended; less $request_time is its start.
        Request request;
        request.end = fields.at(0).toDouble();
        request.start = request.end - fields.at(1).toDouble();
        request.bodyBytes = fields.at(3).toLongLong();
        requests << request;
    }
    return requests;
}

} // namespace velmora::bench
