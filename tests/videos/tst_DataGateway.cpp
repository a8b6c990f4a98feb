#include "ScriptedHttpServer.h"
#include "videos/DataGateway.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace velmora;
using test::ScriptedHttpServer;

Q_DECLARE_METATYPE(velmora::test::ScriptedHttpServer::Reply)

class tst_DataGateway : public QObject {
    Q_OBJECT
private slots:
    void init();
    void fetchesTextAndReportsReceived();
    void failuresGiveNothing_data();
    void failuresGiveNothing();
    void refusesAddressesItCannotFetch_data();
    void refusesAddressesItCannotFetch();
    void unreachableServerGivesNothing();
    void cancelEndsTheRunningRequest();
    void cancelWhenIdleIsHarmless();
    void timeoutEndsAHangingRequest();
    void secondRequestWhileBusyIsRefused();

private:
    QString url(const QByteArray& path) const { return "http://" + m_server->hostPort() + path; }
    void holdForever(const QByteArray& path) {
        m_server->addReply(path, ScriptedHttpServer::Reply{QByteArray(), 0, true});
    }
    std::unique_ptr<ScriptedHttpServer> m_server;
};

void tst_DataGateway::init() {
    m_server = std::make_unique<ScriptedHttpServer>();
    QVERIFY(m_server->listen());
}

void tst_DataGateway::fetchesTextAndReportsReceived() {
    m_server->addReply("/list.txt", ScriptedHttpServer::response("200 OK", "All[R]a.swf[R]"));
    DataGateway gateway;
    QSignalSpy states(&gateway, &DataGateway::stateChanged);
    QCOMPARE(gateway.openUrl(url("/list.txt")), std::optional<QString>("All[R]a.swf[R]"));
    QVERIFY(!gateway.isBusy());
    QVERIFY(states.count() >= 2);
    QCOMPARE(states.first().at(0).value<qint16>(), qint16(DataGateway::Requesting));
    QCOMPARE(states.last().at(0).value<qint16>(), qint16(DataGateway::ResponseReceived));
}

void tst_DataGateway::failuresGiveNothing_data() {
    QTest::addColumn<ScriptedHttpServer::Reply>("reply");
    QTest::addColumn<qint64>("maximumSize");
    QTest::newRow("not-found") << ScriptedHttpServer::Reply{ScriptedHttpServer::response(
                                      "404 Not Found", "gone")}
                               << qint64(1000);
    QTest::newRow("server-error") << ScriptedHttpServer::Reply{ScriptedHttpServer::response(
                                         "500 Internal Server Error", "oops")}
                                  << qint64(1000);
    QTest::newRow("body-cut-short")
        << ScriptedHttpServer::Reply{"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly ten.."}
        << qint64(1000);
    QTest::newRow("body-over-limit")
        << ScriptedHttpServer::Reply{"HTTP/1.0 200 OK\r\n\r\n", 200000, false} << qint64(1000);
    QTest::newRow("not-http") << ScriptedHttpServer::Reply{"garbage\r\n\r\n"} << qint64(1000);
}

void tst_DataGateway::failuresGiveNothing() {
    QFETCH(ScriptedHttpServer::Reply, reply);
    QFETCH(qint64, maximumSize);
    m_server->addReply("/list.txt", reply);
    DataGateway gateway;
    gateway.setMaximumSize(maximumSize);
    QSignalSpy states(&gateway, &DataGateway::stateChanged);
    QCOMPARE(gateway.openUrl(url("/list.txt")), std::nullopt);
    QVERIFY(!gateway.isBusy());
    QCOMPARE(states.last().at(0).value<qint16>(), qint16(DataGateway::Failed));
}

void tst_DataGateway::refusesAddressesItCannotFetch_data() {
    QTest::addColumn<QString>("address");
    QTest::newRow("empty") << QString();
    QTest::newRow("no-host") << "http:///VelmoraPackage/videobuyer.txt";
    QTest::newRow("file-scheme") << "file:///etc/passwd";
    QTest::newRow("spaces-left-in") << " http://127.0.0.1/";
}

void tst_DataGateway::refusesAddressesItCannotFetch() {
    QFETCH(QString, address);
    DataGateway gateway;
    QCOMPARE(gateway.openUrl(address), std::nullopt);
    QVERIFY(!gateway.isBusy());
}

void tst_DataGateway::unreachableServerGivesNothing() {
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    DataGateway gateway;
    QCOMPARE(gateway.openUrl(QStringLiteral("http://127.0.0.1:%1/x.txt").arg(port)), std::nullopt);
    QVERIFY(!gateway.isBusy());
}

void tst_DataGateway::cancelEndsTheRunningRequest() {
    holdForever("/slow.txt");
    DataGateway gateway;
    bool busyWhileRunning = false;
    connect(
        m_server.get(), &ScriptedHttpServer::requestReceived, &gateway,
        [&] {
            busyWhileRunning = gateway.isBusy();
            gateway.cancel();
            QVERIFY(!gateway.isBusy());
        },
        Qt::SingleShotConnection);
    QCOMPARE(gateway.openUrl(url("/slow.txt")), std::nullopt);
    QVERIFY(busyWhileRunning);
    QVERIFY(!gateway.isBusy());
    // The gateway is usable again at once.
    m_server->addReply("/next.txt", ScriptedHttpServer::response("200 OK", "next"));
    QCOMPARE(gateway.openUrl(url("/next.txt")), std::optional<QString>("next"));
}

void tst_DataGateway::cancelWhenIdleIsHarmless() {
    DataGateway gateway;
    QSignalSpy states(&gateway, &DataGateway::stateChanged);
    gateway.cancel();
    QVERIFY(!gateway.isBusy());
    QCOMPARE(states.count(), 0);
}

void tst_DataGateway::timeoutEndsAHangingRequest() {
    holdForever("/slow.txt");
    DataGateway gateway;
    gateway.setTimeout(std::chrono::milliseconds(300));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(gateway.openUrl(url("/slow.txt")), std::nullopt);
    QVERIFY2(clock.elapsed() >= 250 && clock.elapsed() < 5000,
             qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!gateway.isBusy());
}

void tst_DataGateway::secondRequestWhileBusyIsRefused() {
    holdForever("/slow.txt");
    m_server->addReply("/other.txt", ScriptedHttpServer::response("200 OK", "other"));
    DataGateway gateway;
    std::optional<QString> second = QStringLiteral("not run");
    connect(m_server.get(), &ScriptedHttpServer::requestReceived, &gateway, [&] {
        second = gateway.openUrl(url("/other.txt"));
        gateway.cancel();
    });
    QCOMPARE(gateway.openUrl(url("/slow.txt")), std::nullopt);
    QCOMPARE(second, std::nullopt);
    QCOMPARE(m_server->requestedPaths(), QList<QByteArray>{"/slow.txt"});
}

QTEST_GUILESS_MAIN(tst_DataGateway)
#include "tst_DataGateway.moc"
