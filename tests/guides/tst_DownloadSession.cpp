// The decisions of one guide fetch, fed with the bytes a server sends and
// no socket in between: each row is a conversation, the requests and what
// the client shows and calls in between, in order.  A response is cut into
// header and body by the parser under the client's own bounds, as the
// client does it.

#include "GroupIndex.h"
#include "TestImages.h"
#include "frmDownload.h"

#include <QTest>

using namespace velmora;
using namespace velmora::test;
using Replies = QHash<QByteArray, QByteArrayList>;

namespace {

const QByteArray kPageA = encodedImage({40, 30});
const QByteArray kPageB = encodedImage({50, 70});

QByteArray ok(const QByteArray& body) {
    return "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" +
           body;
}

QByteArray withHeader(const QByteArray& fields, const QByteArray& body) {
    return "HTTP/1.0 200 OK\r\n" + fields + "\r\n" + body;
}

QByteArray withLength(qsizetype length, const QByteArray& body) {
    return withHeader("Content-Length: " + QByteArray::number(length) + "\r\n", body);
}

const QByteArray kNotFound = "HTTP/1.0 404 Not Found\r\n\r\n<html>Not found</html>";

// A delivered page is named by the file whose bytes it holds.
QString describe(const Picture& page) {
    if (page.isEmpty())
        return QStringLiteral("empty");
    if (page.bytes() == kPageA)
        return QStringLiteral("a");
    if (page.bytes() == kPageB)
        return QStringLiteral("b");
    return QStringLiteral("other %1x%2").arg(page.width()).arg(page.height());
}

// Runs a fetch of http://127.0.0.1:8080/x/idx.txt against `replies` (by file
// name; a file's last reply repeats, an unknown file gets a 404 page) and
// logs it: "GET <file>", each message by its code ("DN1002"), "count N",
// "page N <a|b|empty>".  The pages delivered go to `kept`.
QStringList converse(const Replies& replies, PageBudget& budget, QList<Picture>* kept = nullptr) {
    DownloadSession session(QStringLiteral("http://127.0.0.1:8080/x/idx.txt"), budget);
    const std::shared_ptr<PageBlocks> blocks = PageBlocks::create();
    QHash<QByteArray, int> answered;
    QStringList log;
    // Far more requests than any row needs: a client that never stops
    // asking shows as a cut-off log.
    for (int request = 0; request < 40; ++request) {
        const QByteArray bytes = session.request();
        const QByteArray line = bytes.left(bytes.indexOf("\r\n"));
        if (!line.startsWith("GET /x/") || !line.endsWith(" HTTP/1.0"))
            return log << QStringLiteral("bad request line ") + QString::fromLatin1(line);
        const QByteArray file = line.mid(7, line.size() - 7 - 9);
        log << QStringLiteral("GET ") + QString::fromLatin1(file);

        const QByteArrayList queue = replies.value(file, {kNotFound});
        const QByteArray reply = queue.at(qMin<qsizetype>(answered[file]++, queue.size() - 1));
        const bool page = session.indexLoaded();
        HttpResponseParser parser(page ? frmDownload::kMaxPageBytes : frmDownload::kMaxIndexBytes,
                                  frmDownload::kHeaderRoom);
        if (page)
            parser.setBodyBlocks(blocks);
        parser.put(reply);
        // A page past its bound stops the fetch in the client, before this.
        if (page && parser.endsOverBound())
            return log << QStringLiteral("page past its bound");

        const ResponseOutcome outcome = session.handleResponse(parser.finish());
        for (const QString& message : outcome.messages)
            log << message.mid(6, 6);
        if (outcome.pageCount)
            log << QStringLiteral("count %1").arg(*outcome.pageCount);
        if (outcome.pageNumber) {
            log << QStringLiteral("page %1 %2")
                       .arg(*outcome.pageNumber)
                       .arg(describe(outcome.picture));
            if (kept)
                kept->append(outcome.picture);
        }
        if (!outcome.connectAgain)
            return log;
    }
    return log;
}

QStringList converse(const Replies& replies) {
    PageBudget budget;
    return converse(replies, budget);
}

QStringList gets(const QString& file, int times) {
    QStringList lines;
    for (int i = 0; i < times; ++i)
        lines << QStringLiteral("GET ") + file;
    return lines;
}

} // namespace

class tst_DownloadSession : public QObject {
    Q_OBJECT

private slots:
    void pageResponse_data();
    void pageResponse();
    void indexResponse_data();
    void indexResponse();
    void pageRequestTarget_data();
    void pageRequestTarget();
    void pagesAreKeptAgainstTheBudget();
};

