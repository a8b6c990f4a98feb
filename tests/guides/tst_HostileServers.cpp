// The page download client against servers that misbehave on the wire, on
// purpose: connections reset, never answered, trickled or flooded.  One
// scripted case a row with its expected outcome beside it: the boxes and
// calls in order, the number of requests, and what the page store holds.
// After each case the process is below its memory ceiling and a new fetch
// (what "&Reload" starts) works.

#include "FetchProbe.h"
#include "TestEnvironment.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>

#include <cerrno>

using namespace velmora;
using namespace velmora::test;
using Reply = ScriptedHttpServer::Reply;

namespace {

const QByteArray kPage = encodedImage({40, 30});
const QByteArray kOther = encodedImage({50, 70});
constexpr qint64 kMemoryCeilingKb = 400 * 1024;

QByteArray header(const QByteArray& lines) {
    return "HTTP/1.0 200 OK\r\n" + lines + "\r\n";
}

QByteArray withLength(qsizetype length) {
    return header("Content-Length: " + QByteArray::number(length) + "\r\n");
}

const QString kReset = QStringLiteral("DN1001 %1 Connection reset by peer").arg(ECONNRESET);
const QString kTooLarge = QStringLiteral("DN1001 %1 File too large").arg(EFBIG);

} // namespace

class tst_HostileServers : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void page_data();
    void page();
    void index_data();
    void index();
    void stalledServerLeavesTheProgramUsable_data();
    void stalledServerLeavesTheProgramUsable();

private:
    void fetchStillWorks();
};

// A fresh client on a sound server: what "&Reload" does after any case.
void tst_HostileServers::fetchStillWorks() {
    Fetch again;
    again.serveIndex("a.jpg");
    again.server.addReply("/x/a.jpg", ok(kPage));
    again.start();
    QTRY_COMPARE(again.boxes.log, (QStringList{"count 1", "page 0 40x30"}));
}

void tst_HostileServers::cleanup() {
    fetchStillWorks();
    // The sanitizers' shadow memory and quarantine are theirs, not ours.
    if (!test::kSanitized) {
        QVERIFY2(test::peakResidentKb() < kMemoryCeilingKb,
                 qPrintable(QString::number(test::peakResidentKb())));
    }
}

// The hostile answer is for page 1 (a.jpg) of a two-page guide whose page 2
// (b.jpg) is sound.  A fetch that stops never asks for b.jpg.  What the
// bytes of a response mean is the session's table; here the socket is the
// point: how the connection ends, and a body that never does.
void tst_HostileServers::page_data() {
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<int>("requests");
    const QByteArray half = withLength(kPage.size()) + kPage.left(kPage.size() / 2);

    // The same bytes twice: a reset is a communication error that stops the
    // fetch, an orderly close a short body that is asked for again.
    QTest::newRow("reset-mid-body") << Reply{half, 0, false, true} << QStringList{kReset} << 2;
    QTest::newRow("orderly-close-mid-body-is-no-reset")
        << Reply{half} << QStringList{"DN1005", "page 0 empty", "page 1 50x70"} << 6;
    QTest::newRow("reset-after-whole-body")
        << Reply{withLength(kPage.size()) + kPage, 0, false, true} << QStringList{kReset} << 2;
    QTest::newRow("endless-body-dropped-at-the-bound")
        << Reply{header({}), qint64(1) << 40} << QStringList{kTooLarge} << 2;
    // The client drops the connection at the header, not at a close that
    // never comes.
    QTest::newRow("held-open-after-announcing-past-the-bound")
        << Reply{withLength(qsizetype(64) * 1024 * 1024 + 1) + "ab", 0, true}
        << QStringList{kTooLarge} << 2;
}

void tst_HostileServers::page() {
    QFETCH(Reply, reply);
    QFETCH(QStringList, log);
    QFETCH(int, requests);
    Fetch fetch;
    fetch.serveIndex("a.jpg\r\nb.jpg");
    fetch.server.addReply("/x/a.jpg", reply);
    fetch.server.addReply("/x/b.jpg", ok(kOther));
    fetch.start();
    QTRY_VERIFY_WITH_TIMEOUT(fetch.finished(), 20000);
    QTRY_COMPARE(fetch.boxes.log, QStringList{"count 2"} + log);
    QCOMPARE(fetch.server.requests().size(), requests);
    QCOMPARE(fetch.receiver.pages.size(), log.filter(QRegularExpression("^page ")).size());
}

void tst_HostileServers::index_data() {
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<int>("requests");
    QTest::newRow("reset-mid-index")
        << Reply{withLength(100) + "a.jpg\r\nb.j", 0, false, true} << QStringList{kReset} << 1;
    // No index, and not one page is asked for.
    QTest::newRow("endless-index-dropped-at-the-bound")
        << Reply{header({}), qint64(1) << 40} << QStringList{"DN1004"} << 1;
}

void tst_HostileServers::index() {
    QFETCH(Reply, reply);
    QFETCH(QStringList, log);
    QFETCH(int, requests);
    Fetch fetch;
    fetch.server.addReply("/x/idx.txt", reply);
    fetch.start();
    QTRY_VERIFY_WITH_TIMEOUT(fetch.finished(), 20000);
    QTRY_COMPARE(fetch.boxes.log, log);
    QCOMPARE(fetch.server.requests().size(), requests);
}

// A server that sends nothing, or a byte a second: the fetch waits (nothing
// times it out), the event loop stays free, and dropping the client lets
// go of the connection.
void tst_HostileServers::stalledServerLeavesTheProgramUsable_data() {
    QTest::addColumn<Reply>("reply");
    QTest::newRow("never-answers") << Reply{{}, 0, true};
    QTest::newRow("trickles-a-byte-a-second")
        << Reply{withLength(kPage.size()) + kPage, 0, false, false, 1000};
}

void tst_HostileServers::stalledServerLeavesTheProgramUsable() {
    QFETCH(Reply, reply);
    Fetch fetch;
    fetch.serveIndex("a.jpg");
    fetch.server.addReply("/x/a.jpg", reply);
    QSignalSpy dropped(&fetch.server, &ScriptedHttpServer::clientDropped);
    fetch.start();
    QTRY_COMPARE(fetch.server.requests().size(), 2);
    // The event loop keeps turning while the client waits: twenty ticks of
    // a 50 ms timer, a second at least, and the fetch is still open.
    int ticks = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&ticks] { ++ticks; });
    tick.start(50);
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 20, 20000);
    QVERIFY(fetch.window->isWorking());
    QCOMPARE(fetch.boxes.log, QStringList{"count 1"});
    fetch.window.reset();
    QVERIFY(dropped.wait());
}

QTEST_MAIN(tst_HostileServers)
#include "tst_HostileServers.moc"
