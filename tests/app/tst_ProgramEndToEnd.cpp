// The built program as a user meets it: a process on an X server of the
// test's own, driven by real pointer and key input at the design positions
// of its controls, and checked from outside: the requests the demo server
// logged, the display's size, the message boxes and the pixels on screen.

#include "DesktopDriver.h"
#include "ProgramStart.h"
#include "WindowManagerKeys.h"
#include "XvncScreen.h"

#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdlib>

using namespace velmora;
using namespace velmora::tour;

namespace {

const QString kDemoLog = qEnvironmentVariable("VELMORA_DEMO_LOG");
const QString kDemoServer = qEnvironmentVariable("VELMORA_CONTENT_SERVER");

const QString kMainTitle = QStringLiteral("Velmora package");
const QRgb kWelcomeColour = qRgb(0x6A, 0x7E, 0xC3);
const QRect kPageViewer(places::kPageViewer + QPoint(1, 1), QSize(600, 540));

int distinctColours(const QImage& image, const QRect& area) {
    QSet<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); y += 3)
        for (int x = area.left(); x <= area.right(); x += 3)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

QByteArray demoLog() {
    QFile log(kDemoLog);
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
}

} // namespace

class tst_ProgramEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(test::WindowManagerKeys::ready(), "the window manager takes no Alt+F4");
    }
    void init() {
        QVERIFY2(m_screen.usable(), "no RandR output on the test's X server");
        QVERIFY(m_screen.reset());
    }
    void cleanup() {
        test::endProgram(m_program);
        m_screen.reset();
    }

    void readsAGuideFromTheDemoServer() {
        const qsizetype logBefore = demoLog().size();
        startProgram(kDemoServer);
        const QImage welcome = DesktopDriver::screenshot();
        QCOMPARE(welcome.pixel(places::kWelcomeBackground), kWelcomeColour);
        // The raised Exit button: outermost top-left line in the 3-D light
        // colour, the line inside it in the highlight colour (the program
        // and the test share Qt's default palette).
        const QPoint exitCorner = designPoint(13680, 9720);
        const QPalette palette = QApplication::palette();
        QCOMPARE(welcome.pixel(exitCorner + QPoint(0, 10)),
                 palette.color(QPalette::Midlight).rgb());
        QCOMPARE(welcome.pixel(exitCorner + QPoint(1, 10)), palette.color(QPalette::Light).rgb());

        QVERIFY(DesktopDriver::loadCoderGuide());
        // The index and pages of the Coder guide, over HTTP/1.0.
        const auto pagesRequested = [&] { return demoLog().mid(logBefore).count("/demo/coder/"); };
        QTRY_VERIFY_WITH_TIMEOUT(pagesRequested() >= 3, 20000);
        const QByteArray requests = demoLog().mid(logBefore);
        QVERIFY(requests.contains("HTTP/1.0"));
        QVERIFY(requests.contains(".txt HTTP/1.0\" 200"));
        // A page is drawn where the viewer is: not one flat colour.
        QTRY_VERIFY_WITH_TIMEOUT(distinctColours(DesktopDriver::screenshot(), kPageViewer) > 4,
                                 10000);

        closeProgram();
        QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_program.exitCode(), 0);
        QCOMPARE(m_screen.size(), test::XvncScreen::kStartSize);
    }

    void unreachableServerSaysSo() {
        startProgram(QStringLiteral("127.0.0.1:1"));
        QVERIFY(DesktopDriver::loadCoderGuide());
        // The box's text can be selected and copied, as a user copies an
        // error for a report.
        const QRect box = DesktopDriver::waitForWindow(QStringLiteral("Error"), 15000);
        QVERIFY(!box.isEmpty());
        QGuiApplication::clipboard()->clear();
        QVERIFY(
            DesktopDriver::click(box.topLeft() + QPoint(box.width() * 2 / 5, box.height() / 4)));
        QVERIFY(DesktopDriver::keys({"ctrl+a", "ctrl+c"}));
        QTRY_VERIFY_WITH_TIMEOUT(!QGuiApplication::clipboard()->text().isEmpty(), 5000);
        const QString text = QGuiApplication::clipboard()->text();
        QVERIFY2(text.startsWith("ERROR DN1001: Error occured in communication with server."),
                 qPrintable(text));
        QVERIFY2(text.contains("Error Number: 111"), qPrintable(text));
        QVERIFY(DesktopDriver::keys({"Escape"}));
        QTRY_VERIFY_WITH_TIMEOUT(DesktopDriver::waitForWindow("Error", 1000).isEmpty(), 5000);
        // The program runs on after the error, until the user closes it.
        QCOMPARE(m_program.state(), QProcess::Running);
        closeProgram();
        QCOMPARE(m_program.exitCode(), 0);
        QCOMPARE(m_screen.size(), test::XvncScreen::kStartSize);
    }

    // "here", then Videos within the second: when the second is over the
    // contact page panel lies over the video section, and the page was asked for.
    void contactPageComesOverASectionOpenedWithinTheSecond() {
        const qsizetype logBefore = demoLog().size();
        startProgram(kDemoServer);
        QVERIFY(DesktopDriver::click(places::kHereLink));
        QVERIFY(DesktopDriver::click(places::kVideos));
        // The demo site's header colour just inside the browser's top left
        // (the browser at 0, 1170 in the panel at 1850, 800), where the video
        // section lies while it is in front.
        const QPoint pageHeader = designPoint(1850, 800 + 1170) + QPoint(20, 10);
        QTRY_COMPARE_WITH_TIMEOUT(QColor(DesktopDriver::screenshot().pixel(pageHeader)),
                                  QColor(0x1F, 0x6F, 0x8B), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(demoLog().mid(logBefore).contains("/contactus.php"), 10000);
        closeProgram();
        QCOMPARE(m_screen.size(), test::XvncScreen::kStartSize);
    }

private:
    // Alt+F4 as a user closes it, once Main holds the focus; the exit
    // restores the display before the process ends (slow under sanitizers).
    void closeProgram() {
        QVERIFY(test::WindowManagerKeys::pressOn(kMainTitle, {QStringLiteral("alt+F4")}));
        QVERIFY(m_program.waitForFinished(30000));
    }

    // Started, the display switched, and Main in front with the welcome
    // screen drawn: input from here on reaches Main's controls.
    void startProgram(const QString& contentServer) {
        QVERIFY(
            test::startProgram(m_program, test::programEnvironment(qEnvironmentVariable("DISPLAY"),
                                                                   m_home.path(), contentServer)));
        QVERIFY2(m_screen.waitFor({1024, 768}, 20000), "the program never switched the display");
        QVERIFY(DesktopDriver::waitUntilActive(kMainTitle, 20000));
        QTRY_COMPARE_WITH_TIMEOUT(DesktopDriver::screenshot().pixel(places::kWelcomeBackground),
                                  kWelcomeColour, 10000);
    }

    QTemporaryDir m_home;
    test::XvncScreen m_screen;
    QProcess m_program;
};

// The test's own X server comes first: the test itself grabs the screen and
// reads the clipboard there.
int main(int argc, char** argv) {
    const QByteArray display = qgetenv("VELMORA_E2E_DISPLAY");
    const QByteArray state = qgetenv("VELMORA_E2E_STATE");
    const QByteArray session = qgetenv("VELMORA_SOURCE_DIR") + "/scripts/x-session.sh";
    if (std::system((session + " start xvnc " + display + " " + state).constData()) != 0)
        return 1;
    qputenv("DISPLAY", display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    int status = 0;
    {
        QApplication app(argc, argv);
        tst_ProgramEndToEnd test;
        status = QTest::qExec(&test, argc, argv);
    }
    std::system((session + " stop xvnc " + display + " " + state).constData());
    return status;
}

#include "tst_ProgramEndToEnd.moc"
