// The browser module's pages against a page of our own that tries what a
// hostile page would: new windows, local files, devices, the desktop,
// notifications, other schemes; and the settings behind them.

#include "ScriptedHttpServer.h"
#include "TestEnvironment.h"
#include "platform/Browser.h"
#include "platform/BrowserFactory.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <algorithm>
#include <functional>
#include <memory>

using namespace velmora;
using test::ScriptedHttpServer;

namespace {

QByteArray htmlResponse(const QByteArray& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray hostilePage() {
    QFile page(test::sourceDir() + "/tests/data/page-that-tries-everything.html");
    return page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
}

} // namespace

// Stands for the desktop's program of a scheme.
class ExternalOpener : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& address) { opened << address; }

public:
    QList<QUrl> opened;
};

class tst_BrowserHardening : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void scriptsOpenNoWindowAndReadNoFile();
    void permissionRequestsAreDenied();
    void onlyHttpAddressesAreFollowed_data();
    void onlyHttpAddressesAreFollowed();
    void pagesStartNoOtherProgram();
    void droppedFilesAndLocalContentStayOff();

private:
    QJsonObject results() const {
        return QJsonDocument::fromJson(m_browser->title().toUtf8()).object();
    }
    bool load(const QByteArray& path);
    /// Clicks the page at `at` until `taken` holds (30 s at most): a click
    /// just after a load may find the page not yet taking input.
    void clickUntil(QPoint at, const std::function<bool()>& taken);

    ScriptedHttpServer m_server;
    QTemporaryDir m_files;
    QUrl m_localPage;
    std::unique_ptr<QWidget> m_window;
    Browser* m_browser = nullptr;
};

void tst_BrowserHardening::initTestCase() {
    QVERIFY(m_server.listen());
    const QByteArray page = hostilePage();
    QVERIFY(!page.isEmpty());
    m_server.addReply("/hostile.html", htmlResponse(page));
    m_server.addReply("/popup.html", htmlResponse("<title>popup</title>"));
    m_server.addReply("/calm.html", htmlResponse("<!DOCTYPE html><title>calm</title>"));
    // Each click names itself in the title, after which the link goes on to
    // its address.
    m_server.addReply("/mail.html",
                      htmlResponse("<!DOCTYPE html><title>calm</title><body style='margin:0'>"
                                   "<a href='mailto:a@example.com' style='display:block;"
                                   "height:500px' onclick=\"document.title='link'\">mail</a>"
                                   "<div style='height:100px' onclick=\"document.title+=', "
                                   "after'\">after</div>"));
    QVERIFY(m_files.isValid());
    QFile local(m_files.filePath("local.html"));
    QVERIFY(local.open(QIODevice::WriteOnly));
    local.write("<!DOCTYPE html><title>local file shown</title>");
    local.close();
    m_localPage = QUrl::fromLocalFile(local.fileName());
}

void tst_BrowserHardening::init() {
    m_window = std::make_unique<QWidget>();
    m_window->resize(800, 600);
    QString error;
    m_browser = BrowserFactory::instance().create(m_window.get(), "hardened", &error);
    QVERIFY2(m_browser, qPrintable(error));
    m_browser->widget()->setGeometry(0, 0, 800, 600);
    m_browser->widget()->show();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_BrowserHardening::cleanup() {
    m_window.reset();
    m_browser = nullptr;
}

bool tst_BrowserHardening::load(const QByteArray& path) {
    QSignalSpy loaded(m_browser->widget(), SIGNAL(loadFinished(bool)));
    m_browser->navigate(QUrl("http://" + m_server.hostPort() + path));
    return loaded.wait(30000) && loaded.first().first().toBool();
}

void tst_BrowserHardening::clickUntil(QPoint at, const std::function<bool()>& taken) {
    const QDeadlineTimer deadline(30000);
    bool done = taken();
    while (!done && !deadline.hasExpired()) {
        QTest::mouseClick(m_browser->widget()->focusProxy(), Qt::LeftButton, {}, at);
        done = QTest::qWaitFor(taken, 500);
    }
    QVERIFY(done);
}

void tst_BrowserHardening::scriptsOpenNoWindowAndReadNoFile() {
    const auto windowsBefore = QApplication::topLevelWidgets().size();
    QVERIFY(load("/hostile.html"));
    QTRY_VERIFY_WITH_TIMEOUT(results().contains("file"), 10000);
    QCOMPARE(results().value("window").toString(), "none");
    QCOMPARE(results().value("file").toString(), "refused");
    QVERIFY(!m_server.requestedPaths().contains("/popup.html"));
    QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);
}

