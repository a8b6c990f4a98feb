#include "HttpRequest.h"

#include <QTest>

using namespace velmora;

class tst_HttpRequest : public QObject {
    Q_OBJECT

private slots:
    void escapes_data();
    void escapes();
};

void tst_HttpRequest::escapes_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("requestLine");
    QTest::newRow("plain") << QByteArray("/x/p%201.jpg") << QByteArray("GET /x/p%201.jpg HTTP/1.0");
    QTest::newRow("crlf-injection") << QByteArray("/x/a.jpg HTTP/1.0\r\nX-Evil: 1\r\n\r\n")
                                    << QByteArray("GET /x/a.jpg HTTP/1.0%0D%0AX-Evil: "
                                                  "1%0D%0A%0D%0A HTTP/1.0");
    QTest::newRow("other-controls") << QByteArray("/a\tb\x01\x7f"
                                                  "c")
                                    << QByteArray("GET /a%09b%01%7Fc HTTP/1.0");
    QTest::newRow("nul") << QByteArray("/a\0b", 4) << QByteArray("GET /a%00b HTTP/1.0");
    // Bytes at or above 0x80 go out as they are, in any code page.
    QTest::newRow("single-byte") << QByteArray("/x/se\xf1or%.jpg")
                                 << QByteArray("GET /x/se\xf1or%.jpg HTTP/1.0");
}

// Whatever a page name holds, the request keeps its six lines.
void tst_HttpRequest::escapes() {
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, requestLine);
    const QByteArray request = BuildRequest(u"host\r\nX: y"_qs, path);
    const QList<QByteArray> lines = request.split('\n');
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines.first(), requestLine + '\r');
    QCOMPARE(lines.at(2), QByteArray("Referer: host%0D%0AX: y\r"));
    QCOMPARE(lines.at(4), QByteArray("Host: host%0D%0AX: y\r"));
    QVERIFY(request.endsWith("\r\n\r\n"));
    QCOMPARE(request.count("\r\n\r\n"), 1);
}

QTEST_APPLESS_MAIN(tst_HttpRequest)
#include "tst_HttpRequest.moc"
