#include "FetchProbe.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <functional>
#include <memory>

using namespace velmora;
using namespace velmora::test;
using Reply = ScriptedHttpServer::Reply;

namespace {

const QByteArray kPageA = encodedImage({40, 30});
const QByteArray kPageB = encodedImage({50, 70});

QByteArray expectedRequest(const QByteArray& path) {
    return "GET " + path +
           " HTTP/1.0\r\n"
           "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
           "application/vnd.ms-powerpoint, application/vnd.ms-excel, application/msword, "
           "application/x-shockwave-flash, */*\r\n"
           "Referer: 127.0.0.1\r\n"
           "User-Agent: Mozilla/4.0 (compatible; MSIE 5.5; Windows 98; Win 9x 4.90)\r\n"
           "Host: 127.0.0.1\r\n"
           "\r\n";
}

} // namespace

class tst_frmDownload : public QObject {
    Q_OBJECT

private slots:
    void exactRequestBytes();
    void wholeGuideInOrder();
    void lengthMismatchAsksAgain();
    void lengthMismatchIsBounded_data();
    void lengthMismatchIsBounded();
    void pageResponses_data();
    void pageResponses();
    void indexResponses_data();
    void indexResponses();
    void oversizePageStopsTheFetch_data();
    void oversizePageStopsTheFetch();
    void messageTexts();
    void unsafePageNames();
    void socketErrorStopsTheFetch_data();
    void socketErrorStopsTheFetch();
    void hostNameIsLookedUp();
    void unloadDropsConnectionMidway();
    void unloadFromInsideCallback();
};

// The index and a page with spaces, byte for byte; the port of the address
// is used to connect but never appears in the Host or Referer line.
void tst_frmDownload::exactRequestBytes() {
    Fetch fetch;
    fetch.serveIndex("p 1.jpg\r\n");
    fetch.server.addReply("/x/p%201.jpg", ok(kPageA));
    fetch.start();
    QTRY_COMPARE(fetch.boxes.log, (QStringList{"count 1", "page 0 40x30"}));
    QCOMPARE(fetch.server.requests(),
             (QList<QByteArray>{expectedRequest("/x/idx.txt"), expectedRequest("/x/p%201.jpg")}));
    QVERIFY(fetch.finished());
}

void tst_frmDownload::wholeGuideInOrder() {
    Fetch fetch;
    fetch.serveIndex("; pages\r\na.jpg\r\n\r\n  \r\n; more\r\nsub/b.jpg\r\nc.jpg\r\n");
    fetch.server.addReply("/x/a.jpg", ok(kPageA));
    fetch.server.addReply("/x/sub/b.jpg", ok(kPageB));
    fetch.server.addReply("/x/c.jpg", ok(kPageA));
    fetch.start();
    QTRY_COMPARE(fetch.boxes.log,
                 (QStringList{"count 3", "page 0 40x30", "page 1 50x70", "page 2 40x30"}));
    QCOMPARE(fetch.server.requestedPaths(),
             (QList<QByteArray>{"/x/idx.txt", "/x/a.jpg", "/x/sub/b.jpg", "/x/c.jpg"}));
    QVERIFY(fetch.finished());
}

// Content-Length on the last header line, one byte more than the body.
void tst_frmDownload::lengthMismatchAsksAgain() {
    Fetch fetch;
    fetch.serveIndex("a.jpg");
    fetch.server.addReply("/x/a.jpg", "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nabcd");
    fetch.server.addReply("/x/a.jpg", ok(kPageA));
    fetch.start();
    QTRY_COMPARE(fetch.boxes.log, (QStringList{"count 1", "page 0 40x30"}));
    QCOMPARE(fetch.server.requestedPaths(),
             (QList<QByteArray>{"/x/idx.txt", "/x/a.jpg", "/x/a.jpg"}));
}

void tst_frmDownload::lengthMismatchIsBounded_data() {
    QTest::addColumn<QByteArray>("failingPath");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QList<QByteArray>>("paths");
    const QByteArray idx = "/x/idx.txt", a = "/x/a.jpg", b = "/x/b.jpg";
    QTest::newRow("page") << a << QStringList{"count 2", "DN1005", "page 0 empty", "page 1 50x70"}
                          << QList<QByteArray>{idx, a, a, a, a, b};
    QTest::newRow("index") << idx << QStringList{"DN1004"} << QList<QByteArray>{idx, idx, idx, idx};
}