void tst_BrowserHardening::permissionRequestsAreDenied() {
    QVERIFY(load("/hostile.html"));
    const QStringList asked = {"location", "notifications", "microphone", "camera", "screen"};
    const auto allAnswered = [&] {
        const QJsonObject answers = results();
        return std::all_of(asked.begin(), asked.end(),
                           [&](const QString& key) { return answers.contains(key); });
    };
    // A click that comes just after the load may find the page not yet
    // taking input; the user clicks again.
    clickUntil(QPoint(100, 100), [&] { return results().contains("screen"); });
    QTRY_VERIFY_WITH_TIMEOUT(allAnswered(), 30000);
    const QJsonObject answers = results();
    QCOMPARE(answers.value("location").toString(), "denied");
    QCOMPARE(answers.value("notifications").toString(), "denied");
    QCOMPARE(answers.value("microphone").toString(), "NotAllowedError");
    QCOMPARE(answers.value("camera").toString(), "NotAllowedError");
    QCOMPARE(answers.value("screen").toString(), "NotAllowedError");
}

void tst_BrowserHardening::onlyHttpAddressesAreFollowed_data() {
    QTest::addColumn<QUrl>("address");
    QTest::newRow("file") << QUrl();
    QTest::newRow("data") << QUrl("data:text/html,<title>data page shown</title>");
    QTest::newRow("view-source") << QUrl();
}

void tst_BrowserHardening::onlyHttpAddressesAreFollowed() {
    QFETCH(QUrl, address);
    if (QByteArray(QTest::currentDataTag()) == "file")
        address = m_localPage;
    else if (address.isEmpty())
        address = QUrl("view-source:http://" + m_server.hostPort() + "/calm.html");
    QVERIFY(load("/calm.html"));
    QSignalSpy loaded(m_browser->widget(), SIGNAL(loadFinished(bool)));
    m_browser->navigate(address);
    // A refused address ends in a failed load or in no load at all.
    if (loaded.wait(5000))
        QVERIFY(!loaded.first().first().toBool());
    QCOMPARE(m_browser->address().scheme(), "http");
    QCOMPARE(m_browser->title(), "calm");
}

// An address of another scheme a page goes to would be handed to the
// desktop's program for it.
void tst_BrowserHardening::pagesStartNoOtherProgram() {
    ExternalOpener opener;
    QDesktopServices::setUrlHandler("mailto", &opener, "open");
    const auto unset = qScopeGuard([] { QDesktopServices::unsetUrlHandler("mailto"); });
    QVERIFY(load("/mail.html"));
    // A user's click on a link: scripts alone may not hand addresses over.
    clickUntil(QPoint(100, 100), [&] { return m_browser->title() == "link"; });
    // The page takes its input in order: once it has seen a later click,
    // the link's address has gone to the engine, and a round trip to the
    // page lets the engine's queued work run.
    QTest::mouseClick(m_browser->widget()->focusProxy(), Qt::LeftButton, {}, QPoint(100, 550));
    QTRY_COMPARE_WITH_TIMEOUT(m_browser->title(), "link, after", 10000);
    auto* view = qobject_cast<QWebEngineView*>(m_browser->widget());
    QVERIFY(view);
    bool answered = false;
    view->page()->runJavaScript("document.title", [&](const QVariant&) { answered = true; });
    QTRY_VERIFY_WITH_TIMEOUT(answered, 10000);
    QCOMPARE(opener.opened, QList<QUrl>());
    QCOMPARE(m_browser->title(), "link, after");
}

// A file dropped on a page would open in it; no synthetic drop reaches the
// engine's drop handling, so the setting is read instead.
void tst_BrowserHardening::droppedFilesAndLocalContentStayOff() {
    auto* view = qobject_cast<QWebEngineView*>(m_browser->widget());
    QVERIFY(view);
    const QWebEngineSettings* settings = view->page()->settings();
    QVERIFY(!settings->testAttribute(QWebEngineSettings::NavigateOnDropEnabled));
    QVERIFY(!settings->testAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls));
    QVERIFY(!settings->testAttribute(QWebEngineSettings::JavascriptCanOpenWindows));
    QVERIFY(!settings->testAttribute(QWebEngineSettings::ScreenCaptureEnabled));
    // Which local addresses WebRTC offers depends on the machine's networks,
    // so the setting is read here too.
    QVERIFY(settings->testAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly));
}

int main(int argc, char** argv) {
    // A camera and a microphone to be asked for: without devices the engine
    // answers "not found" before it asks for permission.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --use-fake-device-for-media-stream");
    QApplication app(argc, argv);
    tst_BrowserHardening test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_BrowserHardening.moc"
