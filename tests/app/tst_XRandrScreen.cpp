// The X calls of the display switching on the Xorg dummy server, where the
// server itself refuses a change: what is left behind.

#include "app/display/XRandrScreen.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace velmora;

namespace {

// The screen's size ("2880x1200") as a new client of the server sees it.
QString screenSize() {
    QProcess tool;
    tool.start(QStringLiteral("xdpyinfo"));
    if (!tool.waitForFinished(10000))
        return {};
    const QString info = QString::fromLatin1(tool.readAll());
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("dimensions:\\s+(\\d+x\\d+) pixels")).match(info);
    return size.captured(1);
}

int xrandr(const QStringList& arguments) {
    return QProcess::execute(QStringLiteral("xrandr"), arguments);
}

// VESA 1024x768 at 60 Hz under a name of the test's own.
const QString kMode = QStringLiteral("velmora-unoffered");

} // namespace

class tst_XRandrScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(m_screen, "no RandR on the Xorg test server");
        xrandr({"--newmode", kMode, "65.00", "1024", "1048", "1184", "1344", "768", "771", "777",
                "806", "-hsync", "-vsync"});
        QCOMPARE(xrandr({"--addmode", "DUMMY1", kMode}), 0);
    }
    void cleanupTestCase() {
        xrandr({"--delmode", "DUMMY1", kMode});
        xrandr({"--rmmode", kMode});
    }

    // A mode the first head does not offer, placed right of everything so
    // that the screen must grow first: the server refuses the CRTC change,
    // and the grown screen must not stay (windows could land where no
    // output shows them).
    void refusedChangeLeavesTheScreenSize() {
        const std::optional<OutputView> second = m_screen->view("DUMMY1");
        QVERIFY(second);
        const auto offeredThere =
            std::find_if(second->modes.begin(), second->modes.end(),
                         [](const ModeLine& mode) { return mode.width == 1024; });
        QVERIFY(offeredThere != second->modes.end());
        const std::optional<OutputView> first = m_screen->view("DUMMY0");
        QVERIFY(first && first->lit());
        const QString before = screenSize();
        const QStringList size = before.split('x');
        QCOMPARE(size.size(), 2);

        QVERIFY(!m_screen->setMode("DUMMY0", *offeredThere, size[0].toInt(), 0, kRotate0));
        QCOMPARE(screenSize(), before);
        const std::optional<OutputView> after = m_screen->view("DUMMY0");
        QVERIFY(after && after->current.sameTimings(first->current) && after->x == first->x);
    }

private:
    std::unique_ptr<XRandrScreen> m_screen = XRandrScreen::open();
};

QTEST_GUILESS_MAIN(tst_XRandrScreen)
#include "tst_XRandrScreen.moc"