void tst_frmDownload::lengthMismatchIsBounded() {
    QFETCH(QByteArray, failingPath);
    QFETCH(QStringList, log);
    QFETCH(QList<QByteArray>, paths);
    Fetch fetch;
    const QList<std::pair<QByteArray, QByteArray>> good = {
        {"/x/idx.txt", ok("a.jpg\r\nb.jpg")}, {"/x/a.jpg", ok(kPageA)}, {"/x/b.jpg", ok(kPageB)}};
    for (const auto& [path, bytes] : good)
        fetch.server.addReply(path, path == failingPath
                                        ? "HTTP/1.0 200 OK\r\nContent-Length: 99\r\n\r\nshort"
                                        : bytes);
    fetch.start();
    QTRY_COMPARE(fetch.boxes.log, log);
    QTRY_VERIFY(fetch.finished());
    QCOMPARE(fetch.server.requestedPaths(), paths);
}

// What one page's answer turns into; the fetch always goes on with the next.
void tst_frmDownload::pageResponses_data() {
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("404") << Reply{ScriptedHttpServer::response("404 Not Found", "<html>no</html>")}
                         << QStringList{"DN1002", "page 0 empty"};
    QTest::newRow("empty-body") << Reply{ok({})} << QStringList{"DN1003", "DN1005", "page 0 empty"};
    QTest::newRow("empty-404") << Reply{ScriptedHttpServer::response("404 Not Found", {})}
                               << QStringList{"DN1002", "DN1003", "DN1005", "page 0 empty"};
    QTest::newRow("nothing-at-all") << Reply{} << QStringList{"DN1003", "DN1005", "page 0 empty"};
    QTest::newRow("no-blank-line-is-body") << Reply{kPageA} << QStringList{"page 0 40x30"};
    QTest::newRow("no-content-length")
        << Reply{ScriptedHttpServer::response("200 OK", kPageA, false)}
        << QStringList{"page 0 40x30"};
    QTest::newRow("length-not-a-number")
        << Reply{"HTTP/1.0 200 OK\r\nContent-Length: many\r\n\r\n" + kPageA}
        << QStringList{"page 0 40x30"};
    QTest::newRow("html-with-200")
        << Reply{ok("<html>maintenance</html>")} << QStringList{"page 0 empty"};
}

void tst_frmDownload::pageResponses() {
    QFETCH(Reply, reply);
    QFETCH(QStringList, log);
    Fetch fetch;
    fetch.window->setBodyLimits(1024 * 1024, 1024 * 1024);
    fetch.serveIndex("a.jpg\r\nb.jpg");
    fetch.server.addReply("/x/a.jpg", reply);
    fetch.server.addReply("/x/b.jpg", ok(kPageB));
    fetch.start();
    QTRY_COMPARE(fetch.boxes.log, QStringList{"count 2"} + log + QStringList{"page 1 50x70"});
    QVERIFY(fetch.finished());
}

void tst_frmDownload::indexResponses_data() {
    QTest::addColumn<Reply>("reply");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<int>("requests");
    QTest::newRow("empty-body") << Reply{ok({})} << QStringList{"DN1003", "DN1004"} << 1;
    QTest::newRow("no-page-line") << Reply{ok(";only\r\n   \r\n; comments\r\n")}
                                  << QStringList{"DN1004"} << 1;
    // An error page is still read as an index: its line is asked for.
    QTest::newRow("404-read-as-index")
        << Reply{ScriptedHttpServer::response("404 Not Found", "a.jpg")}
        << QStringList{"DN1002", "count 1", "page 0 40x30"} << 2;
    QTest::newRow("endless-body") << Reply{"HTTP/1.0 200 OK\r\n\r\n", 4 * 1024 * 1024}
                                  << QStringList{"DN1004"} << 1;
}

