// The real program on a real display: it starts without the GL driver, and
// its first browser still shows a page.

#include "DesktopDriver.h"
#include "GlDriverMaps.h"
#include "ProgramStart.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTest>

#include <algorithm>

using namespace velmora;

namespace {

// The background of the demo player page (demo/content/player.html) and
// the header of the demo site's pages (demo/content/site/site.css).
const QRgb kPlayerPageBackground = qRgb(0xee, 0xf3, 0xfa);
const QRgb kSiteHeader = qRgb(0x1f, 0x6f, 0x8b);

// The "here" link of the welcome screen: Label9 at (8550, 10260) twips.
const QPoint kHereLink((8550 + 255) / 15, (10260 + 142) / 15);

// The first line of lstVideos: fraVideo at (1852, 772) twips on Main, which
// sits at the screen's top-left corner, and lstVideos at (3315, 3645) in it.
const QPoint kFirstVideoLine((1852 + 3315) / 15 + 60, (772 + 3645) / 15 + 7);

int pixelsOfColour(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            count += (line[x] & 0xffffff) == (colour & 0xffffff);
    }
    return count;
}

// lstVideos itself: 7470 x 1110 twips at the same place.
const QRect kVideoList((1852 + 3315) / 15, (772 + 3645) / 15, 7470 / 15, 1110 / 15);

QImage screenImage() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

// Whether lstVideos shows more than the one line "Loading videos..." it
// holds while the list downloads: text in two bands of rows, apart.
bool videoListFilled() {
    // Inside the list box's frame.
    const QRect inside = kVideoList.adjusted(3, 3, -3, -3);
    const QImage list = QGuiApplication::primaryScreen()
                            ->grabWindow(0, inside.x(), inside.y(), inside.width(), inside.height())
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32);
    int bands = 0;
    bool inText = false;
    for (int y = 0; y < list.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(list.constScanLine(y));
        const bool text =
            std::any_of(line, line + list.width(), [](QRgb pixel) { return qGray(pixel) < 96; });
        bands += text && !inText;
        inText = text;
    }
    return bands >= 2;
}

// Visible windows of `pid` titled `title`; Main and the player window are
// titled as the product.
int programWindows(qint64 pid, const QString& title = "Velmora package") {
    return tour::DesktopDriver::visibleWindows(pid, title);
}

// The program's environment on the test's display.
QProcessEnvironment programEnvironment() {
    return test::programEnvironment(qEnvironmentVariable("DISPLAY"));
}

} // namespace

class tst_LightStart : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsWithoutGlDriverAndThePlayerShowsItsPage();
    void withoutGlThePlayerReportsTheMissingComponent();
    void lightStartThenTheContactPageShows();
    void pickingAVideoLoadsTheBrowserAheadOfThePlayer();

private:
    /// Starts the program, waits for Main and checks that neither a GL
    /// driver nor the web engine is mapped.
    void startLight(const QProcessEnvironment& env);
    /// The same, then double-clicks the first video.
    void startAndOpenPlayer(const QProcessEnvironment& env);

    QProcess m_program;
    qint64 m_pid = 0;
};

void tst_LightStart::init() {
    test::resetUserConfig();
    // Start in the Videos section, whose list holds the demo's videos.
    QSettings settings(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Velmora/settings.ini",
                       QSettings::IniFormat);
    settings.setValue("Package/Startup", "Videos");
}

void tst_LightStart::cleanup() {
    test::endProgram(m_program);
}

void tst_LightStart::startLight(const QProcessEnvironment& env) {
    QVERIFY(
        test::startProgram(m_program, env, test::builtProgram(), QProcess::ForwardedOutputChannel));
    m_pid = m_program.processId();

    QTRY_COMPARE_WITH_TIMEOUT(programWindows(m_pid), 1, 20000);
    // Main's first activation runs its start-up block, then fills the list.
    QTRY_VERIFY_WITH_TIMEOUT(videoListFilled(), 20000);
    QCOMPARE(test::mappedGlDriverFiles(m_pid), QStringList());
    const QByteArray mapped = test::processMaps(m_pid);
    QVERIFY(!mapped.isEmpty());
    QVERIFY(!mapped.contains("WebEngine"));
    QVERIFY(!mapped.contains("libvelmora_browser"));
}

