#pragma once

#include <QHostAddress>
#include <QList>

#include <sys/socket.h>

#include <optional>

namespace velmora {

/// A system socket address (IPv4 or IPv6, with the scope of a link-local
/// IPv6 address) built from a QHostAddress and a port, ready for
/// `connect()`.  An IPv4-mapped IPv6 address becomes the IPv4 address it
/// maps, so it reaches servers that listen on IPv4 alone.
class SocketAddress {
public:
    /// The address of `address` on `port`; nothing when a part of it cannot
    /// be converted (a null or unknown address, a scope that names no
    /// interface of this machine).
    static std::optional<SocketAddress> from(const QHostAddress& address, quint16 port);

    int family() const { return m_storage.ss_family; }
    const sockaddr* data() const { return reinterpret_cast<const sockaddr*>(&m_storage); }
    socklen_t size() const { return m_size; }

private:
    sockaddr_storage m_storage{};
    socklen_t m_size = 0;
};

/// `addresses` in the order a client tries them: the IPv4 ones (mapped ones
/// included) first, as servers that listen on IPv4 alone are the common
/// case, then the others; each group keeps the resolver's order.
QList<QHostAddress> connectOrder(const QList<QHostAddress>& addresses);

} // namespace velmora
