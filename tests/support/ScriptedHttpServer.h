#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>

#include <climits>

class QTcpSocket;

namespace velmora::test {

/// A real HTTP server on 127.0.0.1 for tests that need exact bytes and
/// hostile answers.  Each connection's request (up to its blank line) is
/// recorded; the answer is the next reply queued for the request's path
/// (the last one queued repeats), sent byte for byte, then the server closes
/// the connection as an HTTP/1.0 server does.  An unknown path gets a 404.
/// A reply marked `gated` waits, unanswered, until the test releases it:
/// a guide's pages can be let out one at a time.
class ScriptedHttpServer : public QObject {
    Q_OBJECT

public:
    struct Reply {
        /// Sent as is: status line, header and body, or anything else.
        QByteArray bytes;
        /// Then this many filler bytes, as fast as the client takes them.
        qint64 floodBytes = 0;
        /// Keep the connection open after sending instead of closing it.
        bool hold = false;
        /// End with a reset (RST) instead of an orderly close.
        bool reset = false;
        /// Send `bytes` one byte per this many milliseconds (0: at once);
        /// the connection then stays open until the client drops it.
        int trickleMs = 0;
        /// Held back, unanswered, until release() lets it out.
        bool gated = false;
    };

    explicit ScriptedHttpServer(QObject* parent = nullptr);
    ~ScriptedHttpServer() override;

    /// Listens on a free loopback port; false when that failed.
    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    /// "127.0.0.1:<port>".
    QString hostPort() const;

    /// Queues `reply` for requests of `path` (as on the request line).
    void addReply(const QByteArray& path, const Reply& reply);
    void addReply(const QByteArray& path, const QByteArray& bytes) { addReply(path, Reply{bytes}); }
    /// Serves a guide: the index at `indexPath` ("<folder>/<name>.txt"),
    /// answered at once, listing page files "<name>/pNN.jpg" of its folder
    /// with `pages` as their bytes; each page is gated.
    void addGuide(const QByteArray& indexPath, const QList<QByteArray>& pages);

    /// Lets `count` more gated replies out, answering waiting requests first.
    void release(int count = 1);
    /// Lets every gated reply out from now on.
    void releaseAll() { release(INT_MAX / 2); }
    /// Requests of gated replies that wait for a release.
    int waitingCount() const { return int(m_waiting.size()); }

    /// Every request received, in order, byte for byte.
    const QList<QByteArray>& requests() const { return m_requests; }
    /// The request-line target of every request, in order.
    QList<QByteArray> requestedPaths() const;
    /// Connections the client closed or dropped while the server still
    /// held them open (a reply with `hold`, a flood, an unanswered request).
    int droppedByClient() const { return m_droppedByClient; }

    /// A complete response: "HTTP/1.0 <status>", a Content-Type, a
    /// Content-Length (unless `withLength` is false), the blank line, `body`.
    static QByteArray response(const QByteArray& status, const QByteArray& body,
                               bool withLength = true,
                               const QByteArray& contentType = "application/octet-stream");

signals:
    void requestReceived(const QByteArray& path);
    void clientDropped();

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void sendFlood(QTcpSocket* socket);
    void startTrickle(QTcpSocket* socket, const QByteArray& bytes, int intervalMs);
    void send(QTcpSocket* socket, const Reply& reply);
    void answerWaiting();

    struct Connection {
        QByteArray received;
        bool answered = false;
        bool done = false;
        qint64 floodLeft = 0;
    };

    QTcpServer m_server;
    QHash<QByteArray, QList<Reply>> m_replies;
    QHash<QTcpSocket*, Connection> m_connections;
    QList<QByteArray> m_requests;
    QList<QPair<QPointer<QTcpSocket>, Reply>> m_waiting;
    int m_allowance = 0;
    int m_droppedByClient = 0;
};

} // namespace velmora::test
