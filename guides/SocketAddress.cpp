#include "SocketAddress.h"

#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <cstring>

namespace velmora {

namespace {

bool isIPv4(const QHostAddress& address) {
    bool ok = false;
    address.toIPv4Address(&ok);
    return ok;
}

// A scope as Qt keeps it ("2" or "eth0") to an interface index; 0 when it
// names no interface.
std::optional<quint32> scopeIndex(const QString& scope) {
    if (scope.isEmpty())
        return 0;
    bool number = false;
    const uint index = scope.toUInt(&number);
    if (number)
        return index;
    const unsigned named = if_nametoindex(scope.toLocal8Bit().constData());
    if (named == 0)
        return std::nullopt;
    return named;
}

} // namespace

std::optional<SocketAddress> SocketAddress::from(const QHostAddress& address, quint16 port) {
    SocketAddress result;
    bool ok = false;
    const quint32 v4 = address.toIPv4Address(&ok);
    if (ok) {
        sockaddr_in target{};
        target.sin_family = AF_INET;
        target.sin_port = htons(port);
        target.sin_addr.s_addr = htonl(v4);
        std::memcpy(&result.m_storage, &target, sizeof target);
        result.m_size = sizeof target;
        return result;
    }
    if (address.protocol() != QAbstractSocket::IPv6Protocol)
        return std::nullopt;
    const std::optional<quint32> scope = scopeIndex(address.scopeId());
    if (!scope)
        return std::nullopt;
    const Q_IPV6ADDR v6 = address.toIPv6Address();
    sockaddr_in6 target{};
    target.sin6_family = AF_INET6;
    target.sin6_port = htons(port);
    static_assert(sizeof target.sin6_addr == sizeof v6.c);
    std::memcpy(&target.sin6_addr, v6.c, sizeof v6.c);
    target.sin6_scope_id = *scope;
    std::memcpy(&result.m_storage, &target, sizeof target);
    result.m_size = sizeof target;
    return result;
}

QList<QHostAddress> connectOrder(const QList<QHostAddress>& addresses) {
    QList<QHostAddress> ordered = addresses;
    std::stable_partition(ordered.begin(), ordered.end(), isIPv4);
    return ordered;
}

} // namespace velmora
