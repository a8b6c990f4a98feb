#include "HttpResponseParser.h"

#include <QTest>

using namespace velmora;

class tst_HttpResponseParser : public QObject {
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void bodyWithoutSlack_data();
    void bodyWithoutSlack();
    void overflowByBytes();
    void overflowByDeclaredLength();
    void roomNeverPassesTheBound();
    void bodyBoundWithHeaderRoom();
    void reusableAfterFinish();
    void bodyIntoPageBlocks_data();
    void bodyIntoPageBlocks();
    void keptBodiesStayIntact();
};

void tst_HttpResponseParser::split_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("plain") << QByteArray("HTTP/1.0 200 OK\r\nA: b\r\n\r\nBODY")
                           << QByteArray("HTTP/1.0 200 OK\r\nA: b") << QByteArray("BODY");
    QTest::newRow("no-blank-line")
        << QByteArray("just bytes\r\nmore") << QByteArray() << QByteArray("just bytes\r\nmore");
    QTest::newRow("first-blank-line-only")
        << QByteArray("H\r\n\r\nx\r\n\r\ny") << QByteArray("H") << QByteArray("x\r\n\r\ny");
    QTest::newRow("empty-body") << QByteArray("H\r\n\r\n") << QByteArray("H") << QByteArray();
    QTest::newRow("nothing") << QByteArray() << QByteArray() << QByteArray();
}

// The blank line may arrive cut in any place: feed every split point.
void tst_HttpResponseParser::split() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, body);
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        HttpResponseParser parser;
        QVERIFY(parser.put(QByteArrayView(bytes).first(cut)));
        for (const char c : QByteArrayView(bytes).sliced(cut))
            QVERIFY(parser.put(QByteArrayView(&c, 1)));
        const HttpResponse response = parser.finish();
        QCOMPARE(response.header, header);
        QCOMPARE(response.body, body);
        QVERIFY(!response.overflowed);
    }
}

// A page's bytes are kept for the whole run: its buffer must not carry the
// slack of step-wise growth, with or without a length to size it.
void tst_HttpResponseParser::bodyWithoutSlack_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<qsizetype>("slack");
    QTest::newRow("sized") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 300000\r\n\r\n")
                           << qsizetype(0);
    QTest::newRow("unsized") << QByteArray("HTTP/1.0 200 OK\r\n\r\n") << qsizetype(300000 / 8);
}

void tst_HttpResponseParser::bodyWithoutSlack() {
    QFETCH(QByteArray, header);
    QFETCH(qsizetype, slack);
    const QByteArray body(300000, 'j');
    HttpResponseParser parser;
    parser.put(header);
    for (qsizetype at = 0; at < body.size(); at += 1000)
        parser.put(QByteArrayView(body).sliced(at, 1000));
    const HttpResponse response = parser.finish();
    QCOMPARE(response.body, body);
    QVERIFY(response.body.capacity() <= body.size() + slack);
}

void tst_HttpResponseParser::overflowByBytes() {
    HttpResponseParser parser(100);
    QVERIFY(parser.put(QByteArray(60, 'a')));
    QVERIFY(parser.put(QByteArray(40, 'a')));
    QVERIFY(!parser.put(QByteArray(1, 'a')));
    QVERIFY(!parser.put(QByteArray(1, 'a')));
    const HttpResponse response = parser.finish();
    QVERIFY(response.overflowed);
    QVERIFY(response.body.isEmpty());
}

void tst_HttpResponseParser::overflowByDeclaredLength() {
    HttpResponseParser parser(1000);
    QVERIFY(!parser.put("HTTP/1.0 200 OK\r\nContent-Length: 5000000000\r\n\r\nabc"));
    QVERIFY(parser.overflowed());
}

// However much the socket says it holds, no more than the bound (plus the
// byte that tells the overflow) is ever allocated.
void tst_HttpResponseParser::roomNeverPassesTheBound() {
    HttpResponseParser parser(1000);
    QVERIFY(parser.put(QByteArray(600, 'a')));
    const std::span<char> room = parser.prepare(qsizetype(1) << 40);
    QCOMPARE(qsizetype(room.size()), 401);
    QVERIFY(!parser.commit(401));
    QVERIFY(parser.prepare(10).empty());
}

