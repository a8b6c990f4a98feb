#include "ScriptedHttpServer.h"
#include "TestEnvironment.h"
#include "videos/DataGateway.h"
#include "videos/DatabaseDriver.h"

#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace velmora;
using test::ScriptedHttpServer;

namespace {

// Records what the driver asks of its window, in order.
class RecordingHost : public DatabaseDriver::Host {
public:
    void enableControls(bool enableState) override {
        calls << (enableState ? "enable" : "disable");
    }
    void showLoadingVideos() override { calls << "loading"; }
    QStringList calls;
};

const QByteArray kBuyerCategories = "/VelmoraPackage/videobuyer.txt";
const QByteArray kCoderCategories = "/VelmoraPackage/videocoder.txt";
const QByteArray kBuyerVideos = "/VelmoraPackage/demo/videobuyer.txt";
const QByteArray kCoderVideos = "/VelmoraPackage/demo/videocoder.txt";

} // namespace

class tst_DatabaseDriver : public QObject {
    Q_OBJECT
private slots:
    void init();
    void fetchTextDisablesControlsAroundTheDownload();
    void fetchTextIgnoresSpacesAroundTheAddress();
    void unreachableServerGivesEmptyResultsAndEnabledControls();
    void categoriesComeFromTheKindsCategoryFile_data();
    void categoriesComeFromTheKindsCategoryFile();
    void videosComeFromTheKindsVideoFile_data();
    void videosComeFromTheKindsVideoFile();
    void categoryVideosShowLoadingBeforeTheDownload();
    void fetchTextWaitsForTheRunningRequest();
    void stateChangesAreRecorded();
    void hostileListFilesGiveEmptyResults_data();
    void hostileListFilesGiveEmptyResults();

private:
    void serve(const QByteArray& path, const QByteArray& body) {
        m_server->addReply(path, ScriptedHttpServer::response("200 OK", body));
    }
    QString url(const QByteArray& path) const { return "http://" + m_server->hostPort() + path; }

    std::unique_ptr<ScriptedHttpServer> m_server;
    std::unique_ptr<DataGateway> m_gateway;
    std::unique_ptr<RecordingHost> m_host;
    std::unique_ptr<DatabaseDriver> m_driver;
};

void tst_DatabaseDriver::init() {
    m_driver.reset();
    m_server = std::make_unique<ScriptedHttpServer>();
    QVERIFY(m_server->listen());
    m_gateway = std::make_unique<DataGateway>();
    m_host = std::make_unique<RecordingHost>();
    m_driver = std::make_unique<DatabaseDriver>(*m_gateway, *m_host, m_server->hostPort());
}

void tst_DatabaseDriver::fetchTextDisablesControlsAroundTheDownload() {
    serve("/a.txt", "text");
    QStringList callsAtRequest;
    connect(m_server.get(), &ScriptedHttpServer::requestReceived, this,
            [&] { callsAtRequest = m_host->calls; });
    QCOMPARE(m_driver->FetchText(url("/a.txt")), "text");
    QCOMPARE(callsAtRequest, QStringList{"disable"});
    QCOMPARE(m_host->calls, (QStringList{"disable", "enable"}));
}

void tst_DatabaseDriver::fetchTextIgnoresSpacesAroundTheAddress() {
    serve("/a.txt", "text");
    QCOMPARE(m_driver->FetchText("  " + url("/a.txt") + "   "), "text");
}

void tst_DatabaseDriver::unreachableServerGivesEmptyResultsAndEnabledControls() {
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const QString closed = QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
    probe.close();
    m_driver->setServer(closed);
    QCOMPARE(m_driver->GetVideoCategories("Buyer"), QStringList());
    QCOMPARE(m_driver->GetCategoryVideos("Coder", "All"), QStringList());
    QCOMPARE(m_host->calls.last(), "enable");
    QCOMPARE(m_host->calls.count("disable"), m_host->calls.count("enable"));
}

void tst_DatabaseDriver::categoriesComeFromTheKindsCategoryFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("path");
    QTest::newRow("buyer") << "Buyer" << kBuyerCategories;
    QTest::newRow("coder") << "Coder" << kCoderCategories;
    QTest::newRow("empty-kind-reads-coder") << "" << kCoderCategories;
    QTest::newRow("other-kind-reads-coder") << "Seller" << kCoderCategories;
}

void tst_DatabaseDriver::categoriesComeFromTheKindsCategoryFile() {
    QFETCH(QString, kind);
    QFETCH(QByteArray, path);
    serve(path, "All[R]a.swf[R]Start[R]a.swf[R]Pay[R][R]");
    QCOMPARE(m_driver->GetVideoCategories(kind), (QStringList{"All", "Start", "Pay"}));
    QCOMPARE(m_server->requestedPaths(), QList<QByteArray>{path});
}

