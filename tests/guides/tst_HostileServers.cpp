// The page download client against servers that misbehave on purpose, one
// scripted case a row with its expected outcome beside it: the boxes and
// calls in order, the number of requests, and what the page store holds.
// After each case the process is below its memory ceiling and a new fetch
// (what "&Reload" starts) works.

#include "FetchProbe.h"
#include "TestEnvironment.h"

#include <QFile>
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
    void pageNames_data();
    void pageNames();
    void stalledServerLeavesTheProgramUsable_data();
    void stalledServerLeavesTheProgramUsable();
    void pageBudget();

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
// (b.jpg) is sound.  A fetch that stops never asks for b.jpg.
void tst_HostileServers::page_data() {
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<int>("requests");
    const QStringList goesOn{"page 1 50x70"};

    QTest::newRow("empty-reply") << Reply{}
                                 << QStringList{"DN1003", "DN1005", "page 0 empty"} + goesOn << 3;
    QTest::newRow("no-header-block") << Reply{kPage} << QStringList{"page 0 40x30"} + goesOn << 3;
    // No second field on the status line: not "200", yet the body is used.
    QTest::newRow("garbage-status-line") << Reply{"\x01\x02garbage\r\n\r\n" + kPage}
                                         << QStringList{"DN1002", "page 0 40x30"} + goesOn << 3;
    // Without the blank line everything is body, and that is no picture.
    QTest::newRow("headers-without-blank-line") << Reply{"HTTP/1.0 200 OK\r\nContent-Length: 5\r\n"}
                                                << QStringList{"page 0 empty"} + goesOn << 3;
    // An orderly close short of the length: asked again three times, then
    // given up as unusable.
    QTest::newRow("orderly-close-mid-body")
        << Reply{withLength(kPage.size()) + kPage.left(kPage.size() / 2)}
        << QStringList{"DN1005", "page 0 empty"} + goesOn << 6;
    QTest::newRow("reset-mid-body")
        << Reply{withLength(kPage.size()) + kPage.left(kPage.size() / 2), 0, false, true}
        << QStringList{kReset} << 2;
    QTest::newRow("reset-after-whole-body")
        << Reply{withLength(kPage.size()) + kPage, 0, false, true} << QStringList{kReset} << 2;
    QTest::newRow("nul-in-header")
        << Reply{header(QByteArray("X-A: a\0b\r\n", 10) +
                        "Content-Length: " + QByteArray::number(kPage.size()) + "\r\n") +
                 kPage}
        << QStringList{"page 0 40x30"} + goesOn << 3;
    // A stray CR does not end a line: the "field" behind it is not one.
    QTest::newRow("stray-cr-in-header") << Reply{header("X-A: a\rContent-Length: 3\r\n") + kPage}
                                        << QStringList{"page 0 40x30"} + goesOn << 3;
    // A length that is no plain number cannot be checked: the body is taken.
    for (const char* value : {"-5", "many", "12abc", "99999999999999999999999"}) {
        QTest::addRow("content-length-%s", value)
            << Reply{header(QByteArray("Content-Length: ") + value + "\r\n") + kPage}
            << QStringList{"page 0 40x30"} + goesOn << 3;
    }
    // The first field counts, as a header lookup finds it first.
    QTest::newRow("content-length-twice")
        << Reply{header("Content-Length: " + QByteArray::number(kPage.size()) +
                        "\r\nContent-Length: 7\r\n") +
                 kPage}
        << QStringList{"page 0 40x30"} + goesOn << 3;
    QTest::newRow("body-shorter-than-announced")
        << Reply{withLength(kPage.size() + 1) + kPage}
        << QStringList{"DN1005", "page 0 empty"} + goesOn << 6;
    QTest::newRow("body-longer-than-announced")
        << Reply{withLength(kPage.size() - 1) + kPage}
        << QStringList{"DN1005", "page 0 empty"} + goesOn << 6;
    QTest::newRow("endless-body") << Reply{header({}), qint64(1) << 40} << QStringList{kTooLarge}
                                  << 2;
    QTest::newRow("announces-past-the-bound")
        << Reply{withLength(qsizetype(64) * 1024 * 1024 + 1) + "ab", 0, true}
        << QStringList{kTooLarge} << 2;
    QTest::newRow("html-error-page") << Reply{ScriptedHttpServer::response("503 Busy", "<html/>")}
                                     << QStringList{"DN1002", "page 0 empty"} + goesOn << 3;
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
    QTest::newRow("empty-reply") << Reply{} << QStringList{"DN1003", "DN1004"} << 1;
    QTest::newRow("reset-mid-index")
        << Reply{withLength(100) + "a.jpg\r\nb.j", 0, false, true} << QStringList{kReset} << 1;
    // An error page is read as an index, each of its lines a page name.
    QTest::newRow("html-error-page")
        << Reply{ScriptedHttpServer::response("404 Not Found", "<html>\r\n<b>gone</b>\r\n</html>")}
        << QStringList{"DN1002", "count 3",      "DN1002", "page 0 empty",
                       "DN1002", "page 1 empty", "DN1002", "page 2 empty"}
        << 4;
    // One byte past 8 MiB (a single endless line) or one page line past
    // 100,000: no index, and not one page is asked for.
    QTest::newRow("index-past-8-MiB")
        << Reply{header({}) + QByteArray(8 * 1024 * 1024 + 1, 'x')} << QStringList{"DN1004"} << 1;
    QTest::newRow("endless-index")
        << Reply{header({}), qint64(1) << 40} << QStringList{"DN1004"} << 1;
    QByteArray lines;
    for (int i = 0; i <= 100000; ++i)
        lines += "p.jpg\r\n";
    QTest::newRow("100001-page-lines") << Reply{ok(lines)} << QStringList{"DN1004"} << 1;
    QTest::newRow("only-comments")
        << Reply{ok(";a\r\n;b\r\n   \r\n")} << QStringList{"DN1004"} << 1;
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

// Each name goes out as the index's own bytes: spaces as %20, control bytes
// escaped so no header can be added, every other byte as it is.
void tst_HostileServers::pageNames_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("target");
    QTest::newRow("control-bytes") << QByteArray("a\x01\tb.jpg") << QByteArray("/x/a%01%09b.jpg");
    QTest::newRow("spaces") << QByteArray(" p 1.jpg ") << QByteArray("/x/%20p%201.jpg%20");
    QTest::newRow("percent") << QByteArray("100%25%.jpg") << QByteArray("/x/100%25%.jpg");
    QTest::newRow("cr-lf-injection") << QByteArray("a.jpg HTTP/1.0\rHost: evil\r")
                                     << QByteArray("/x/a.jpg%20HTTP/1.0%0DHost:%20evil%0D");
    QTest::newRow("single-byte-letters")
        << QByteArray("se\xf1or \xe9t\xe9.jpg") << QByteArray("/x/se\xf1or%20\xe9t\xe9.jpg");
    QTest::newRow("utf8-letters") << QByteArray("se\xc3\xb1or.jpg")
                                  << QByteArray("/x/se\xc3\xb1or.jpg");
}