void tst_frmDownload::indexResponses() {
    QFETCH(Reply, reply);
    QFETCH(QStringList, log);
    QFETCH(int, requests);
    Fetch fetch;
    fetch.window->setBodyLimits(1024 * 1024, 1024 * 1024);
    fetch.server.addReply("/x/idx.txt", reply);
    fetch.server.addReply("/x/a.jpg", ok(kPageA));
    fetch.start();
    QTRY_COMPARE(fetch.boxes.log, log);
    QVERIFY(fetch.finished());
    QCOMPARE(fetch.server.requests().size(), requests);
}

// One rule for a page past its bound (here 1,000 bytes, with 64 KiB of
// header room on top): the fetch stops with "File too large", whether the
// body came with a header block or not and however far past the bound.
void tst_frmDownload::oversizePageStopsTheFetch_data() {
    QTest::addColumn<Reply>("reply");
    const QByteArray over(1001, 'x');
    QTest::newRow("no-header-within-header-room") << Reply{over};
    QTest::newRow("no-header-past-header-room") << Reply{QByteArray(1000 + 64 * 1024 + 1, 'x')};
    QTest::newRow("header-block") << Reply{"HTTP/1.0 200 OK\r\n\r\n" + over};
    QTest::newRow("announced-length") << Reply{ok(over)};
}

void tst_frmDownload::oversizePageStopsTheFetch() {
    QFETCH(Reply, reply);
    Fetch fetch;
    fetch.window->setBodyLimits(1024 * 1024, 1000);
    fetch.serveIndex("a.jpg\r\nb.jpg");
    fetch.server.addReply("/x/a.jpg", reply);
    fetch.server.addReply("/x/b.jpg", ok(kPageB));
    fetch.start();
    QTRY_COMPARE(fetch.boxes.log,
                 (QStringList{"count 2", QStringLiteral("DN1001 %1 File too large").arg(EFBIG)}));
    QVERIFY(fetch.finished());
    QCOMPARE(fetch.server.requestedPaths(), (QList<QByteArray>{"/x/idx.txt", "/x/a.jpg"}));
}