// The header room is for the header block only: the body bound is exact,
// also for a response without a blank line, which is all body.
void tst_HttpResponseParser::bodyBoundWithHeaderRoom() {
    HttpResponseParser parser(10, 20);
    QVERIFY(parser.put("HTTP/1.0 200 OK\r\n\r\n0123456789"));
    QCOMPARE(parser.finish().body, QByteArray("0123456789"));
    QVERIFY(parser.put("HTTP/1.0 200 OK\r\n\r\n0123456789"));
    QVERIFY(!parser.put("a"));
    QVERIFY(parser.finish().overflowed);
    QVERIFY(!parser.put("HTTP/1.0 200 OK\r\nContent-Length: 11\r\n\r\n"));
    QVERIFY(parser.finish().overflowed);
    QVERIFY(parser.put("no blank line at all"));
    QVERIFY(parser.finish().overflowed);
    QVERIFY(parser.put("0123456789"));
    QVERIFY(!parser.finish().overflowed);
}

void tst_HttpResponseParser::reusableAfterFinish() {
    HttpResponseParser parser(10);
    parser.put(QByteArray(20, 'a'));
    QVERIFY(parser.finish().overflowed);
    QVERIFY(parser.put("H\r\n\r\nb"));
    const HttpResponse response = parser.finish();
    QVERIFY(!response.overflowed);
    QCOMPARE(response.body, QByteArray("b"));
}

// Received into the guide's blocks by its announced length; a body that
// runs past that length, or ends short of it, is whole all the same and
// leaves the blocks (it will be asked for again).
void tst_HttpResponseParser::bodyIntoPageBlocks_data() {
    QTest::addColumn<int>("announced");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("cut");
    QTest::addColumn<bool>("inBlocks");
    const QByteArray body = QByteArray("0123456789").repeated(5000);
    QTest::newRow("exact") << int(body.size()) << body << 100 << true;
    QTest::newRow("exact-in-one-piece") << int(body.size()) << body << 0 << true;
    QTest::newRow("longer-later") << int(body.size() - 1) << body << 100 << false;
    QTest::newRow("longer-with-header") << 3 << QByteArray("abcdef") << 0 << false;
    QTest::newRow("shorter") << int(body.size() + 1) << body << 100 << false;
}

void tst_HttpResponseParser::bodyIntoPageBlocks() {
    QFETCH(int, announced);
    QFETCH(QByteArray, body);
    QFETCH(int, cut);
    QFETCH(bool, inBlocks);
    const auto blocks = PageBlocks::create();
    HttpResponseParser parser;
    parser.setBodyBlocks(blocks);
    const QByteArray bytes =
        "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(announced) + "\r\n\r\n" + body;
    const qsizetype first = cut > 0 ? bytes.size() - body.size() + cut : bytes.size();
    QVERIFY(parser.put(QByteArrayView(bytes).first(first)));
    // The rest as a socket reader gives it: into the room offered, then the end.
    for (qsizetype at = first; at < bytes.size();) {
        const std::span<char> room = parser.prepare(bytes.size() - at);
        QVERIFY(!room.empty());
        std::copy_n(bytes.constData() + at, room.size(), room.data());
        QVERIFY(parser.commit(qsizetype(room.size())));
        at += qsizetype(room.size());
    }
    // The end of the stream: room asked for, nothing read.
    parser.prepare(1);
    QVERIFY(parser.commit(0));
    const HttpResponse response = parser.finish();
    QCOMPARE(response.body, body);
    QCOMPARE(response.bodyOwner == blocks, inBlocks);
}

// Each page keeps its own bytes while the next ones arrive, also across
// a block's end.
void tst_HttpResponseParser::keptBodiesStayIntact() {
    const auto blocks = PageBlocks::create();
    HttpResponseParser parser;
    parser.setBodyBlocks(blocks);
    QList<HttpResponse> kept;
    const qsizetype size = qsizetype(PageBlocks::kBlockBytes / 3);
    for (char fill : {'a', 'b', 'c', 'd'}) {
        QVERIFY(parser.put("HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(size) +
                           "\r\n\r\n" + QByteArray(size, fill)));
        kept << parser.finish();
    }
    QVERIFY(blocks->mappedBytes() >= 2 * PageBlocks::kBlockBytes);
    for (int i = 0; i < kept.size(); ++i) {
        QVERIFY(kept.at(i).bodyOwner);
        QCOMPARE(kept.at(i).body, QByteArray(size, char('a' + i)));
    }
}

QTEST_APPLESS_MAIN(tst_HttpResponseParser)
#include "tst_HttpResponseParser.moc"
