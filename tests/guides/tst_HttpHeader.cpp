#include "HttpHeader.h"

#include <QTest>

using namespace velmora;

class tst_HttpHeader : public QObject {
    Q_OBJECT

private slots:
    void statusCode_data();
    void statusCode();
    void headerValue_data();
    void headerValue();
    void contentLength_data();
    void contentLength();
};

void tst_HttpHeader::statusCode_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("status");
    QTest::newRow("ok") << QByteArray("HTTP/1.0 200 OK\r\nServer: x") << "200";
    QTest::newRow("not-found") << QByteArray("HTTP/1.1 404 Not Found") << "404";
    QTest::newRow("no-reason") << QByteArray("HTTP/1.0 200") << "200";
    QTest::newRow("double-space") << QByteArray("HTTP/1.0  200 OK") << "";
    QTest::newRow("one-field") << QByteArray("garbage\r\nHTTP/1.0 200 OK") << "";
}

void tst_HttpHeader::statusCode() {
    QFETCH(QByteArray, header);
    QFETCH(QString, status);
    QCOMPARE(GetStatusCode(header), status);
}

void tst_HttpHeader::headerValue_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("value");
    QTest::newRow("middle") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 12\r\nServer: s")
                            << "12";
    QTest::newRow("last-line") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 7") << "7";
    QTest::newRow("any-case") << QByteArray("HTTP/1.0 200 OK\r\ncontent-LENGTH:   9  ") << "9";
    QTest::newRow("missing") << QByteArray("HTTP/1.0 200 OK\r\nServer: s") << "";
    QTest::newRow("first-of-two")
        << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 1\r\nContent-Length: 2") << "1";
    QTest::newRow("inside-other-name")
        << QByteArray("HTTP/1.0 200 OK\r\nX-Content-Length: 99\r\nContent-Length: 3") << "3";
    QTest::newRow("inside-other-value")
        << QByteArray("HTTP/1.0 200 OK\r\nLink: </Content-Length: 5>\r\nContent-Length: 3") << "3";
}

void tst_HttpHeader::headerValue() {
    QFETCH(QByteArray, header);
    QFETCH(QString, value);
    QCOMPARE(GetHeaderValue(header, QStringLiteral("Content-Length")), value);
}

void tst_HttpHeader::contentLength_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<qint64>("length"); // -1: no usable length
    QTest::newRow("number") << QByteArray("512") << qint64(512);
    QTest::newRow("zero") << QByteArray("0") << qint64(0);
    QTest::newRow("large") << QByteArray("5000000000") << qint64(5000000000);
    QTest::newRow("empty") << QByteArray("") << qint64(-1);
    QTest::newRow("negative") << QByteArray("-5") << qint64(-1);
    QTest::newRow("words") << QByteArray("five") << qint64(-1);
    QTest::newRow("trailing-junk") << QByteArray("5x") << qint64(-1);
    QTest::newRow("overflowing") << QByteArray("99999999999999999999999") << qint64(-1);
}

void tst_HttpHeader::contentLength() {
    QFETCH(QByteArray, value);
    QFETCH(qint64, length);
    const auto parsed = GetContentLength("HTTP/1.0 200 OK\r\nContent-Length: " + value);
    QCOMPARE(parsed.value_or(-1), length);
}

QTEST_APPLESS_MAIN(tst_HttpHeader)
#include "tst_HttpHeader.moc"