void tst_DatabaseDriver::videosComeFromTheKindsVideoFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("entries");
    const QStringList both{"Posting a project.swf", "Choosing a coder.swf"};
    QTest::newRow("buyer-all") << "Buyer" << kBuyerVideos << "All" << both;
    QTest::newRow("coder-all") << "Coder" << kCoderVideos << "All" << both;
    QTest::newRow("other-kind-reads-coder") << "" << kCoderVideos << "All" << both;
    QTest::newRow("spaced-request") << "Buyer" << kBuyerVideos << " All " << both;
    QTest::newRow("lower-case-name-no-match") << "Buyer" << kBuyerVideos << "all" << QStringList();
    QTest::newRow("second-category")
        << "Buyer" << kBuyerVideos << "Getting started" << QStringList{"Posting a project.swf"};
    QTest::newRow("unknown-category") << "Buyer" << kBuyerVideos << "Nope" << QStringList();
}

void tst_DatabaseDriver::videosComeFromTheKindsVideoFile() {
    QFETCH(QString, kind);
    QFETCH(QByteArray, path);
    QFETCH(QString, category);
    QFETCH(QStringList, entries);
    serve(path, "All[R]Posting a project.swf[C]Choosing a coder.swf[R]"
                "Getting started[R]Posting a project.swf[R]");
    QCOMPARE(m_driver->GetCategoryVideos(kind, category), entries);
    QCOMPARE(m_server->requestedPaths(), QList<QByteArray>{path});
}

void tst_DatabaseDriver::categoryVideosShowLoadingBeforeTheDownload() {
    serve(kBuyerVideos, "All[R]a.swf[R]");
    QStringList callsAtRequest;
    connect(m_server.get(), &ScriptedHttpServer::requestReceived, this,
            [&] { callsAtRequest = m_host->calls; });
    m_driver->GetCategoryVideos("Buyer", "All");
    QCOMPARE(callsAtRequest, (QStringList{"loading", "disable"}));
}

// A download started while another is still running (from an event handled
// inside the first one's wait) must not start before the first has ended.
void tst_DatabaseDriver::fetchTextWaitsForTheRunningRequest() {
    m_server->addReply("/slow.txt", ScriptedHttpServer::Reply{QByteArray(), 0, true});
    serve("/fast.txt", "fast");
    QStringList timeline;
    QString inner = "not run";
    // The inner download starts once the slow one is on the server, and
    // the slow one is cancelled a while after the inner one began to wait.
    connect(m_server.get(), &ScriptedHttpServer::requestReceived, this,
            [&](const QByteArray& path) {
                timeline << QString::fromLatin1(path);
                if (path != "/slow.txt")
                    return;
                QTimer::singleShot(0, this, [&] {
                    timeline << "inner starts";
                    QTimer::singleShot(300, this, [&] {
                        timeline << "cancel";
                        m_gateway->cancel();
                    });
                    inner = m_driver->FetchText(url("/fast.txt"));
                });
            });
    QCOMPARE(m_driver->FetchText(url("/slow.txt")), QString());
    QCOMPARE(inner, "fast");
    QCOMPARE(timeline, (QStringList{"/slow.txt", "inner starts", "cancel", "/fast.txt"}));
    QCOMPARE(m_host->calls.last(), "enable");
}

void tst_DatabaseDriver::stateChangesAreRecorded() {
    serve("/a.txt", "text");
    m_driver->FetchText(url("/a.txt"));
    QCOMPARE(g_GatewayState, qint16(8));
    m_driver->FetchText(url("/missing.txt"));
    QCOMPARE(g_GatewayState, qint16(DataGateway::Failed));
}

// A list file of 20 MB without a marker is one piece: no category, no
// video.  One past the gateway's 4 MiB bound is dropped as it comes.
// Either way nothing is shown, the controls come back and memory stays
// bounded.
void tst_DatabaseDriver::hostileListFilesGiveEmptyResults_data() {
    QTest::addColumn<qsizetype>("size");
    QTest::newRow("20-MB-without-markers") << qsizetype(20'000'000);
    QTest::newRow("past-the-bound") << qsizetype((4 << 20) + 1);
    // Sent as fast as taken: only the gateway's own bound holds memory.
    QTest::newRow("endless") << qsizetype(-1);
}

void tst_DatabaseDriver::hostileListFilesGiveEmptyResults() {
    QFETCH(qsizetype, size);
    for (const QByteArray& path : {kBuyerCategories, kBuyerVideos}) {
        if (size < 0)
            m_server->addReply(
                path, ScriptedHttpServer::Reply{"HTTP/1.0 200 OK\r\n\r\n", qint64(4) << 30});
        else
            serve(path, QByteArray(size, 'x'));
    }
    QCOMPARE(m_driver->GetVideoCategories("Buyer"), QStringList());
    QCOMPARE(m_driver->GetCategoryVideos("Buyer", "All"), QStringList());
    QCOMPARE(m_host->calls.last(), QString("enable"));
    if (!test::kSanitized)
        QVERIFY2(test::peakResidentKb() < 400 * 1024,
                 qPrintable(QString::number(test::peakResidentKb())));
}

QTEST_GUILESS_MAIN(tst_DatabaseDriver)
#include "tst_DatabaseDriver.moc"
