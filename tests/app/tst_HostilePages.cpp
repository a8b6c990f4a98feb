// The real browser module in the main window's web page panel and in the
// player window, against pages of our own that try to take the program
// hostage: dialogs, a file choice, a leave-page question, windows, full
// screen, the clipboard, a download; and frames a page makes for itself,
// which must load.  After each page a button of the window still answers,
// and no window of any kind has opened.

#include "app/Main.h"
#include "app/ShellGlobals.h"
#include "app/WebPagePanel.h"

#include "MessageBoxRecorder.h"
#include "RecordingDisplay.h"
#include "ScriptedHttpServer.h"
#include "TestEnvironment.h"
#include "platform/Browser.h"
#include "platform/ControlEvents.h"
#include "videos/VideoGlobals.h"
#include "videos/VideoSection.h"
#include "videos/frmPlayVideos.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

#include <functional>
#include <memory>

using namespace velmora;
using test::ScriptedHttpServer;

namespace {

// A page: served as anything else, the engine takes it for a download.
QByteArray htmlResponse(const QByteArray& body) {
    return ScriptedHttpServer::response("200 OK", body, true, "text/html");
}

QByteArray hostilePages() {
    QFile page(test::sourceDir() + "/tests/data/pages-that-fight-back.html");
    return page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
}

QJsonObject resultsOf(const Browser* browser) {
    return QJsonDocument::fromJson(browser->title().toUtf8()).object();
}

// Every window that comes up besides the main window and the player: a
// page's dialog, a file chooser, a new browser window.  Each is noted and
// closed at once, so that a failing case ends instead of hanging.
class WindowWatch : public QObject {
public:
    WindowWatch() {
        connect(&m_poll, &QTimer::timeout, this, &WindowWatch::look);
        m_poll.start(20);
    }
    QStringList seen;

private:
    void look() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible() || window->windowType() == Qt::ToolTip ||
                qobject_cast<Main*>(window) || qobject_cast<frmPlayVideos*>(window))
                continue;
            seen << QStringLiteral("%1 \"%2\"")
                        .arg(QLatin1String(window->metaObject()->className()),
                             window->windowTitle());
            window->close();
        }
    }
    QTimer m_poll;
};

} // namespace

class tst_HostilePages : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void contactPanelPage_data();
    void contactPanelPage();
    void leavePageQuestionLetsBackLeave();
    void downloadIsCancelled();
    void playerPageAsksForDialogs();

private:
    Browser* browser() const { return m_main->webPanel().browser(); }
    QUrl address(const QByteArray& pathAndQuery) const {
        return QUrl("http://" + m_server.hostPort() + pathAndQuery);
    }
    QWidget* control(const char* name) const { return m_main->form().control(QLatin1String(name)); }
    bool openPanel();
    bool goTo(const QByteArray& hostileCase);
    bool clickPageUntil(const std::function<bool()>& answered);
    bool contactUsAnswers();

    ScriptedHttpServer m_server;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
    std::unique_ptr<RecordingDisplay> m_display;
    std::unique_ptr<Main> m_main;
    std::unique_ptr<WindowWatch> m_windows;
};

void tst_HostilePages::initTestCase() {
    QVERIFY(m_server.listen());
    // The contact page comes from this server: read once, at the first window.
    qputenv("VELMORA_WEB_SITE", m_server.hostPort().toUtf8());
    const QByteArray hostile = hostilePages();
    QVERIFY(!hostile.isEmpty());
    for (const char* name : {"alert-loop", "prompt", "confirm", "leave", "file", "window",
                             "fullscreen", "clipboard", "download", "frames"})
        m_server.addReply(QByteArray("/hostile.html?") + name, htmlResponse(hostile));
    m_server.addReply("/contactus.php", htmlResponse("<!DOCTYPE html><title>contact</title>"));
    m_server.addReply("/popup.html", htmlResponse("<title>popup</title>"));
    m_server.addReply("/frame.html", htmlResponse("<title>frame</title>"));
    m_server.addReply("/guide.bin", "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n"
                                    "Content-Disposition: attachment; filename=guide.bin\r\n"
                                    "Content-Length: 4\r\n\r\nGUID");
}

