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
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("requestLine");
    QTest::newRow("plain") << "/x/p%201.jpg" << QByteArray("GET /x/p%201.jpg HTTP/1.0");
    QTest::newRow("crlf-injection") << "/x/a.jpg HTTP/1.0\r\nX-Evil: 1\r\n\r\n"
                                    << QByteArray("GET /x/a.jpg HTTP/1.0%0D%0AX-Evil: "
                                                  "1%0D%0A%0D%0A HTTP/1.0");
    QTest::newRow("other-controls") << QString::fromLatin1("/a\tb\x01\x7f"
                                                           "c")
                                    << QByteArray("GET /a%09b%01%7Fc HTTP/1.0");
    QTest::newRow("utf8") << u"/x/se\u00f1or.jpg"_qs
                          << QByteArray("GET /x/se\xc3\xb1or.jpg HTTP/1.0");
}

// Whatever a page name holds, the request keeps its six lines.
void tst_HttpRequest::escapes() {
    QFETCH(QString, path);
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
