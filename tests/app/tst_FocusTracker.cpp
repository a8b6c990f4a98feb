#include "app/FocusTracker.h"

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <memory>

using namespace velmora;

/// The one follower of the focus: it passes on every window that takes the
/// focus, and keeps the last one while none of the program's holds it.
class tst_FocusTracker : public QObject {
    Q_OBJECT
private slots:
    void keepsTheLastHolderWhileNoneHoldsTheFocus() {
        FocusTracker focus;
        QList<QWindow*> taken;
        connect(&focus, &FocusTracker::focusTaken, this, [&](QWindow* window) { taken << window; });
        QWidget first;
        auto second = std::make_unique<QWidget>();
        for (QWidget* window : {&first, second.get()}) {
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
        }
        QCOMPARE(taken, QList<QWindow*>({first.windowHandle(), second->windowHandle()}));
        QCOMPARE(focus.lastFocus(), second->windowHandle());

        // Closed, the second leaves no focus window, as another program in
        // front does: it stays the last holder, and no empty focus is passed on.
        second->close();
        QTRY_VERIFY(!QGuiApplication::focusWindow());
        QCOMPARE(focus.lastFocus(), second->windowHandle());
        QCOMPARE(taken.size(), 2);

        second.reset();
        QVERIFY(!focus.lastFocus());
    }
};

QTEST_MAIN(tst_FocusTracker)
#include "tst_FocusTracker.moc"