void tst_HostilePages::init() {
    test::resetUserConfig();
    g_BrowserCreated = false;
    m_boxes = std::make_unique<MessageBoxRecorder>();
    m_display = std::make_unique<RecordingDisplay>();
    MainServices services;
    services.display = m_display.get();
    services.endProcess = [] {};
    m_main = std::make_unique<Main>(services);
    m_main->videos().setContentServer(m_server.hostPort());
    m_windows = std::make_unique<WindowWatch>();
}

void tst_HostilePages::cleanup() {
    QCOMPARE(m_windows->seen, QStringList());
    QCOMPARE(m_boxes->count(), 0);
    m_windows.reset();
    m_main.reset();
    m_display.reset();
    m_boxes.reset();
}

// The "here" link, then Contact Us, which enables Back.
bool tst_HostilePages::openPanel() {
    m_main->show();
    if (!QTest::qWaitFor([this] { return !m_main->firstActivation(); }, 10000))
        return false;
    QTest::mouseClick(control("Label9"), Qt::LeftButton);
    if (!browser() || !QTest::qWaitFor([this] { return control("fraOnTheWeb")->isVisible(); }))
        return false;
    return contactUsAnswers();
}

// Goes to the case's page as a link of the contact page would.
bool tst_HostilePages::goTo(const QByteArray& hostileCase) {
    QSignalSpy loaded(browser()->widget(), SIGNAL(loadFinished(bool)));
    browser()->navigate(address("/hostile.html?" + hostileCase));
    return loaded.wait(30000) && loaded.first().first().toBool();
}

// Clicks the page until it has answered: a click that comes just after the
// load may find the page not yet taking input.
bool tst_HostilePages::clickPageUntil(const std::function<bool()>& answered) {
    for (int tries = 0; tries < 20 && !answered(); ++tries) {
        QTest::mouseClick(browser()->widget()->focusProxy(), Qt::LeftButton, {}, QPoint(100, 100));
        if (QTest::qWaitFor(answered, 1000))
            return true;
    }
    return answered();
}

bool tst_HostilePages::contactUsAnswers() {
    QTest::mouseClick(control("btnContactUs"), Qt::LeftButton);
    const auto onContactPage = [this] {
        return browser()->address() == address("/contactus.php") &&
               browser()->title() == QLatin1String("contact");
    };
    return buttonEnabled(control("ButtonEx3")) && QTest::qWaitFor(onContactPage, 30000);
}

void tst_HostilePages::contactPanelPage_data() {
    QTest::addColumn<QByteArray>("hostileCase");
    QTest::addColumn<bool>("click");
    QTest::addColumn<QJsonObject>("results");
    QTest::newRow("alert-loop") << QByteArray("alert-loop") << false
                                << QJsonObject{{"alerts", "1000"}};
    QTest::newRow("prompt-cancelled")
        << QByteArray("prompt") << false << QJsonObject{{"prompt", "null"}};
    QTest::newRow("confirm-answered-no")
        << QByteArray("confirm") << false << QJsonObject{{"confirm", "false"}};
    // No file is chosen, so the input reports no change.
    QTest::newRow("file-input-clicked")
        << QByteArray("file") << true << QJsonObject{{"file", "clicked"}};
    QTest::newRow("window-open") << QByteArray("window") << false
                                 << QJsonObject{{"window", "none"}};
    QTest::newRow("fullscreen-request")
        << QByteArray("fullscreen") << true << QJsonObject{{"fullscreen", "refused"}};
    QTest::newRow("clipboard-read")
        << QByteArray("clipboard") << true
        << QJsonObject{{"paste", "false"}, {"clipboard", "NotAllowedError"}};
    QTest::newRow("frames-of-the-page-load") << QByteArray("frames") << false
                                             << QJsonObject{{"blank", "about:blank"},
                                                            {"blob", "loaded"},
                                                            {"data", "loaded"},
                                                            {"srcdoc", "loaded"}};
}

