#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace velmora::bench {

/// The demo server's timed access log (one line per request: its end in
/// seconds since the epoch, its duration, status, bytes sent, request line).
/// Times a client as the server saw it: from the start of the first request
/// logged since `mark` to the end of the last one.
class ServerLog {
public:
    explicit ServerLog(const QString& path) : m_path(path) {}

    struct Span {
        int requests = 0;
        qint64 bodyBytes = 0;
        double seconds = 0;
    };

    /// One request as the server logged it, times in seconds since the epoch.
    struct Request {
        double start = 0;
        double end = 0;
        qint64 bodyBytes = 0;
        double seconds() const { return end - start; }
    };

    /// Forgets everything logged so far.
    void mark();
    /// The requests logged since the last `mark`.
    Span sinceMark() const;
    /// The same requests one by one, in the order they were logged.
    QList<Request> requestsSinceMark() const;

private:
    QString m_path;
    qint64 m_offset = 0;
};

} // namespace velmora::bench
