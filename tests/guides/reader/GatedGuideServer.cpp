#include "GatedGuideServer.h"

#include <QTcpSocket>

namespace velmora::test {

GatedGuideServer::GatedGuideServer(QObject* parent) : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            m_received.insert(socket, {});
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                const auto waiting =
                    std::find_if(m_waiting.begin(), m_waiting.end(),
                                 [socket](const auto& w) { return w.first == socket; });
                if (waiting != m_waiting.end()) {
                    m_waiting.erase(waiting);
                    ++m_dropped;
                }
                m_received.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

GatedGuideServer::~GatedGuideServer() {
    for (auto it = m_received.cbegin(); it != m_received.cend(); ++it) {
        it.key()->disconnect(this);
        it.key()->abort();
    }
}

bool GatedGuideServer::listen() {
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QString GatedGuideServer::hostPort() const {
    return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort());
}

void GatedGuideServer::addFile(const QByteArray& path, const QByteArray& bytes) {
    m_files.insert(path, bytes);
}

void GatedGuideServer::addGuide(const QByteArray& indexPath, const QList<QByteArray>& pages) {
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
        addFile(folder + name, pages.at(page));
    }
    addFile(indexPath, index);
}

void GatedGuideServer::release(int count) {
    m_allowance += count;
    answerWaiting();
}

void GatedGuideServer::onReadyRead(QTcpSocket* socket) {
    QByteArray& received = m_received[socket];
    if (received.contains("\r\n\r\n"))
        return;
    received += socket->readAll();
    const qsizetype end = received.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    const QByteArray path = received.left(received.indexOf("\r\n")).split(' ').value(1);
    m_paths << path;
    emit requestReceived(path);
    if (path.endsWith(".txt") || !m_files.contains(path))
        answer(socket, path);
    else {
        m_waiting.append({socket, path});
        answerWaiting();
    }
}

void GatedGuideServer::answerWaiting() {
    while (m_allowance > 0 && !m_waiting.isEmpty()) {
        --m_allowance;
        const auto [socket, path] = m_waiting.takeFirst();
        answer(socket, path);
    }
}

void GatedGuideServer::answer(QTcpSocket* socket, const QByteArray& path) {
    const bool known = m_files.contains(path);
    const QByteArray body = known ? m_files.value(path) : QByteArray("<html>Not found</html>");
    socket->write("HTTP/1.0 " + QByteArray(known ? "200 OK" : "404 Not Found") +
                  "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    socket->disconnectFromHost();
}

} // namespace velmora::test