void tst_HostilePages::contactPanelPage() {
    QFETCH(QByteArray, hostileCase);
    QFETCH(bool, click);
    QFETCH(QJsonObject, results);
    QGuiApplication::clipboard()->setText(QStringLiteral("secret of the user"));
    QVERIFY(openPanel());
    QVERIFY(goTo(hostileCase));
    const auto complete = [&] { return resultsOf(browser()).size() == results.size(); };
    if (click)
        QVERIFY(clickPageUntil(complete));
    QTRY_VERIFY_WITH_TIMEOUT(complete(), 30000);
    QCOMPARE(resultsOf(browser()), results);
    QVERIFY(!m_main->isFullScreen());
    QVERIFY(!m_server.requestedPaths().contains("/popup.html"));
    QVERIFY(contactUsAnswers());
}

// Back leaves a page that asks whether to leave it; a "no" would hold Back,
// Next and Contact Us on it.
void tst_HostilePages::leavePageQuestionLetsBackLeave() {
    QVERIFY(openPanel());
    QVERIFY(goTo("leave"));
    QVERIFY(clickPageUntil([this] { return !resultsOf(browser()).isEmpty(); }));
    QCOMPARE(resultsOf(browser()), (QJsonObject{{"leave", "armed"}}));
    QTest::mouseClick(control("ButtonEx3"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(browser()->address(), address("/contactus.php"), 30000);
    QVERIFY(contactUsAnswers());
}

// The engine gives the profile a download a page starts; it is cancelled
// before anyone else sees it.
void tst_HostilePages::downloadIsCancelled() {
    QVERIFY(openPanel());
    QList<QWebEngineDownloadRequest::DownloadState> states;
    connect(QWebEngineProfile::defaultProfile(), &QWebEngineProfile::downloadRequested, this,
            [&states](QWebEngineDownloadRequest* download) { states << download->state(); });
    QVERIFY(goTo("download"));
    QVERIFY(clickPageUntil([&states] { return !states.isEmpty(); }));
    QCOMPARE(states, QList<QWebEngineDownloadRequest::DownloadState>{
                         QWebEngineDownloadRequest::DownloadCancelled});
    QVERIFY(contactUsAnswers());
}

// The player window's page gets no dialog either, and "Back to videos"
// closes the window.
void tst_HostilePages::playerPageAsksForDialogs() {
    const QByteArray player = "/displaypaidVideosVelmora/demo/Buyer/pmovie.php?fname=Hostile.swf";
    // Every dialog at once: the alerts, then the prompt and the question.
    QByteArray dialogs = hostilePages();
    dialogs.replace("switch (location.search.slice(1))", "for (const name of ['alert-loop', "
                                                         "'prompt', 'confirm']) switch (name)");
    m_server.addReply(player, htmlResponse(dialogs));
    g_SelectedVideoName = QStringLiteral("Hostile");
    frmPlayVideos window(QStringLiteral("Buyer"), m_server.hostPort());
    window.show();
    QTRY_VERIFY(window.playerBrowser());
    const QJsonObject expected{{"alerts", "1000"}, {"prompt", "null"}, {"confirm", "false"}};
    QTRY_COMPARE_WITH_TIMEOUT(resultsOf(window.playerBrowser()), expected, 30000);
    QTest::mouseClick(window.form().control(QStringLiteral("ButtonEx9")), Qt::LeftButton);
    QTRY_VERIFY(!window.isVisible());
    QVERIFY(g_SkipVideoReload);
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tst_HostilePages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_HostilePages.moc"