// The answers for a.jpg, page 1 of a two-page guide; b.jpg answers soundly
// unless the row says otherwise.  A page that fails is delivered empty and
// the fetch goes on with the next.
void tst_DownloadSession::pageResponse_data() {
    const QByteArrayList b{ok(kPageB)};
    const QStringList head{"GET idx.txt", "count 2", "GET a.jpg"};
    const QStringList goesOn{"GET b.jpg", "page 1 b"};
    QTest::addColumn<QByteArrayList>("a");
    QTest::addColumn<QByteArrayList>("b");
    QTest::addColumn<QStringList>("log");
    const QByteArray shortBody = withLength(kPageA.size() + 1, kPageA);
    // A "200" body that misses its length is asked for three times more,
    // then given up as invalid data.
    const QStringList givenUp =
        head + gets("a.jpg", 3) + QStringList{"DN1005", "page 0 empty"} + goesOn;

    QTest::newRow("sound") << QByteArrayList{ok(kPageA)} << b
                           << head + QStringList{"page 0 a"} + goesOn;
    QTest::newRow("nothing-at-all")
        << QByteArrayList{QByteArray()} << b
        << head + QStringList{"DN1003", "DN1005", "page 0 empty"} + goesOn;
    QTest::newRow("empty-200") << QByteArrayList{ok({})} << b
                               << head + QStringList{"DN1003", "DN1005", "page 0 empty"} + goesOn;
    QTest::newRow("empty-404")
        << QByteArrayList{"HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n"} << b
        << head + QStringList{"DN1002", "DN1003", "DN1005", "page 0 empty"} + goesOn;
    QTest::newRow("no-header-block-is-all-body")
        << QByteArrayList{kPageA} << b << head + QStringList{"page 0 a"} + goesOn;
    // Without the blank line the header lines are the body, and no picture.
    QTest::newRow("header-lines-without-blank-line")
        << QByteArrayList{"HTTP/1.0 200 OK\r\nContent-Length: 5\r\n"} << b
        << head + QStringList{"page 0 empty"} + goesOn;
    // No second field on the status line: not "200", yet the body is used
    // and its length is not checked.
    QTest::newRow("garbage-status-line") << QByteArrayList{"\x01\x02garbage\r\n\r\n" + kPageA} << b
                                         << head + QStringList{"DN1002", "page 0 a"} + goesOn;
    QTest::newRow("html-error-page")
        << QByteArrayList{"HTTP/1.0 503 Busy\r\nContent-Length: 7\r\n\r\n<html/>"} << b
        << head + QStringList{"DN1002", "page 0 empty"} + goesOn;
    QTest::newRow("404-length-not-checked")
        << QByteArrayList{"HTTP/1.0 404 Not Found\r\nContent-Length: 99\r\n\r\n<html/>"} << b
        << head + QStringList{"DN1002", "page 0 empty"} + goesOn;
    QTest::newRow("html-with-200") << QByteArrayList{ok("<html>maintenance</html>")} << b
                                   << head + QStringList{"page 0 empty"} + goesOn;
    QTest::newRow("no-content-length")
        << QByteArrayList{withHeader("Content-Type: image/jpeg\r\n", kPageA)} << b
        << head + QStringList{"page 0 a"} + goesOn;
    // A length that is no plain number cannot be checked: the body is taken.
    for (const char* value : {"-5", "many", "12abc", "99999999999999999999999", ""}) {
        QTest::addRow("content-length-'%s'", value)
            << QByteArrayList{withHeader(QByteArray("Content-Length: ") + value + "\r\n", kPageA)}
            << b << head + QStringList{"page 0 a"} + goesOn;
    }
    QTest::newRow("content-length-other-case")
        << QByteArrayList{withHeader("content-LENGTH: 3\r\n", kPageA)} << b << givenUp;
    // The one response that is asked for again, then comes right.
    QTest::newRow("length-5-on-the-last-line-body-4")
        << QByteArrayList{withHeader("Content-Type: image/jpeg\r\nContent-Length: 5\r\n", "abcd"),
                          ok(kPageA)}
        << b << head + QStringList{"GET a.jpg", "page 0 a"} + goesOn;
    // The first field counts, as a header lookup finds it first.
    QTest::newRow("content-length-twice-first-right")
        << QByteArrayList{withHeader("Content-Length: " + QByteArray::number(kPageA.size()) +
                                         "\r\nContent-Length: 7\r\n",
                                     kPageA)}
        << b << head + QStringList{"page 0 a"} + goesOn;
    QTest::newRow("content-length-twice-first-wrong")
        << QByteArrayList{withHeader(
               "Content-Length: 7\r\nContent-Length: " + QByteArray::number(kPageA.size()) + "\r\n",
               kPageA)}
        << b << givenUp;
    QTest::newRow("nul-in-header")
        << QByteArrayList{withHeader(QByteArray("X-A: a\0b\r\n", 10) + "Content-Length: " +
                                         QByteArray::number(kPageA.size()) + "\r\n",
                                     kPageA)}
        << b << head + QStringList{"page 0 a"} + goesOn;
    // A stray CR does not end a line: the "field" behind it is not one.
    QTest::newRow("stray-cr-in-header")
        << QByteArrayList{withHeader("X-A: a\rContent-Length: 3\r\n", kPageA)} << b
        << head + QStringList{"page 0 a"} + goesOn;
    QTest::newRow("body-shorter-than-announced") << QByteArrayList{shortBody} << b << givenUp;
    QTest::newRow("body-longer-than-announced")
        << QByteArrayList{withLength(kPageA.size() - 1, kPageA)} << b << givenUp;
    QTest::newRow("half-the-announced-body")
        << QByteArrayList{withLength(kPageA.size(), kPageA.left(kPageA.size() / 2))} << b
        << givenUp;
    // The last of the three repeats may still bring the page.
    QTest::newRow("sound-on-the-last-repeat")
        << QByteArrayList{shortBody, shortBody, shortBody, ok(kPageA)} << b
        << head + gets("a.jpg", 3) + QStringList{"page 0 a"} + goesOn;
    // Each file has repeats of its own.
    QTest::newRow("repeats-counted-per-file")
        << QByteArrayList{shortBody, shortBody, shortBody, ok(kPageA)}
        << QByteArrayList{withLength(1, {}), withLength(1, {}), withLength(1, {}), ok(kPageB)}
        << head + gets("a.jpg", 3) + QStringList{"page 0 a"} + gets("b.jpg", 4) +
               QStringList{"page 1 b"};
}

