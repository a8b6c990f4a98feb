#include "DownloadUrl.h"

#include <QTest>

using namespace velmora;

class tst_DownloadUrl : public QObject {
    Q_OBJECT

private slots:
    void hostAndPort_data();
    void hostAndPort();
    void directoryAndFile_data();
    void directoryAndFile();
    void encodeSpaces_data();
    void encodeSpaces();
};

void tst_DownloadUrl::hostAndPort_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port");
    QTest::newRow("coder-index") << "http://content.example/guidesdisplayVelmora/demo/testdoc.txt"
                                 << "content.example"
                                 << "80";
    QTest::newRow("explicit-port") << "http://server:8080/x/idx.txt"
                                   << "server"
                                   << "8080";
    QTest::newRow("scheme-any-case") << "HTTP://Server/x"
                                     << "Server"
                                     << "80";
    QTest::newRow("no-scheme") << "server:81/x"
                               << "server"
                               << "81";
    QTest::newRow("no-path") << "http://server:9"
                             << "server"
                             << "9";
    QTest::newRow("empty-port") << "http://server:/x"
                                << "server"
                                << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "80";
}

void tst_DownloadUrl::hostAndPort() {
    QFETCH(QString, url);
    QFETCH(QString, host);
    QFETCH(QString, port);
    QString splitHost = GetHost(url);
    QCOMPARE(SplitPort(splitHost), port);
    QCOMPARE(splitHost, host);
}

void tst_DownloadUrl::directoryAndFile_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("file");
    QTest::newRow("coder-index") << "http://content.example/guidesdisplayVelmora/demo/testdoc.txt"
                                 << "/guidesdisplayVelmora/demo/"
                                 << "testdoc.txt";
    QTest::newRow("with-port") << "http://h:8080/x/idx.txt"
                               << "/x/"
                               << "idx.txt";
    QTest::newRow("root-file") << "http://h/idx.txt"
                               << "/"
                               << "idx.txt";
    QTest::newRow("host-only") << "http://h"
                               << "/"
                               << "h";
    QTest::newRow("trailing-slash") << "http://h/x/"
                                    << "/x/"
                                    << "";
    QTest::newRow("scheme-upper") << "HTTP://h/a b/c.txt"
                                  << "/a b/"
                                  << "c.txt";
}

void tst_DownloadUrl::directoryAndFile() {
    QFETCH(QString, url);
    QFETCH(QString, directory);
    QFETCH(QString, file);
    QCOMPARE(GetDirectoryPath(url), directory);
    QCOMPARE(GetFileName(url), file);
}

void tst_DownloadUrl::encodeSpaces_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("one") << "/x/p 1.jpg"
                         << "/x/p%201.jpg";
    QTest::newRow("leading-trailing") << " a "
                                      << "%20a%20";
    QTest::newRow("others-untouched") << "/a%b?c#d"
                                      << "/a%b?c#d";
    QTest::newRow("none") << ""
                          << "";
}

void tst_DownloadUrl::encodeSpaces() {
    QFETCH(QString, text);
    QFETCH(QString, encoded);
    QCOMPARE(EncodeSpaces(text), encoded);
}

QTEST_APPLESS_MAIN(tst_DownloadUrl)
#include "tst_DownloadUrl.moc"
