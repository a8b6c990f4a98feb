#include "PageSocket.h"

#include "SocketAddress.h"

#include <QHostInfo>
#include <QPointer>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmora {

PageSocket::PageSocket(QObject* parent) : QObject(parent) {
    connect(&m_readNotifier, &QSocketNotifier::activated, this, &PageSocket::onReadable);
    connect(&m_writeNotifier, &QSocketNotifier::activated, this, &PageSocket::onWritable);
}

PageSocket::~PageSocket() {
    close();
}

void PageSocket::close() {
    if (m_lookupId >= 0) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
    }
    dropDescriptor();
    m_candidates.clear();
    m_pending.clear();
    m_ended = false;
    m_readError = 0;
    ++m_generation;
}

void PageSocket::dropDescriptor() {
    // Either notifier may be the one whose signal is running: switched off
    // here, it is given the next descriptor by the next connection.
    m_readNotifier.setEnabled(false);
    m_writeNotifier.setEnabled(false);
    m_connecting = false;
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

void PageSocket::connectToAddresses(const QList<QHostAddress>& addresses, quint16 port) {
    close();
    m_port = port;
    m_lastError = 0;
    m_candidates = connectOrder(addresses);
    connectToNext();
}

void PageSocket::connectToHost(const QString& host, quint16 port) {
    QHostAddress address;
    if (address.setAddress(host)) {
        connectToAddresses({address}, port);
        return;
    }
    // The pages of a guide all come from one server: its name is looked up
    // once, not once per page.
    if (host == m_resolvedHost && !m_resolved.isEmpty()) {
        connectToAddresses(m_resolved, port);
        return;
    }
    close();
    // A name: looked up on Qt's resolver thread so the window never blocks.
    m_lookupId = QHostInfo::lookupHost(
        host, this, [this, host, port, generation = m_generation](const QHostInfo& info) {
            // A result for a connection dropped meanwhile is no longer wanted.
            if (generation != m_generation)
                return;
            m_lookupId = -1;
            if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
                // The resolver has no errno of its own; "host unreachable" is
                // the system's nearest number for a name that leads nowhere.
                fail(EHOSTUNREACH, info.errorString());
                return;
            }
            m_resolvedHost = host;
            m_resolved = info.addresses();
            connectToAddresses(m_resolved, port);
        });
}

void PageSocket::connectToNext() {
    while (!m_candidates.isEmpty()) {
        const std::optional<SocketAddress> target =
            SocketAddress::from(m_candidates.takeFirst(), m_port);
        if (!target) {
            m_lastError = EADDRNOTAVAIL;
            continue;
        }
        m_fd = ::socket(target->family(), SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (m_fd < 0) {
            m_lastError = errno;
            continue;
        }
        if (::connect(m_fd, target->data(), target->size()) < 0 && errno != EINPROGRESS) {
            m_lastError = errno;
            dropDescriptor();
            continue;
        }
        m_connecting = true;
        m_writeNotifier.setSocket(m_fd);
        m_writeNotifier.setEnabled(true);
        return;
    }
    // Reported from the event loop, as a connect that fails later would be.
    failLater(m_lastError != 0 ? m_lastError : EADDRNOTAVAIL);
}

void PageSocket::onWritable() {
    if (m_fd < 0)
        return;
    if (m_connecting) {
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length) < 0)
            error = errno;
        if (error != 0) {
            // The next address, if there is one; else this error is the one told.
            m_lastError = error;
            dropDescriptor();
            connectToNext();
            return;
        }
        // A wake-up meant for an earlier descriptor of the same number may
        // come before this connect is through: not connected yet, wait on.
        sockaddr_storage peer{};
        socklen_t peerLength = sizeof peer;
        if (::getpeername(m_fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) < 0)
            return;
        m_connecting = false;
        m_writeNotifier.setEnabled(false);
        m_readNotifier.setSocket(m_fd);
        m_readNotifier.setEnabled(true);
        emit connected();
        return;
    }
    write({});
}

void PageSocket::write(const QByteArray& bytes) {
    m_pending += bytes;
    if (m_fd < 0 || m_connecting)
        return;
    while (!m_pending.isEmpty()) {
        const ssize_t sent =
            ::send(m_fd, m_pending.constData(), size_t(m_pending.size()), MSG_NOSIGNAL);
        if (sent < 0) {
            const int error = errno;
            if (error == EINTR)
                continue;
            if (error == EAGAIN || error == EWOULDBLOCK)
                break;
            // Reported from the event loop, which keeps the order of events.
            failLater(error);
            m_pending.clear();
            break;
        }
        m_pending.remove(0, qsizetype(sent));
    }
    if (m_writeNotifier.socket() == m_fd)
        m_writeNotifier.setEnabled(!m_pending.isEmpty());
}

void PageSocket::onReadable() {
    if (m_fd < 0 || m_connecting)
        return;
    const QPointer<PageSocket> alive(this);
    emit readyRead();
    if (!alive || m_fd < 0)
        return;
    // The end or the failure a read met, told now that the owner's read is
    // over: its handlers may show messages and delete the owner.
    if (m_readError != 0)
        fail(m_readError);
    else if (m_ended) {
        close();
        emit closedByPeer();
    }
}

qsizetype PageSocket::bytesAvailable() const {
    int available = 0;
    if (m_fd < 0 || ::ioctl(m_fd, FIONREAD, &available) < 0)
        return 0;
    return qMax(available, 1);
}

qsizetype PageSocket::read(std::span<char> room) {
    if (m_fd < 0 || m_connecting || m_ended || m_readError != 0 || room.empty())
        return -1;
    ssize_t received = -1;
    int error = 0;
    do {
        received = ::recv(m_fd, room.data(), room.size(), 0);
        error = received < 0 ? errno : 0;
    } while (received < 0 && error == EINTR);
    if (received > 0)
        return qsizetype(received);
    if (received < 0 && (error == EAGAIN || error == EWOULDBLOCK))
        return -1;
    // The end of the stream or a failure: nothing more is read from this
    // connection.
    m_readNotifier.setEnabled(false);
    if (received == 0) {
        m_ended = true;
        return 0;
    }
    m_readError = error;
    return -1;
}

void PageSocket::failLater(int number) {
    // Dropped when the connection it belongs to has been closed meanwhile.
    QMetaObject::invokeMethod(
        this,
        [this, number, generation = m_generation] {
            if (generation == m_generation)
                fail(number);
        },
        Qt::QueuedConnection);
}

void PageSocket::fail(int number) {
    fail(number, QString::fromLocal8Bit(std::strerror(number)));
}

void PageSocket::fail(int number, const QString& description) {
    close();
    emit errorOccurred(number, description);
}

} // namespace velmora