void tst_DownloadSession::pageResponse() {
    QFETCH(QByteArrayList, a);
    QFETCH(QByteArrayList, b);
    QFETCH(QStringList, log);
    QCOMPARE(converse({{"idx.txt", {ok("a.jpg\r\nb.jpg")}}, {"a.jpg", a}, {"b.jpg", b}}), log);
}

// The answers for the group index; a.jpg answers soundly, other files 404.
void tst_DownloadSession::indexResponse_data() {
    QTest::addColumn<QByteArrayList>("index");
    QTest::addColumn<QStringList>("log");
    const QStringList onePage{"count 1", "GET a.jpg", "page 0 a"};
    // Exactly the client's bound: a page line, then a comment filling it up.
    QByteArray full = "a.jpg\r\n;";
    full += QByteArray(frmDownload::kMaxIndexBytes - full.size(), 'x');
    QByteArray lines;
    for (int i = 0; i <= kMaxGroupIndexPages; ++i)
        lines += "p.jpg\r\n";

    QTest::newRow("nothing-at-all")
        << QByteArrayList{QByteArray()} << QStringList{"GET idx.txt", "DN1003", "DN1004"};
    QTest::newRow("empty-200") << QByteArrayList{ok({})}
                               << QStringList{"GET idx.txt", "DN1003", "DN1004"};
    QTest::newRow("empty-404") << QByteArrayList{"HTTP/1.0 404 Not Found\r\n\r\n"}
                               << QStringList{"GET idx.txt", "DN1002", "DN1003", "DN1004"};
    QTest::newRow("only-comments-and-blanks")
        << QByteArrayList{ok(";a\r\n;b\r\n   \r\n")} << QStringList{"GET idx.txt", "DN1004"};
    QTest::newRow("no-header-block-is-all-body")
        << QByteArrayList{"a.jpg\r\n"} << QStringList{"GET idx.txt"} + onePage;
    // An error page is read as an index, each of its lines a page name.
    QTest::newRow("html-error-page")
        << QByteArrayList{"HTTP/1.0 404 Not Found\r\n\r\n<html>\r\n<b>gone</b>\r\n</html>"}
        << QStringList{"GET idx.txt",  "DN1002",       "count 3",         "GET <html>",
                       "DN1002",       "page 0 empty", "GET <b>gone</b>", "DN1002",
                       "page 1 empty", "GET </html>",  "DN1002",          "page 2 empty"};
    QTest::newRow("length-mismatch-then-sound")
        << QByteArrayList{withLength(99, "a.jpg"), ok("a.jpg")} << gets("idx.txt", 2) + onePage;
    QTest::newRow("length-mismatch-every-time")
        << QByteArrayList{withLength(99, "a.jpg")} << gets("idx.txt", 4) + QStringList{"DN1004"};
    QTest::newRow("at-the-size-bound")
        << QByteArrayList{withHeader({}, full)} << QStringList{"GET idx.txt"} + onePage;
    QTest::newRow("one-byte-past-the-size-bound")
        << QByteArrayList{withHeader({}, full + 'x')} << QStringList{"GET idx.txt", "DN1004"};
    QTest::newRow("page-lines-past-their-bound")
        << QByteArrayList{ok(lines)} << QStringList{"GET idx.txt", "DN1004"};
}

