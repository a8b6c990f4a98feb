#include "app/ShellGlobals.h"
#include "app/display/DisplayWatcher.h"
#include "app/display/ScreenResolution.h"

#include "RecordingDisplay.h"

#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace velmora;

namespace {

/// A window with the watcher's two real 100 ms timers, the user's size
/// saved as 1920 x 1080 and the program in front.
struct Harness {
    Harness() {
        g_SavedScreenWidth = 1920;
        g_SavedScreenHeight = 1080;
        for (QTimer* timer : {&timer1, &timer2}) {
            timer->setInterval(100);
            timer->start();
        }
        display.active = true;
        window.show();
        watcher.arm();
    }
    QWidget window;
    QTimer timer1;
    QTimer timer2;
    RecordingDisplay display;
    ScreenResolution resolution{display};
    DisplayWatcher watcher{&window, &timer1, &timer2, display, resolution};
};

} // namespace

/// The focus watcher on its real timers: the user's size comes back while
/// the program is away, 1024 x 768 when it is back, nothing while it stays.
class tst_DisplayWatcher : public QObject {
    Q_OBJECT
private slots:
    void inFrontNothingHappens() {
        Harness h;
        QTest::qWait(350);
        QCOMPARE(h.display.log, QStringList());
        QVERIFY(h.timer2.isActive());
    }

    void notArmedBeforeTheFirstActivation() {
        Harness h;
        h.watcher.stop();
        h.timer1.start();
        h.timer2.start();
        h.display.active = false;
        QTest::qWait(350);
        QCOMPARE(h.display.log, QStringList());
        QVERIFY(!h.window.isMinimized());
    }

    // Another program in front, or the window minimised: the user's size
    // comes back, the window is minimised and Timer2 stops.
    void awayRestoresTheUsersSize_data() {
        QTest::addColumn<bool>("otherProgram");
        QTest::newRow("other-program-in-front") << true;
        QTest::newRow("minimised") << false;
    }
    void awayRestoresTheUsersSize() {
        QFETCH(bool, otherProgram);
        Harness h;
        if (otherProgram)
            h.display.active = false;
        else
            h.window.setWindowState(Qt::WindowMinimized);
        QTRY_COMPARE_WITH_TIMEOUT(h.display.log, RecordingDisplay::switchTo(1920, 1080), 1000);
        QVERIFY(h.watcher.resolutionRestored());
        QVERIFY(h.window.isMinimized());
        QVERIFY(!h.timer2.isActive());
        // Minimised, Timer1 leaves Timer2 off and nothing more happens.
        QTest::qWait(350);
        QVERIFY(!h.timer2.isActive());
        QCOMPARE(h.display.log, RecordingDisplay::switchTo(1920, 1080));
    }

    void comingBackSwitchesAgainOnce() {
        Harness h;
        h.display.active = false;
        QTRY_VERIFY_WITH_TIMEOUT(h.window.isMinimized(), 1000);
        h.display.log.clear();
        h.display.active = true;
        h.window.setWindowState(Qt::WindowNoState);
        QTRY_COMPARE_WITH_TIMEOUT(h.display.log, RecordingDisplay::switchTo(1024, 768), 1000);
        QVERIFY(!h.watcher.resolutionRestored());
        QTest::qWait(350);
        QCOMPARE(h.display.log, RecordingDisplay::switchTo(1024, 768));
    }

    // Timer1 ticks more often than Timer2 here: were enabling a running
    // Timer2 to restart its interval, Timer2 would never come round.
    void timer1KeepsTimer2sRhythm() {
        Harness h;
        h.timer1.setInterval(30);
        h.display.active = false;
        QTRY_VERIFY_WITH_TIMEOUT(h.window.isMinimized(), 1000);
    }

    // One of the program's windows closes: until the window manager has
    // handed the focus on, none of them is active.  That moment is not
    // another program in front; a focus that never comes back is.
    void closingAWindowHandsTheFocusBack_data() {
        QTest::addColumn<bool>("focusComesBack");
        QTest::newRow("back-to-main") << true;
        QTest::newRow("given-elsewhere") << false;
    }
    void closingAWindowHandsTheFocusBack() {
        QFETCH(bool, focusComesBack);
        Harness h;
        QWidget dialog;
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        h.display.active = false;
        dialog.close();
        QTest::qWait(300);
        QCOMPARE(h.display.log, QStringList());
        QVERIFY(!h.window.isMinimized());
        if (focusComesBack) {
            h.display.active = true;
            QTest::qWait(1500);
            QCOMPARE(h.display.log, QStringList());
            QVERIFY(!h.window.isMinimized());
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(h.display.log, RecordingDisplay::switchTo(1920, 1080), 3000);
            QVERIFY(h.window.isMinimized());
        }
    }

    void unloadedWindowStopsWatching() {
        Harness h;
        h.watcher.stop();
        h.display.active = false;
        QTest::qWait(350);
        QCOMPARE(h.display.log, QStringList());
        QVERIFY(!h.timer1.isActive());
    }
};

QTEST_MAIN(tst_DisplayWatcher)
#include "tst_DisplayWatcher.moc"
