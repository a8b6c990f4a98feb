#include "videos/VideoAddresses.h"

#include <QTest>
#include <QUrl>

using namespace velmora;

namespace {
const QString kServer = QStringLiteral("content.example:8080");
}

class tst_VideoAddresses : public QObject {
    Q_OBJECT
private slots:
    void listFiles_data();
    void listFiles();
    void playerPage_data();
    void playerPage();
    void playerPageKeepsTheNameThroughUrlParsing();
};

void tst_VideoAddresses::listFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("categories");
    QTest::addColumn<QString>("videos");
    const QString base = "http://content.example:8080/VelmoraPackage/";
    QTest::newRow("buyer") << "Buyer" << base + "videobuyer.txt" << base + "demo/videobuyer.txt";
    QTest::newRow("coder") << "Coder" << base + "videocoder.txt" << base + "demo/videocoder.txt";
    QTest::newRow("empty-reads-coder")
        << "" << base + "videocoder.txt" << base + "demo/videocoder.txt";
    QTest::newRow("lower-case-buyer-reads-coder")
        << "buyer" << base + "videocoder.txt" << base + "demo/videocoder.txt";
}

void tst_VideoAddresses::listFiles() {
    QFETCH(QString, kind);
    QFETCH(QString, categories);
    QFETCH(QString, videos);
    QCOMPARE(VideoAddresses::categoryFile(kServer, kind), categories);
    QCOMPARE(VideoAddresses::videoFile(kServer, kind), videos);
}

void tst_VideoAddresses::playerPage_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    const QString base = "http://content.example:8080/displaypaidVideosVelmora/demo/";
    QTest::newRow("buyer") << "Buyer"
                           << "Welcome" << base + "Buyer/pmovie.php?fname=Welcome.swf";
    QTest::newRow("coder-with-spaces")
        << "Coder"
        << "Writing a proposal" << base + "Coder/pmovie.php?fname=Writing a proposal.swf";
    QTest::newRow("ampersand") << "Coder"
                               << "Fees & payments"
                               << base + "Coder/pmovie.php?fname=Fees %26 payments.swf";
    QTest::newRow("hash-plus-percent")
        << "Buyer"
        << "C# + 100%" << base + "Buyer/pmovie.php?fname=C%23 %2B 100%25.swf";
    QTest::newRow("other-kind-has-none") << "buyer"
                                         << "Welcome" << QString();
    QTest::newRow("empty-kind-has-none") << ""
                                         << "Welcome" << QString();
}

void tst_VideoAddresses::playerPage() {
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, address);
    QCOMPARE(VideoAddresses::playerPage(kServer, kind, name), address);
}

// The browser parses the address; the server must get the name back whole.
void tst_VideoAddresses::playerPageKeepsTheNameThroughUrlParsing() {
    const QString name = "Fees & payments #2 + 50% off";
    const QUrl url(VideoAddresses::playerPage(kServer, "Buyer", name));
    QVERIFY(url.isValid());
    QCOMPARE(url.path(), "/displaypaidVideosVelmora/demo/Buyer/pmovie.php");
    QCOMPARE(url.fragment(), QString());
    QCOMPARE(url.query(QUrl::FullyDecoded), "fname=" + name + ".swf");
}

QTEST_APPLESS_MAIN(tst_VideoAddresses)
#include "tst_VideoAddresses.moc"
