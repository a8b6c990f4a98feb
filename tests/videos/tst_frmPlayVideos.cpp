#include "FakeBrowser.h"
#include "MessageBoxRecorder.h"
#include "TestEnvironment.h"
#include "videos/VideoGlobals.h"
#include "videos/frmPlayVideos.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTest>

using namespace velmora;
using test::FakeBrowserFactory;

namespace {
const QString kServer = QStringLiteral("content.test:8080");
}

class tst_frmPlayVideos : public QObject {
    Q_OBJECT
private slots:
    void init();
    void showsThePlayerPageOfTheChosenVideo_data();
    void showsThePlayerPageOfTheChosenVideo();
    void otherKindShowsOnlyTheTitle();
    void browserSitsUnderTheTitleAndButton();
    void windowIsBorderlessFixedAndAtTheTop();
    void backgroundIsLightBlue();
    void backToVideosReleasesTheBrowserAndSkipsTheReload();
    void escapeLeavesLikeBackToVideos();
    void missingBrowserModuleShowsMessageAndStillCloses();
};

void tst_frmPlayVideos::init() {
    g_SkipVideoReload = false;
    g_SelectedVideoName.clear();
}

void tst_frmPlayVideos::showsThePlayerPageOfTheChosenVideo_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("query");
    QTest::newRow("buyer") << "Buyer"
                           << "Welcome"
                           << "fname=Welcome.swf";
    QTest::newRow("coder-spaces") << "Coder"
                                  << "Writing a winning proposal"
                                  << "fname=Writing%20a%20winning%20proposal.swf";
    QTest::newRow("ampersand") << "Coder"
                               << "Fees & payments"
                               << "fname=Fees%20%26%20payments.swf";
}

void tst_frmPlayVideos::showsThePlayerPageOfTheChosenVideo() {
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, query);
    FakeBrowserFactory browsers;
    g_SelectedVideoName = name;
    frmPlayVideos window(kind, kServer);
    window.show();
    QCOMPARE(browsers.created.size(), 1);
    auto* browser = browsers.created.first().data();
    QCOMPARE(browser->objectName(), "MyWebBrowserControlName");
    QCOMPARE(browser->navigations.size(), 1);
    const QUrl page = browser->navigations.first();
    QCOMPARE(page.host(), "content.test");
    QCOMPARE(page.port(), 8080);
    QCOMPARE(page.path(), "/displaypaidVideosVelmora/demo/" + kind + "/pmovie.php");
    QCOMPARE(page.query(QUrl::FullyEncoded), query);
    QCOMPARE(window.form().control<QLabel>("Label3")->text(), "Playing: " + name);
}

void tst_frmPlayVideos::otherKindShowsOnlyTheTitle() {
    FakeBrowserFactory browsers;
    g_SelectedVideoName = "Welcome";
    frmPlayVideos window(QString(), kServer);
    window.show();
    QCOMPARE(browsers.created.size(), 1);
    QVERIFY(browsers.created.first()->navigations.isEmpty());
    QCOMPARE(window.form().control<QLabel>("Label3")->text(), "Playing: Welcome");
}

void tst_frmPlayVideos::browserSitsUnderTheTitleAndButton() {
    FakeBrowserFactory browsers;
    frmPlayVideos window("Buyer", kServer);
    window.show();
    QWidget* frame1 = window.form().control("Frame1");
    QWidget* browser = browsers.created.first();
    QCOMPARE(browser->parentWidget(), frame1);
    QCOMPARE(browser->geometry(), QRect(30, 69, 1021, 745));
    QVERIFY(browser->isVisible());
    // Later children paint over earlier ones.
    const QObjectList order = frame1->children();
    for (const char* name : {"Frame2", "Frame3", "Frame4"})
        QVERIFY2(order.indexOf(window.form().control(name)) > order.indexOf(browser), name);
    QVERIFY(order.indexOf(window.form().control("lblLoaednig")) < order.indexOf(browser));
}

void tst_frmPlayVideos::windowIsBorderlessFixedAndAtTheTop() {
    FakeBrowserFactory browsers;
    frmPlayVideos window("Buyer", kServer);
    window.move(40, 300);
    window.show();
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(window.isModal());
    QCOMPARE(window.size(), QSize(1167, 1000));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.y(), 0);
    QCOMPARE(window.x(), 40);
}

// Light blue, 0x00FFC4B4: red B4, green C4, blue FF.
void tst_frmPlayVideos::backgroundIsLightBlue() {
    constexpr qint64 kLightBlue = 16762036;
    QFile file(":/forms/frmPlayVideos.json");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject description = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(description.value("backColor").toInteger(), kLightBlue);
    QStringList lightBlue;
    for (const QJsonValue control : description.value("controls").toArray())
        if (control["backColor"].toInteger() == kLightBlue)
            lightBlue << control["name"].toString();
    QCOMPARE(lightBlue, QStringList({"Frame1", "Frame2", "Frame3"}));

    // Below the panel of the browser, and on that panel beside the browser.
    FakeBrowserFactory browsers;
    frmPlayVideos window("Buyer", kServer);
    window.show();
    const QImage shown = window.grab().toImage();
    for (const QPoint point : {QPoint(1100, 950), QPoint(1100, 500)})
        QCOMPARE(shown.pixelColor(point), QColor(0xB4, 0xC4, 0xFF));
}

void tst_frmPlayVideos::backToVideosReleasesTheBrowserAndSkipsTheReload() {
    FakeBrowserFactory browsers;
    frmPlayVideos window("Buyer", kServer);
    window.show();
    QVERIFY(browsers.created.first());
    window.ButtonEx9_Click();
    QVERIFY(g_SkipVideoReload);
    QVERIFY(!window.isVisible());
    QVERIFY(!browsers.created.first());
    QCOMPARE(window.playerBrowser(), nullptr);
}

void tst_frmPlayVideos::escapeLeavesLikeBackToVideos() {
    FakeBrowserFactory browsers;
    frmPlayVideos window("Buyer", kServer);
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(g_SkipVideoReload);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.playerBrowser(), nullptr);
}

void tst_frmPlayVideos::missingBrowserModuleShowsMessageAndStillCloses() {
    ModuleBrowserFactory missing("/nonexistent/libvelmora_browser.so");
    BrowserFactory::install(&missing);
    MessageBoxRecorder boxes;
    g_SelectedVideoName = "Welcome";
    frmPlayVideos window("Buyer", kServer);
    window.show();
    BrowserFactory::install(nullptr);
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.last().text, "Make sure you have Explorer installed on your computer");
    QCOMPARE(boxes.last().title, "Internet Explorer required...");
    QCOMPARE(boxes.last().icon, QMessageBox::Information);
    QCOMPARE(window.playerBrowser(), nullptr);
    QVERIFY(window.isVisible());
    window.ButtonEx9_Click();
    QVERIFY(!window.isVisible());
    QVERIFY(g_SkipVideoReload);
}

QTEST_MAIN(tst_frmPlayVideos)
#include "tst_frmPlayVideos.moc"
