// End-to-end check of the demo content server: what the reader asks for over
// HTTP/1.0 must be there, complete and of the right type.

#include <QDirIterator>
#include <QImage>
#include <QTcpSocket>
#include <QUrl>
#include <QtTest>

namespace velmora {

namespace {

/// One HTTP response, read until the server closed the connection.
struct HttpResponse {
    int status = 0;
    QByteArray contentType;
    qint64 contentLength = -1;
    QByteArray body;
};

QString serverAddress() {
    return qEnvironmentVariable("VELMORA_CONTENT_SERVER", QStringLiteral("127.0.0.1:18741"));
}

/// GET `path` (already percent-encoded) with the reader's HTTP/1.0 request.
HttpResponse get(const QByteArray& path) {
    const QStringList hostPort = serverAddress().split(QLatin1Char(':'));
    QTcpSocket socket;
    socket.connectToHost(hostPort.value(0),
                         quint16(hostPort.value(1, QStringLiteral("80")).toUInt()));
    if (!socket.waitForConnected(5000))
        return {};
    const QByteArray host = hostPort.value(0).toLatin1();
    socket.write("GET " + path + " HTTP/1.0\r\nAccept: */*\r\nReferer: " + host +
                 "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 5.5; Windows 98; Win 9x 4.90)"
                 "\r\nHost: " +
                 host + "\r\n\r\n");
    QByteArray raw;
    // HTTP/1.0: the response ends when the server closes the connection.
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(5000))
        raw += socket.readAll();
    raw += socket.readAll();
    if (socket.state() == QAbstractSocket::ConnectedState)
        return {}; // the server kept the connection open: a reader would hang

    HttpResponse response;
    const qsizetype split = raw.indexOf("\r\n\r\n");
    if (split < 0)
        return {};
    const QList<QByteArray> lines = raw.left(split).split('\n');
    response.status = lines.value(0).split(' ').value(1).toInt();
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-type")
            response.contentType = value;
        else if (name == "content-length")
            response.contentLength = value.toLongLong();
    }
    response.body = raw.mid(split + 4);
    return response;
}

/// The page file names of a group index, as the reader reads them.
QStringList indexEntries(const QByteArray& body) {
    QStringList entries;
    for (const QByteArray& line : body.split('\n')) {
        const QByteArray entry = line.endsWith('\r') ? line.chopped(1) : line;
        if (!entry.trimmed().isEmpty() && !entry.startsWith(';'))
            entries << QString::fromUtf8(entry);
    }
    return entries;
}

/// The entries of the "All" record of a video list file.
QStringList allRecord(const QByteArray& body) {
    const QStringList records = QString::fromUtf8(body).split(QStringLiteral("[R]"));
    if (records.size() < 3 || records.constFirst().trimmed() != QLatin1String("All"))
        return {};
    return records.at(1).split(QStringLiteral("[C]"), Qt::SkipEmptyParts);
}

} // namespace

class tst_DemoServer : public QObject {
    Q_OBJECT

private slots:
    void guideIndexListsEveryPage_data();
    void guideIndexListsEveryPage();
    void videoListHasAllRecord_data();
    void videoListHasAllRecord();
    void playerPageShowsTheVideo_data();
    void playerPageShowsTheVideo();
    void contactPageIsHtml();
};

void tst_DemoServer::guideIndexListsEveryPage_data() {
    QTest::addColumn<QByteArray>("indexPath");
    QTest::newRow("Coder") << QByteArray("/guidesdisplayVelmora/demo/testdoc.txt");
    QTest::newRow("Buyer") << QByteArray("/guidesdisplayVelmora/demo/testdoc2.txt");
}