void tst_DownloadSession::indexResponse() {
    QFETCH(QByteArrayList, index);
    QFETCH(QStringList, log);
    QCOMPARE(converse({{"idx.txt", index}, {"a.jpg", {ok(kPageA)}}}), log);
}

// A page name goes out as the index's own bytes, spaces as %20 and control
// bytes escaped, so that it can add no header line.
void tst_DownloadSession::pageRequestTarget_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("target");
    QTest::newRow("control-bytes") << QByteArray("a\x01\tb.jpg") << QByteArray("/x/a%01%09b.jpg");
    QTest::newRow("spaces") << QByteArray(" p 1.jpg ") << QByteArray("/x/%20p%201.jpg%20");
    QTest::newRow("percent") << QByteArray("100%25%.jpg") << QByteArray("/x/100%25%.jpg");
    QTest::newRow("subdirectory") << QByteArray("sub/p 1.jpg") << QByteArray("/x/sub/p%201.jpg");
    QTest::newRow("cr-lf-injection") << QByteArray("a.jpg HTTP/1.0\rHost: evil\r")
                                     << QByteArray("/x/a.jpg%20HTTP/1.0%0DHost:%20evil%0D");
    QTest::newRow("single-byte-letters")
        << QByteArray("se\xf1or \xe9t\xe9.jpg") << QByteArray("/x/se\xf1or%20\xe9t\xe9.jpg");
    QTest::newRow("utf8-letters") << QByteArray("se\xc3\xb1or.jpg")
                                  << QByteArray("/x/se\xc3\xb1or.jpg");
}

void tst_DownloadSession::pageRequestTarget() {
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, target);
    PageBudget budget;
    DownloadSession session(QStringLiteral("http://127.0.0.1:8080/x/idx.txt"), budget);
    QCOMPARE(session.request().left(session.request().indexOf("\r\n")),
             QByteArray("GET /x/idx.txt HTTP/1.0"));
    HttpResponseParser parser;
    parser.put(ok(name));
    QCOMPARE(session.handleResponse(parser.finish()).pageCount, std::optional<int>(1));
    const QByteArray request = session.request();
    QVERIFY2(request.startsWith("GET " + target + " HTTP/1.0\r\nAccept: "), request.constData());
    QCOMPARE(request.count("\r\n"), 6);
    QCOMPARE(request.count('\n'), 6);
    QCOMPARE(request.count('\r'), 6);
}

// A page that would pass the budget is delivered empty with DN1005 and the
// fetch goes on; dropping the kept pages gives their bytes back.
void tst_DownloadSession::pagesAreKeptAgainstTheBudget() {
    PageBudget budget(kPageA.size() + kPageB.size() / 2);
    QList<Picture> kept;
    const QByteArray broken = kPageA.left(kPageA.size() / 4);
    const QStringList log = converse({{"idx.txt", {ok("a.jpg\r\nb.jpg\r\nc.jpg")}},
                                      {"a.jpg", {ok(kPageA)}},
                                      {"b.jpg", {ok(kPageB)}},
                                      {"c.jpg", {ok(broken)}}},
                                     budget, &kept);
    // c.jpg fits beside a.jpg but is no readable picture: it takes nothing.
    QCOMPARE(log, (QStringList{"GET idx.txt", "count 3", "GET a.jpg", "page 0 a", "GET b.jpg",
                               "DN1005", "page 1 empty", "GET c.jpg", "page 2 empty"}));
    QCOMPARE(budget.used(), kPageA.size());
    kept.clear();
    QCOMPARE(budget.used(), 0);
}

QTEST_MAIN(tst_DownloadSession)
#include "tst_DownloadSession.moc"
