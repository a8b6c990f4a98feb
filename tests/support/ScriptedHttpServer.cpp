#include "ScriptedHttpServer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

namespace velmora::test {

namespace {

constexpr qint64 kFloodChunk = 64 * 1024;

QByteArray requestTarget(const QByteArray& request) {
    const QByteArray line = request.left(request.indexOf("\r\n"));
    const QList<QByteArray> fields = line.split(' ');
    return fields.value(1);
}

} // namespace

ScriptedHttpServer::ScriptedHttpServer(QObject* parent) : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, &ScriptedHttpServer::onNewConnection);
}

ScriptedHttpServer::~ScriptedHttpServer() {
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it) {
        it.key()->disconnect(this);
        it.key()->abort();
    }
}

bool ScriptedHttpServer::listen() {
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QString ScriptedHttpServer::hostPort() const {
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

void ScriptedHttpServer::addReply(const QByteArray& path, const Reply& reply) {
    m_replies[path] << reply;
}

void ScriptedHttpServer::addGuide(const QByteArray& indexPath, const QList<QByteArray>& pages) {
    const qsizetype slash = indexPath.lastIndexOf('/');
    const QByteArray folder = indexPath.left(slash + 1);
    // Each guide's pages in a folder named after its index, as two guides
    // share the index folder.
    const QByteArray pageFolder = indexPath.mid(slash + 1).chopped(4) + '/';
    QByteArray index = "; test guide\r\n";
    for (int page = 0; page < pages.size(); ++page) {
        const QByteArray name =
            pageFolder + 'p' + QByteArray::number(page + 1).rightJustified(2, '0') + ".jpg";
        index += name + "\r\n";
        Reply reply{response("200 OK", pages.at(page))};
        reply.gated = true;
        addReply(folder + name, reply);
    }
    addReply(indexPath, response("200 OK", index));
}

void ScriptedHttpServer::release(int count) {
    m_allowance += count;
    answerWaiting();
}

void ScriptedHttpServer::answerWaiting() {
    while (m_allowance > 0 && !m_waiting.isEmpty()) {
        const auto [socket, reply] = m_waiting.takeFirst();
        if (!socket || !m_connections.contains(socket))
            continue;
        --m_allowance;
        send(socket, reply);
    }
}

QList<QByteArray> ScriptedHttpServer::requestedPaths() const {
    QList<QByteArray> paths;
    for (const QByteArray& request : m_requests)
        paths << requestTarget(request);
    return paths;
}

QByteArray ScriptedHttpServer::response(const QByteArray& status, const QByteArray& body,
                                        bool withLength, const QByteArray& contentType) {
    QByteArray bytes = "HTTP/1.0 " + status + "\r\nContent-Type: " + contentType + "\r\n";
    if (withLength)
        bytes += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return bytes + "\r\n" + body;
}

void ScriptedHttpServer::onNewConnection() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        socket->setParent(this);
        m_connections.insert(socket, Connection{});
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { sendFlood(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_waiting.removeIf([socket](const auto& waiting) { return waiting.first == socket; });
            const Connection connection = m_connections.take(socket);
            if (!connection.done) {
                ++m_droppedByClient;
                emit clientDropped();
            }
            socket->deleteLater();
        });
    }
}

void ScriptedHttpServer::onReadyRead(QTcpSocket* socket) {
    Connection& connection = m_connections[socket];
    connection.received += socket->readAll();
    const qsizetype end = connection.received.indexOf("\r\n\r\n");
    if (connection.answered || end < 0)
        return;
    connection.answered = true;
    // A copy of its own: what readAll() gave may hold a buffer of many
    // kilobytes, and a long run keeps thousands of requests.
    const QByteArray request(connection.received.constData(), end + 4);
    const QByteArray path = requestTarget(request);
    m_requests << request;

    QList<Reply>& queue = m_replies[path];
    const Reply reply = queue.isEmpty() ? Reply{response("404 Not Found", "<html>Not found</html>")}
                                        : (queue.size() > 1 ? queue.takeFirst() : queue.first());
    // A handler may run the event loop, in which the client can hang up and
    // its socket go away: look both up again afterwards.
    const QPointer<QTcpSocket> alive(socket);
    emit requestReceived(path);
    if (!alive || !m_connections.contains(socket))
        return;
    if (reply.gated) {
        m_waiting.append({socket, reply});
        answerWaiting();
        return;
    }
    send(socket, reply);
}

void ScriptedHttpServer::send(QTcpSocket* socket, const Reply& reply) {
    const auto it = m_connections.find(socket);
    if (reply.trickleMs > 0) {
        startTrickle(socket, reply.bytes, reply.trickleMs);
        return;
    }
    socket->write(reply.bytes);
    if (reply.reset) {
        // Everything written reaches the kernel first; a zero linger time
        // then makes the close a reset, and the unsent rest is dropped.
        socket->flush();
        const linger abortive{1, 0};
        ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive,
                     sizeof abortive);
        it->done = true;
        socket->abort();
        return;
    }
    it->floodLeft = reply.floodBytes;
    it->done = !reply.hold && reply.floodBytes == 0;
    if (it->done)
        socket->disconnectFromHost();
    else
        sendFlood(socket);
}

void ScriptedHttpServer::startTrickle(QTcpSocket* socket, const QByteArray& bytes, int intervalMs) {
    auto* timer = new QTimer(socket);
    timer->setInterval(intervalMs);
    connect(timer, &QTimer::timeout, socket, [socket, timer, bytes, sent = qsizetype(0)]() mutable {
        if (sent < bytes.size())
            socket->write(bytes.mid(sent++, 1));
        else
            timer->stop();
    });
    timer->start();
}

void ScriptedHttpServer::sendFlood(QTcpSocket* socket) {
    auto it = m_connections.find(socket);
    if (it == m_connections.end() || it->floodLeft <= 0 || socket->bytesToWrite() > kFloodChunk)
        return;
    const qint64 chunk = qMin(kFloodChunk, it->floodLeft);
    it->floodLeft -= chunk;
    socket->write(QByteArray(chunk, 'x'));
}

} // namespace velmora::test