void tst_LightStart::startAndOpenPlayer(const QProcessEnvironment& env) {
    startLight(env);
    if (QTest::currentTestFailed())
        return;

    QProcess click;
    click.start("xdotool", {"mousemove", "--sync", QString::number(kFirstVideoLine.x()),
                            QString::number(kFirstVideoLine.y()), "click", "--repeat", "2",
                            "--delay", "80", "1"});
    QVERIFY(click.waitForFinished());
}

void tst_LightStart::startsWithoutGlDriverAndThePlayerShowsItsPage() {
    QProcessEnvironment env = programEnvironment();
    // As a user runs it: the web engine picks its own GL path.
    env.remove("QTWEBENGINE_CHROMIUM_FLAGS");
    const QImage before = screenImage();
    startAndOpenPlayer(env);
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE_WITH_TIMEOUT(programWindows(m_pid), 2, 20000);
    // The page is drawn once its background covers the margins around the
    // player's canvas: well over 20,000 pixels more than before.
    const int backgroundBefore = pixelsOfColour(before, kPlayerPageBackground);
    QTRY_VERIFY_WITH_TIMEOUT(
        pixelsOfColour(screenImage(), kPlayerPageBackground) - backgroundBefore > 20000, 60000);
    QCOMPARE(m_program.state(), QProcess::Running);
    // Qt warns when the GL share context is asked for in the wrong order;
    // the user's terminal hears nothing of it.
    const QString errors = QString::fromLocal8Bit(m_program.readAllStandardError());
    QVERIFY2(!errors.contains("AA_ShareOpenGLContexts"), qPrintable(errors));
    QVERIFY2(!errors.contains("share context", Qt::CaseInsensitive), qPrintable(errors));
}

void tst_LightStart::withoutGlThePlayerReportsTheMissingComponent() {
    QProcessEnvironment env = programEnvironment();
    // The X platform without its GL integration: no GL context to be had.
    env.insert("QT_XCB_GL_INTEGRATION", "none");
    startAndOpenPlayer(env);
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE_WITH_TIMEOUT(programWindows(m_pid, "Internet Explorer required..."), 1, 20000);
    QCOMPARE(m_program.state(), QProcess::Running);
    const QByteArray mapped = test::processMaps(m_pid);
    QVERIFY(!mapped.isEmpty());
    QVERIFY(!mapped.contains("WebEngine"));
}

// The other browser of the program after a light start: the contact page
// in the web page panel.
void tst_LightStart::lightStartThenTheContactPageShows() {
    QProcessEnvironment env = programEnvironment();
    env.remove("QTWEBENGINE_CHROMIUM_FLAGS");
    startLight(env);
    if (QTest::currentTestFailed())
        return;
    // From the Videos section, whose filled list ends the start, back to the
    // welcome screen; the program takes the clicks in order.
    QCOMPARE(
        QProcess::execute("xdotool",
                          {"mousemove", "--sync", QString::number(tour::places::kBackToWelcome.x()),
                           QString::number(tour::places::kBackToWelcome.y()), "click", "1"}),
        0);
    QCOMPARE(QProcess::execute("xdotool", {"mousemove", "--sync", QString::number(kHereLink.x()),
                                           QString::number(kHereLink.y()), "click", "1"}),
             0);
    // The site's header band is well over 10,000 pixels once drawn.
    QTRY_VERIFY_WITH_TIMEOUT(pixelsOfColour(screenImage(), kSiteHeader) > 10000, 60000);
    QCOMPARE(m_program.state(), QProcess::Running);
}

// One click on a video: the GL driver and the web engine load in the
// background while the user has yet to ask for the player.
void tst_LightStart::pickingAVideoLoadsTheBrowserAheadOfThePlayer() {
    startLight(programEnvironment());
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(
        QProcess::execute("xdotool", {"mousemove", "--sync", QString::number(kFirstVideoLine.x()),
                                      QString::number(kFirstVideoLine.y()), "click", "1"}),
        0);
    QTRY_VERIFY_WITH_TIMEOUT(test::processMaps(m_pid).contains("libvelmora_browser"), 10000);
    QVERIFY(!test::mappedGlDriverFiles(m_pid).isEmpty());
    QCOMPARE(programWindows(m_pid), 1);
}

QTEST_MAIN(tst_LightStart)

#include "tst_LightStart.moc"
