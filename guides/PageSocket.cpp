#include "PageSocket.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace velmora {

PageSocket::PageSocket(QObject* parent) : QObject(parent) {}

PageSocket::~PageSocket() {
    close();
}

void PageSocket::close() {
    if (m_lookupId >= 0) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
    }
    retire(m_readNotifier);
    retire(m_writeNotifier);
    m_pending.clear();
    m_connecting = false;
    ++m_generation;
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

void PageSocket::retire(QSocketNotifier*& notifier) {
    if (!notifier)
        return;
    // It may be the very notifier whose signal is running: switched off at
    // once, deleted once that is over.
    notifier->setEnabled(false);
    notifier->disconnect(this);
    notifier->deleteLater();
    notifier = nullptr;
}

void PageSocket::connectToHost(const QString& host, quint16 port) {
    close();
    QHostAddress address;
    if (address.setAddress(host)) {
        startConnect(address.toString().toLatin1(),
                     address.protocol() == QAbstractSocket::IPv6Protocol ? AF_INET6 : AF_INET,
                     port);
        return;
    }
    // A name: look it up on Qt's resolver thread so the window never blocks.
    m_lookupId = QHostInfo::lookupHost(host, this, [this, port](const QHostInfo& info) {
        m_lookupId = -1;
        const QList<QHostAddress> addresses = info.addresses();
        if (info.error() != QHostInfo::NoError || addresses.isEmpty()) {
            // The resolver has no errno of its own; "host unreachable" is
            // the system's nearest number for a name that leads nowhere.
            fail(EHOSTUNREACH, info.errorString());
            return;
        }
        // One address is tried; an IPv4 one where there is one, as servers
        // listening on IPv4 alone are the common case.
        const auto v4 =
            std::find_if(addresses.cbegin(), addresses.cend(), [](const QHostAddress& a) {
                return a.protocol() == QAbstractSocket::IPv4Protocol;
            });
        const QHostAddress& chosen = v4 != addresses.cend() ? *v4 : addresses.first();
        startConnect(chosen.toString().toLatin1(),
                     chosen.protocol() == QAbstractSocket::IPv6Protocol ? AF_INET6 : AF_INET, port);
    });
}

void PageSocket::startConnect(const QByteArray& address, int family, quint16 port) {
    m_fd = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0) {
        failLater(errno);
        return;
    }
    int result = -1;
    if (family == AF_INET6) {
        sockaddr_in6 target{};
        target.sin6_family = AF_INET6;
        target.sin6_port = htons(port);
        inet_pton(AF_INET6, address.constData(), &target.sin6_addr);
        result = ::connect(m_fd, reinterpret_cast<const sockaddr*>(&target), sizeof target);
    } else {
        sockaddr_in target{};
        target.sin_family = AF_INET;
        target.sin_port = htons(port);
        inet_pton(AF_INET, address.constData(), &target.sin_addr);
        result = ::connect(m_fd, reinterpret_cast<const sockaddr*>(&target), sizeof target);
    }
    if (result < 0 && errno != EINPROGRESS) {
        failLater(errno);
        return;
    }
    m_connecting = true;
    m_writeNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Write, this);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PageSocket::onWritable);
}

void PageSocket::onWritable() {
    if (m_connecting) {
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length) < 0)
            error = errno;
        if (error != 0) {
            fail(error);
            return;
        }
        m_connecting = false;
        m_writeNotifier->setEnabled(false);
        m_readNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_readNotifier, &QSocketNotifier::activated, this, &PageSocket::onReadable);
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
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                break;
            // Reported by the next read, which keeps the order of events.
            failLater(errno);
            m_pending.clear();
            break;
        }
        m_pending.remove(0, qsizetype(sent));
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_pending.isEmpty());
}

void PageSocket::onReadable() {
    emit readyRead();
}

qsizetype PageSocket::bytesAvailable() const {
    int available = 0;
    if (m_fd < 0 || ::ioctl(m_fd, FIONREAD, &available) < 0)
        return 0;
    return qMax(available, 1);
}

qsizetype PageSocket::read(std::span<char> room) {
    if (m_fd < 0 || m_connecting || room.empty())
        return -1;
    ssize_t received = -1;
    do {
        received = ::recv(m_fd, room.data(), room.size(), 0);
    } while (received < 0 && errno == EINTR);
    if (received > 0)
        return qsizetype(received);
    if (received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return -1;
    // The end of the stream or a failure: nothing more is read from this
    // connection; the owner hears of it from the event loop, outside its
    // own read.
    retire(m_readNotifier);
    if (received == 0) {
        later([this] {
            close();
            emit closedByPeer();
        });
        return 0;
    }
    failLater(errno);
    return -1;
}

void PageSocket::later(std::function<void()> event) {
    // Dropped when the connection it belongs to has been closed meanwhile.
    QMetaObject::invokeMethod(
        this,
        [this, generation = m_generation, event = std::move(event)] {
            if (generation == m_generation)
                event();
        },
        Qt::QueuedConnection);
}

void PageSocket::failLater(int number) {
    later([this, number] { fail(number); });
}

void PageSocket::fail(int number) {
    fail(number, QString::fromLocal8Bit(std::strerror(number)));
}

void PageSocket::fail(int number, const QString& description) {
    close();
    emit errorOccurred(number, description);
}

} // namespace velmora