void tst_frmDownload::messageTexts() {
    Fetch fetch;
    fetch.serveIndex("a.jpg\r\nb.jpg");
    fetch.server.addReply("/x/a.jpg", ScriptedHttpServer::response("500 Oops", {}));
    fetch.start();
    QTRY_COMPARE(fetch.boxes.count(), 4);
    const QStringList texts = {
        "ERROR DN1002: Error occured during communication with server.",
        "ERROR DN1003: Error occured during communication with server.",
        "ERROR DN1005: Error occured during communication with server. Invalid data.",
        "ERROR DN1002: Error occured during communication with server.",
    };
    for (int i = 0; i < texts.size(); ++i) {
        const MessageBoxRequest& box = fetch.boxes.boxes().at(i);
        QCOMPARE(box.text, texts.at(i));
        QCOMPARE(box.title, QStringLiteral("Error"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    Fetch emptyIndex;
    emptyIndex.serveIndex({});
    emptyIndex.start();
    QTRY_COMPARE(emptyIndex.boxes.count(), 2);
    QCOMPARE(emptyIndex.boxes.last().text,
             QStringLiteral("ERROR DN1004: Error occured during communication with server. "
                            "Invalid Group Index file."));
}

// Whatever a name holds, every request keeps its six lines: control
// characters are escaped, other characters go out as UTF-8.
void tst_frmDownload::unsafePageNames() {
    Fetch fetch;
    fetch.serveIndex("a\rHost: evil\r\n\tb.jpg\r\nse\xc3\xb1or 1.jpg\r\n");
    fetch.server.addReply("/x/a%0DHost:%20evil", ok(kPageA));
    fetch.start();
    QTRY_COMPARE(fetch.boxes.log, (QStringList{"count 3", "page 0 40x30", "DN1002", "page 1 empty",
                                               "DN1002", "page 2 empty"}));
    QCOMPARE(fetch.server.requestedPaths(),
             (QList<QByteArray>{"/x/idx.txt", "/x/a%0DHost:%20evil", "/x/%09b.jpg",
                                "/x/se\xc3\xb1or%201.jpg"}));
    QCOMPARE(fetch.server.requests().at(1), expectedRequest("/x/a%0DHost:%20evil"));
}

void tst_frmDownload::socketErrorStopsTheFetch_data() {
    QTest::addColumn<bool>("validPort");
    QTest::addColumn<QString>("text");
    QTest::newRow("refused") << true
                             << QStringLiteral("ERROR DN1001: Error occured in communication with "
                                               "server.\r\n\r\nError Number: %1\r\nDescription: "
                                               "Connection refused")
                                    .arg(ECONNREFUSED);
    QTest::newRow("bad-port") << false
                              << QStringLiteral("ERROR DN1001: Error occured in communication "
                                                "with server.\r\n\r\nError Number: %1\r\n"
                                                "Description: Invalid port number")
                                     .arg(EINVAL);
}

void tst_frmDownload::socketErrorStopsTheFetch() {
    QFETCH(bool, validPort);
    QFETCH(QString, text);
    quint16 closedPort = 0;
    {
        ScriptedHttpServer probe;
        QVERIFY(probe.listen());
        closedPort = probe.port();
    }
    LoggingBoxes boxes;
    LoggingReceiver receiver(boxes.log);
    frmDownload window;
    window.setParentForm(&receiver);
    window.setGroupFileURL(validPort
                               ? QStringLiteral("http://127.0.0.1:%1/x/idx.txt").arg(closedPort)
                               : QStringLiteral("http://127.0.0.1:99999/x/idx.txt"));
    window.StartWorking();
    QTRY_COMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().text, text);
    QCOMPARE(boxes.last().icon, QMessageBox::Critical);
    QVERIFY(!window.isWorking());
    QCOMPARE(boxes.log.size(), 1);
}

// A host name is looked up (without blocking) and goes out bare in the
// Host and Referer lines.
void tst_frmDownload::hostNameIsLookedUp() {
    Fetch fetch;
    fetch.serveIndex("a.jpg");
    fetch.server.addReply("/x/a.jpg", ok(kPageA));
    fetch.window->setGroupFileURL(
        QStringLiteral("http://localhost:%1/x/idx.txt").arg(fetch.server.port()));
    fetch.window->setParentForm(&fetch.receiver);
    fetch.window->StartWorking();
    QTRY_COMPARE(fetch.boxes.log, (QStringList{"count 1", "page 0 40x30"}));
    QVERIFY(fetch.server.requests().value(0).contains("\r\nHost: localhost\r\n"));
}

// A new fetch replaces the window while a page is on its way: the
// connection goes at once and nothing more reaches the receiver.
void tst_frmDownload::unloadDropsConnectionMidway() {
    Fetch fetch;
    fetch.serveIndex("a.jpg\r\nb.jpg\r\nc.jpg");
    fetch.server.addReply("/x/a.jpg", ok(kPageA));
    fetch.server.addReply("/x/b.jpg",
                          Reply{"HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\npart", 0, true});
    QSignalSpy dropped(&fetch.server, &ScriptedHttpServer::clientDropped);
    connect(&fetch.server, &ScriptedHttpServer::requestReceived, this,
            [&fetch](const QByteArray& path) {
                if (path == "/x/b.jpg")
                    fetch.window.reset();
            });
    fetch.start();
    QVERIFY(dropped.wait());
    QCOMPARE(fetch.boxes.log, (QStringList{"count 3", "page 0 40x30"}));
    QCOMPARE(fetch.server.requests().size(), 3);
}

// The main window may unload the client while it is being called.
void tst_frmDownload::unloadFromInsideCallback() {
    Fetch fetch;
    fetch.serveIndex("a.jpg\r\nb.jpg");
    fetch.server.addReply("/x/a.jpg", ok(kPageA));
    QPointer<frmDownload> window = fetch.window.get();
    fetch.receiver.onPage = [&fetch](int) { fetch.window.reset(); };
    fetch.start();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(fetch.boxes.log, (QStringList{"count 2", "page 0 40x30"}));
    QCOMPARE(fetch.server.requests().size(), 2);
}

QTEST_MAIN(tst_frmDownload)
#include "tst_frmDownload.moc"
