#include "app/FocusTracker.h"
#include "app/ShellGlobals.h"
#include "app/display/DisplayWatcher.h"
#include "app/display/ScreenResolution.h"

#include "RecordingDisplay.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace velmora;

namespace {

/// A window with the watcher's two real 100 ms timers, the user's size
/// saved as 1920 x 1080 and the program in front; armed unless told.
struct Harness {
    explicit Harness(bool armed = true) {
        g_SavedScreenWidth = 1920;
        g_SavedScreenHeight = 1080;
        for (QTimer* timer : {&timer1, &timer2}) {
            timer->setInterval(100);
            timer->start();
        }
        display.active = true;
        window.show();
        if (armed)
            watcher.arm();
    }
    QWidget window;
    QTimer timer1;
    QTimer timer2;
    RecordingDisplay display;
    ScreenResolution resolution{display};
    FocusTracker focus;
    DisplayWatcher watcher{&window, &timer1, &timer2, focus, display, resolution};
};

// Whether `ticks`, a count of `timer`'s timeouts, reaches `count`: the
// watcher, connected before the count, has handled each of those ticks, so
// a change it would make has had its chances.  A timer that stops (a
// give-back stops Timer2) ends the wait early.
bool ticksReach(const QSignalSpy& ticks, const QTimer& timer, int count) {
    return QTest::qWaitFor([&] { return ticks.count() >= count || !timer.isActive(); },
                           10000 + count * 100) &&
           ticks.count() >= count;
}

// Whether `timer` ticks `count` more times.
bool ticksPass(QTimer& timer, int count) {
    const QSignalSpy ticks(&timer, &QTimer::timeout);
    return ticksReach(ticks, timer, count);
}

} // namespace

/// The focus watcher on its real timers: what the timers themselves decide
/// (a stopped Timer2 stays off while minimised, Timer1 keeps Timer2's
/// rhythm, the hand-over's bound, arming and unloading).  What each tick
/// does with what it reads is tst_WatcherTick's table.
class tst_DisplayWatcher : public QObject {
    Q_OBJECT
private slots:
    // The gap before the window manager first activates the window is not
    // another program in front: unarmed ticks do nothing, armed ones act.
    void notArmedBeforeTheFirstActivation() {
        Harness h(false);
        h.display.active = false;
        const bool ticked = ticksPass(h.timer2, 3);
        QCOMPARE(h.display.log, QStringList());
        QVERIFY(ticked);
        QVERIFY(!h.window.isMinimized());
        h.watcher.arm();
        QTRY_COMPARE_WITH_TIMEOUT(h.display.log, RecordingDisplay::switchTo(1920, 1080), 10000);
    }

    // Another program in front, or the window minimised: the user's size
    // comes back, the window is minimised and Timer2 stops; Timer1 then
    // leaves it off while the window stays minimised.
    void awayStopsTimer2UntilRestored_data() {
        QTest::addColumn<bool>("otherProgram");
        QTest::newRow("other-program-in-front") << true;
        QTest::newRow("minimised") << false;
    }
    void awayStopsTimer2UntilRestored() {
        QFETCH(bool, otherProgram);
        Harness h;
        if (otherProgram)
            h.display.active = false;
        else
            h.window.setWindowState(Qt::WindowMinimized);
        QTRY_COMPARE_WITH_TIMEOUT(h.display.log, RecordingDisplay::switchTo(1920, 1080), 10000);
        QVERIFY(h.watcher.resolutionRestored());
        QVERIFY(h.window.isMinimized());
        QVERIFY(!h.timer2.isActive());
        QVERIFY(ticksPass(h.timer1, 3));
        QVERIFY(!h.timer2.isActive());
        QCOMPARE(h.display.log, RecordingDisplay::switchTo(1920, 1080));
    }

    // Restored, Timer1 enables Timer2 again, whose tick switches once; the
    // ticks after it, in front, switch nothing more.
    void restoredTimer1BringsTimer2BackForOneSwitch() {
        Harness h;
        h.display.active = false;
        QTRY_VERIFY_WITH_TIMEOUT(h.window.isMinimized(), 10000);
        h.display.log.clear();
        h.display.active = true;
        h.window.setWindowState(Qt::WindowNoState);
        QTRY_COMPARE_WITH_TIMEOUT(h.display.log, RecordingDisplay::switchTo(1024, 768), 10000);
        QVERIFY(!h.watcher.resolutionRestored());
        const bool ticked = ticksPass(h.timer2, 3);
        QCOMPARE(h.display.log, RecordingDisplay::switchTo(1024, 768));
        QVERIFY(ticked);
    }

    // Timer1 ticks more often than Timer2 here: were enabling a running
    // Timer2 to restart its interval, Timer2 would never come round.
    void timer1KeepsTimer2sRhythm() {
        Harness h;
        h.timer1.setInterval(30);
        h.display.active = false;
        QTRY_VERIFY_WITH_TIMEOUT(h.window.isMinimized(), 10000);
    }

    // One of the program's windows closes: until the window manager has
    // handed the focus on, none of them is active.  That moment is not
    // another program in front; a focus that never comes back is, once the
    // hand-over's bound (1 s) has passed.
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
        QSignalSpy ticks(&h.timer2, &QTimer::timeout);
        h.display.active = false;
        dialog.close();
        const bool handOverTicked = ticksReach(ticks, h.timer2, 2);
        QCOMPARE(h.display.log, QStringList());
        QVERIFY(handOverTicked);
        QVERIFY(!h.window.isMinimized());
        if (focusComesBack) {
            h.display.active = true;
            // Twelve intervals since the close are past the bound however
            // early a coarse timer fires.
            const bool pastTheBound = ticksReach(ticks, h.timer2, 13);
            QCOMPARE(h.display.log, QStringList());
            QVERIFY(pastTheBound);
            QVERIFY(!h.window.isMinimized());
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(h.display.log, RecordingDisplay::switchTo(1920, 1080), 10000);
            QVERIFY(h.window.isMinimized());
        }
    }

    // Unloaded, the watcher stops both timers, and a tick that still comes
    // acts on nothing.
    void unloadedWindowStopsWatching() {
        Harness h;
        h.watcher.stop();
        QVERIFY(!h.timer1.isActive());
        QVERIFY(!h.timer2.isActive());
        h.display.active = false;
        h.timer2.start();
        const bool ticked = ticksPass(h.timer2, 3);
        QCOMPARE(h.display.log, QStringList());
        QVERIFY(ticked);
        QVERIFY(!h.window.isMinimized());
    }
};

QTEST_MAIN(tst_DisplayWatcher)
#include "tst_DisplayWatcher.moc"