void tst_HostileServers::pageNames() {
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, target);
    Fetch fetch;
    fetch.serveIndex(name);
    fetch.server.addReply(target, ok(kPage));
    fetch.start();
    QTRY_COMPARE(fetch.boxes.log, (QStringList{"count 1", "page 0 40x30"}));
    QCOMPARE(fetch.server.requestedPaths().value(1), target);
    const QByteArray request = fetch.server.requests().value(1);
    QCOMPARE(request.count("\r\n"), 6);
    QCOMPARE(request.count('\n'), 6);
}

// A server that sends nothing, or a byte a second: the fetch waits (nothing
// times it out), the event loop stays free, and dropping the client lets
// go of the connection.
void tst_HostileServers::stalledServerLeavesTheProgramUsable_data() {
    QTest::addColumn<Reply>("reply");
    QTest::newRow("silent") << Reply{{}, 0, true};
    QTest::newRow("byte-a-second")
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
    // The event loop answers on time while the client waits.
    int ticks = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&ticks] { ++ticks; });
    tick.start(50);
    QTest::qWait(1500);
    QVERIFY(ticks >= 20);
    QVERIFY(fetch.window->isWorking());
    QCOMPARE(fetch.boxes.log, QStringList{"count 1"});
    fetch.window.reset();
    QVERIFY(dropped.wait());
}

// Pages are kept against the budget: a page that would pass it is delivered
// empty with DN1005 and the fetch goes on; dropping kept pages gives their
// bytes back.
void tst_HostileServers::pageBudget() {
    PageBudget budget(kPage.size() + kOther.size() / 2);
    Fetch fetch;
    fetch.window->setPageBudget(budget);
    fetch.serveIndex("a.jpg\r\nb.jpg\r\nc.jpg");
    fetch.server.addReply("/x/a.jpg", ok(kPage));
    fetch.server.addReply("/x/b.jpg", ok(kOther));
    fetch.server.addReply("/x/c.jpg", ok(kPage.left(kPage.size() / 4)));
    fetch.start();
    QTRY_VERIFY(fetch.finished());
    // c.jpg fits beside a.jpg but is no readable picture: it takes nothing.
    QCOMPARE(fetch.boxes.log,
             (QStringList{"count 3", "page 0 40x30", "DN1005", "page 1 empty", "page 2 empty"}));
    QCOMPARE(budget.used(), kPage.size());
    fetch.receiver.pages.clear();
    QCOMPARE(budget.used(), 0);
}

QTEST_MAIN(tst_HostileServers)
#include "tst_HostileServers.moc"
