// Addresses the page client connects to: built from QHostAddress with every
// conversion checked, tried in turn (IPv4 first) until one connects.

#include "PageSocket.h"
#include "SocketAddress.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cerrno>

using namespace velmora;

namespace {

const sockaddr_in& asV4(const SocketAddress& address) {
    return *reinterpret_cast<const sockaddr_in*>(address.data());
}

const sockaddr_in6& asV6(const SocketAddress& address) {
    return *reinterpret_cast<const sockaddr_in6*>(address.data());
}

QByteArray v6Bytes(const char* text) {
    in6_addr bytes{};
    inet_pton(AF_INET6, text, &bytes);
    return QByteArray(reinterpret_cast<const char*>(&bytes), sizeof bytes);
}

} // namespace

class tst_SocketAddress : public QObject {
    Q_OBJECT

private slots:
    void ipv4();
    void scopedIpv6_data();
    void scopedIpv6();
    void unknownScopeIsRefused();
    void ipv4MappedBecomesIpv4();
    void ipv4First();
    void nextAddressAfterARefusal();
    void lastErrorIsReported();
};

void tst_SocketAddress::ipv4() {
    const auto address = SocketAddress::from(QHostAddress("192.0.2.7"), 8080);
    QVERIFY(address);
    QCOMPARE(address->family(), AF_INET);
    QCOMPARE(address->size(), socklen_t(sizeof(sockaddr_in)));
    QCOMPARE(ntohs(asV4(*address).sin_port), quint16(8080));
    QCOMPARE(ntohl(asV4(*address).sin_addr.s_addr), quint32(0xC0000207));
}

// The scope of a link-local address, by number or by interface name, goes
// into the address: without it the connect would leave on no interface.
void tst_SocketAddress::scopedIpv6_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("scope");
    QTest::newRow("numeric-scope") << "fe80::1%2" << quint32(2);
    QTest::newRow("named-scope") << "fe80::1%lo" << quint32(if_nametoindex("lo"));
    QTest::newRow("no-scope") << "2001:db8::5" << quint32(0);
}

void tst_SocketAddress::scopedIpv6() {
    QFETCH(QString, text);
    QFETCH(quint32, scope);
    QVERIFY(scope != 0 || !text.contains('%'));
    const auto address = SocketAddress::from(QHostAddress(text), 80);
    QVERIFY(address);
    QCOMPARE(address->family(), AF_INET6);
    QCOMPARE(address->size(), socklen_t(sizeof(sockaddr_in6)));
    QCOMPARE(ntohs(asV6(*address).sin6_port), quint16(80));
    QCOMPARE(asV6(*address).sin6_scope_id, scope);
    const QByteArray bytes(reinterpret_cast<const char*>(&asV6(*address).sin6_addr),
                           sizeof(in6_addr));
    QCOMPARE(bytes, v6Bytes(text.section('%', 0, 0).toLatin1().constData()));
}

void tst_SocketAddress::unknownScopeIsRefused() {
    QVERIFY(!SocketAddress::from(QHostAddress("fe80::1%nosuchif0"), 80));
    QVERIFY(!SocketAddress::from(QHostAddress(), 80));
}

// A mapped address reaches a server that listens on IPv4 alone.
void tst_SocketAddress::ipv4MappedBecomesIpv4() {
    const auto address = SocketAddress::from(QHostAddress("::ffff:127.0.0.1"), 81);
    QVERIFY(address);
    QCOMPARE(address->family(), AF_INET);
    QCOMPARE(ntohl(asV4(*address).sin_addr.s_addr), quint32(INADDR_LOOPBACK));
}

void tst_SocketAddress::ipv4First() {
    const QList<QHostAddress> resolved{QHostAddress("2001:db8::1"), QHostAddress("192.0.2.1"),
                                       QHostAddress("::ffff:192.0.2.2"),
                                       QHostAddress("2001:db8::2"), QHostAddress("192.0.2.3")};
    const QList<QHostAddress> expected{QHostAddress("192.0.2.1"), QHostAddress("::ffff:192.0.2.2"),
                                       QHostAddress("192.0.2.3"), QHostAddress("2001:db8::1"),
                                       QHostAddress("2001:db8::2")};
    QCOMPARE(connectOrder(resolved), expected);
}

// 127.0.0.2 is a loopback address nobody listens on at the server's port:
// it refuses, and the next address is tried.
void tst_SocketAddress::nextAddressAfterARefusal() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    PageSocket socket;
    QSignalSpy connected(&socket, &PageSocket::connected);
    QSignalSpy failed(&socket, &PageSocket::errorOccurred);
    socket.connectToAddresses({QHostAddress("127.0.0.2"), QHostAddress("127.0.0.1")},
                              server.serverPort());
    QVERIFY(connected.wait());
    QTRY_VERIFY(server.hasPendingConnections());
    QCOMPARE(failed.count(), 0);
}

// Every address fails: one error, that of the address tried last.
void tst_SocketAddress::lastErrorIsReported() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    server.close();
    PageSocket socket;
    QSignalSpy connected(&socket, &PageSocket::connected);
    QSignalSpy failed(&socket, &PageSocket::errorOccurred);
    socket.connectToAddresses({QHostAddress("fe80::1%nosuchif0"), QHostAddress("127.0.0.2")}, port);
    QTRY_COMPARE(failed.count(), 1);
    // IPv4 first: the unusable scoped address is the last one tried.
    QCOMPARE(failed.first().first().toInt(), EADDRNOTAVAIL);
    socket.connectToAddresses({QHostAddress("127.0.0.3"), QHostAddress("127.0.0.2")}, port);
    QTRY_COMPARE(failed.count(), 2);
    QCOMPARE(failed.last().first().toInt(), ECONNREFUSED);
    QCOMPARE(connected.count(), 0);
}

QTEST_GUILESS_MAIN(tst_SocketAddress)
#include "tst_SocketAddress.moc"