void tst_DemoServer::guideIndexListsEveryPage() {
    QFETCH(QByteArray, indexPath);
    const HttpResponse index = get(indexPath);
    QCOMPARE(index.status, 200);
    QVERIFY(index.contentType.startsWith("text/plain"));
    QCOMPARE(index.contentLength, qint64(index.body.size()));
    // The reader splits the index at CR LF only.
    QCOMPARE(index.body.count("\r\n"), index.body.count('\n'));
    const QStringList pages = indexEntries(index.body);
    QVERIFY(pages.size() >= 12);

    // Every page file of the guide's folder is listed, once, and nothing else.
    const QString indexFolder = QStringLiteral(VELMORA_DEMO_CONTENT_DIR) +
                                QString::fromLatin1(indexPath.left(indexPath.lastIndexOf('/')));
    const QString pageFolder = pages.constFirst().section(QLatin1Char('/'), 0, -2);
    QStringList files;
    QDirIterator it(indexFolder + QLatin1Char('/') + pageFolder, {QStringLiteral("*.jpg")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(indexFolder).relativeFilePath(it.next());
    QStringList listed = pages;
    listed.sort();
    files.sort();
    QCOMPARE(listed, files);

    const QString base = QString::fromLatin1(indexPath.left(indexPath.lastIndexOf('/') + 1));
    for (const QString& page : {pages.constFirst(), pages.constLast()}) {
        const HttpResponse picture = get((base + page).toUtf8().replace(" ", "%20"));
        QCOMPARE(picture.status, 200);
        QCOMPARE(picture.contentType, QByteArray("image/jpeg"));
        QCOMPARE(picture.contentLength, qint64(picture.body.size()));
        QCOMPARE(QImage::fromData(picture.body, "JPEG").size(), QSize(1240, 1754));
    }
}

void tst_DemoServer::videoListHasAllRecord_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::newRow("Buyer categories") << QByteArray("/VelmoraPackage/videobuyer.txt");
    QTest::newRow("Coder categories") << QByteArray("/VelmoraPackage/videocoder.txt");
    QTest::newRow("Buyer videos") << QByteArray("/VelmoraPackage/demo/videobuyer.txt");
    QTest::newRow("Coder videos") << QByteArray("/VelmoraPackage/demo/videocoder.txt");
}

void tst_DemoServer::videoListHasAllRecord() {
    QFETCH(QByteArray, path);
    const HttpResponse list = get(path);
    QCOMPARE(list.status, 200);
    QVERIFY(list.contentType.startsWith("text/plain"));
    QVERIFY(list.body.endsWith("[R]"));
    QVERIFY2(!list.body.contains('\n'), "a line break would become part of a name");
    const QStringList all = allRecord(list.body);
    QVERIFY(all.size() >= 3);
    for (const QString& entry : all)
        QVERIFY2(entry.endsWith(QLatin1String(".swf")), qPrintable(entry));
}

void tst_DemoServer::playerPageShowsTheVideo_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("Buyer") << QStringLiteral("Buyer");
    QTest::newRow("Coder") << QStringLiteral("Coder");
}

void tst_DemoServer::playerPageShowsTheVideo() {
    QFETCH(QString, kind);
    const QStringList all =
        allRecord(get("/VelmoraPackage/demo/video" + kind.toLower().toLatin1() + ".txt").body);
    QVERIFY(!all.isEmpty());
    // The reader puts the entry into the address unescaped; the browser then
    // encodes it, which is what QUrl does here.
    const auto playerPath = [&](const QString& entry) {
        return QUrl(QStringLiteral("http://%1/displaypaidVideosVelmora/demo/%2/pmovie.php?fname=%3")
                        .arg(serverAddress(), kind, entry))
            .toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority);
    };
    for (const QString& entry : all) {
        const HttpResponse page = get(playerPath(entry));
        QCOMPARE(page.status, 200);
        QVERIFY(page.contentType.startsWith("text/html"));
        QVERIFY2(page.body.contains(entry.chopped(4).toUtf8()), qPrintable(entry));
    }
    const HttpResponse missing = get(playerPath(QStringLiteral("No such video.swf")));
    QCOMPARE(missing.status, 404);
    QVERIFY(missing.contentType.startsWith("text/html"));
}

void tst_DemoServer::contactPageIsHtml() {
    const HttpResponse page = get("/contactus.php");
    QCOMPARE(page.status, 200);
    QVERIFY(page.contentType.startsWith("text/html"));
    QVERIFY(page.body.contains("<h1>Contact us</h1>"));
}

} // namespace velmora

QTEST_GUILESS_MAIN(velmora::tst_DemoServer)
#include "tst_DemoServer.moc"
