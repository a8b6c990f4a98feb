#include "TestEnvironment.h"
#include "platform/Configuration.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using velmora::Configuration;

namespace {

// Writes the user's own configuration file in this test's config folder.
bool writeUserFile(const QByteArray& content) {
    const QString dir = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Velmora";
    QDir().mkpath(dir);
    QFile file(dir + "/velmora.conf");
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class tst_Configuration : public QObject {
    Q_OBJECT
private slots:
    void init() {
        velmora::test::resetUserConfig();
        qunsetenv("VELMORA_CONTENT_SERVER");
        qunsetenv("VELMORA_WEB_SITE");
    }

    void hostPortValues_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("host") << "content.example" << true;
        QTest::newRow("host-port") << "127.0.0.1:8080" << true;
        QTest::newRow("padded") << "  127.0.0.1:81 " << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("port-zero") << "host:0" << false;
        QTest::newRow("port-too-big") << "host:65536" << false;
        QTest::newRow("port-not-number") << "host:http" << false;
        QTest::newRow("no-host") << ":8080" << false;
        QTest::newRow("path") << "host/guides" << false;
        QTest::newRow("space-inside") << "my host" << false;
        // The port is what follows the first colon: an IPv6 host would be
        // cut at its own colon.
        QTest::newRow("ipv6-bracketed-port") << "[::1]:8080" << false;
        QTest::newRow("ipv6-bare") << "::1" << false;
        QTest::newRow("ipv6-bracketed") << "[::1]" << false;
        QTest::newRow("two-ports") << "host:80:81" << false;
    }
    void hostPortValues() {
        QFETCH(QString, value);
        QFETCH(bool, accepted);
        QString target = "kept:1";
        QCOMPARE(Configuration::applyHostPort(target, value), accepted);
        QCOMPARE(target, accepted ? value.trimmed() : QString("kept:1"));
    }

    // Refused at start with a line on the terminal; the default stays.
    void ipv6ContentServerRefusedAtStart() {
        qputenv("VELMORA_CONTENT_SERVER", "[::1]:8080");
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("VELMORA_CONTENT_SERVER \"\\[::1\\]:8080\" "
                                                "refused.*; using \""));
        const Configuration config = Configuration::load();
        QCOMPARE(config.contentServer, Configuration().contentServer);
    }

    void userFileIsRead() {
        QVERIFY(writeUserFile("[Servers]\nContentServer=files.local:9000\nWebSite=bad:port\n"));
        const Configuration config = Configuration::load();
        QCOMPARE(config.contentServer, QString("files.local:9000"));
        // A bad value in the file leaves the default in force.
        QCOMPARE(config.webSite, Configuration().webSite);
    }

    // The page budget: 1 GiB unless the file names a whole number of MiB
    // from 1 to 1 TiB; anything else keeps the default.  Each row's file
    // differs in size from the others: settings files rewritten within the
    // same second are told apart by their size.
    void pageBudgetFromFile_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<qint64>("mib");
        QTest::newRow("absent") << QByteArray() << qint64(1024);
        QTest::newRow("set") << QByteArray("256") << qint64(256);
        QTest::newRow("largest") << QByteArray("1048576") << qint64(1048576);
        QTest::newRow("past-largest") << QByteArray("10485760") << qint64(1024);
        QTest::newRow("zero") << QByteArray("0") << qint64(1024);
        QTest::newRow("negative") << QByteArray("-5") << qint64(1024);
        QTest::newRow("unit-after") << QByteArray("512MB") << qint64(1024);
    }
    void pageBudgetFromFile() {
        QFETCH(QByteArray, value);
        QFETCH(qint64, mib);
        QVERIFY(writeUserFile(value.isEmpty() ? QByteArray("[Limits]\n")
                                              : "[Limits]\nPageBudgetMiB=" + value + "\n"));
        QCOMPARE(Configuration::load().pageBudgetMiB, mib);
    }

    void environmentWinsOverFile() {
        QVERIFY(writeUserFile("[Servers]\nContentServer=files.local:9000\n"));
        qputenv("VELMORA_CONTENT_SERVER", "127.0.0.1:18000");
        qputenv("VELMORA_WEB_SITE", "site.local");
        const Configuration config = Configuration::load();
        QCOMPARE(config.contentServer, QString("127.0.0.1:18000"));
        QCOMPARE(config.webSite, QString("site.local"));
    }
};

QTEST_GUILESS_MAIN(tst_Configuration)
#include "tst_Configuration.moc"
