#include "ButtonEx.h"
#include "HoverTicks.h"

#include "platform/HostSite.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <memory>

using namespace velmora;

namespace {

// The last pointer move a window was given, before any of its widgets saw
// it: a move to a disabled button, or off one, still arrives here.
class WindowMoves : public QObject {
public:
    QPointF last{-1, -1};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove)
            last = static_cast<QMouseEvent*>(event)->position();
        return QObject::eventFilter(watched, event);
    }
};

// A shown window with one running button and a line edit to take the focus
// away, plus a log of every event the button raised, in order.
struct Fixture {
    QStringList log;
    int moves = 0;
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    ButtonEx* button = nullptr;
    HostSite* site = nullptr;
    QLineEdit* other = nullptr;
    WindowMoves windowMoves;

    Fixture() {
        window->resize(400, 300);
        button = new ButtonEx(window.get());
        site = new HostSite(button);
        button->setSite(site);
        button->initProperties();
        button->setGeometry(50, 50, 80, 24);
        other = new QLineEdit(window.get());
        other->setGeometry(50, 200, 100, 24);
        record();
    }

    bool show() {
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        window->windowHandle()->installEventFilter(&windowMoves);
        const bool parked = pointTo(button->mapFrom(window.get(), kParking));
        log.clear();
        return parked;
    }

    void record() {
        const auto mouse = [this](const char* name) {
            return [this, name](short& b, short& s, float& x, float& y) {
                log << QStringLiteral("%1 %2 %3 %4 %5")
                           .arg(QLatin1String(name))
                           .arg(b)
                           .arg(s)
                           .arg(x)
                           .arg(y);
            };
        };
        QObject::connect(button, &ButtonEx::MouseDown, mouse("MouseDown"));
        QObject::connect(button, &ButtonEx::MouseUp, mouse("MouseUp"));
        QObject::connect(button, &ButtonEx::MouseMove,
                         [this](short&, short&, float&, float&) { ++moves; });
        QObject::connect(button, &ButtonEx::Click, [this] {
            log << QStringLiteral("Click in state %1").arg(button->state());
        });
        QObject::connect(button, &ButtonEx::Resize, [this] {
            log << QStringLiteral("Resize in state %1").arg(button->state());
        });
        const auto key = [this](const char* name) {
            return [this, name](short& code, short& shift) {
                log << QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(code).arg(shift);
            };
        };
        QObject::connect(button, &ButtonEx::KeyDown, key("KeyDown"));
        QObject::connect(button, &ButtonEx::KeyUp, key("KeyUp"));
        QObject::connect(button, &ButtonEx::KeyPress,
                         [this](short& ascii) { log << QStringLiteral("KeyPress %1").arg(ascii); });
    }

    // Inside the window, away from the button.
    static constexpr QPoint kParking{300, 150};
    bool parkPointer() { return pointTo(button->mapFrom(window.get(), kParking)); }

    /// Puts the real pointer at `local` (button coordinates).
    bool pointTo(QPoint local) {
        const QPoint target = button->mapToGlobal(local);
        QCursor::setPos(target);
        const bool arrived = QTest::qWaitFor([&] { return QCursor::pos() == target; });
        // Deliver the move it made before anything else happens.
        QCoreApplication::processEvents();
        return arrived;
    }

    /// Waits until the window has been given the pointer's move to `local`
    /// (button coordinates) and has handed it on to its widgets.
    bool windowHadMoveTo(QPoint local) {
        const QPointF target = window->mapFromGlobal(button->mapToGlobal(local));
        return QTest::qWaitFor([&] { return windowMoves.last == target; });
    }

    /// Moves the real pointer to `local` (button coordinates) and waits for
    /// the move the button receives there.
    bool moveOver(QPoint local) {
        const int before = moves;
        QCursor::setPos(button->mapToGlobal(local));
        return QTest::qWaitFor([&] { return moves > before; });
    }

    /// Shown, with the pointer resting at (11, 10) on a hovered face.
    bool showHovered() {
        return show() && moveOver({10, 10}) && moveOver({11, 10}) && button->state() == Hover;
    }

    // Presses and releases happen where the pointer is, as a hand makes
    // them; elsewhere Qt would first move the pointer there itself.
    QPoint pointerInWindow() const { return window->mapFromGlobal(QCursor::pos()); }
    void press(Qt::MouseButton which) {
        QTest::mousePress(window->windowHandle(), which, {}, pointerInWindow());
    }
    void release(Qt::MouseButton which) {
        QTest::mouseRelease(window->windowHandle(), which, {}, pointerInWindow());
    }
};

bool onRealDisplay() {
    return QGuiApplication::platformName() != QLatin1String("offscreen");
}

// Presses made by the test are synthetic; a real X server's pointer does not
// hold a button for them, so the moves it reports would contradict them.
#define SKIP_PRESSES_ON_REAL_DISPLAY()                                                             \
    if (onRealDisplay())                                                                           \
    QSKIP("button presses are exercised on the offscreen platform")

} // namespace

class tst_ButtonExInput : public QObject {
    Q_OBJECT

private slots:
    void firstMoveStartsTimerNextShowsHover();
    void leavingReturnsNormalAndStopsTimer();
    void pressDragOutDragBackRelease();
    void releaseOutsideRaisesMouseUpWithoutClick();
    void otherButtonsOnlyRaiseEvents_data();
    void otherButtonsOnlyRaiseEvents();
    void afterClickFaceIsNormalUntilNextMove();
    void keysRaiseEventsOnly_data();
    void keysRaiseEventsOnly();
    void altAccessKeyClicksWithoutPressedLook();
    void focusAndDefaultShareTheFrame();
    void resizeShowsNormalThenRaisesResize();
    void disabledControlTakesNoInput();
    void designViewHoversWithoutTimer();
};

void tst_ButtonExInput::firstMoveStartsTimerNextShowsHover() {
    Fixture f;
    QVERIFY(f.show());
    QCOMPARE(f.button->state(), int(Normal));
    QVERIFY(f.moveOver({10, 10}));
    QVERIFY(f.button->hoverTimerActive());
    QCOMPARE(f.button->state(), int(Normal));
    QVERIFY(f.moveOver({12, 11}));
    QCOMPARE(f.button->state(), int(Hover));
    // Moving again after a rest brings the poll back to every millisecond.
    QTRY_COMPARE(f.button->hoverPollInterval(), 16);
    QVERIFY(f.moveOver({13, 11}));
    QCOMPARE(f.button->hoverPollInterval(), 1);
}

void tst_ButtonExInput::leavingReturnsNormalAndStopsTimer() {
    Fixture f;
    QVERIFY(f.showHovered());
    // The column and row just past the face still count as inside.
    QVERIFY(f.pointTo({80, 24}));
    QVERIFY(test::hoverTicked(*f.button));
    QCOMPARE(f.button->state(), int(Hover));
    QVERIFY(f.button->hoverTimerActive());

    // A resting pointer slows the poll; leaving is still seen at once.
    QTRY_COMPARE(f.button->hoverPollInterval(), 16);
    QVERIFY(f.button->hoverTimerActive());
    QVERIFY(f.pointTo({80, 25}));
    QTRY_COMPARE_WITH_TIMEOUT(f.button->state(), int(Normal), 100);
    QTRY_VERIFY(!f.button->hoverTimerActive());
}

void tst_ButtonExInput::pressDragOutDragBackRelease() {
    SKIP_PRESSES_ON_REAL_DISPLAY();
    Fixture f;
    QVERIFY(f.showHovered());
    f.press(Qt::LeftButton);
    QCOMPARE(f.button->state(), int(Pressed));
    QCOMPARE(f.log, QStringList{QStringLiteral("MouseDown 1 0 165 150")});

    // Dragged out: the captured moves keep coming, the tick shows Normal.
    QVERIFY(f.moveOver({150, 10}));
    QTRY_COMPARE(f.button->state(), int(Normal));
    QTRY_VERIFY(!f.button->hoverTimerActive());

    // Back in: the first move only restarts the timer, the next one presses.
    QVERIFY(f.moveOver({20, 12}));
    QVERIFY(f.button->hoverTimerActive());
    QCOMPARE(f.button->state(), int(Normal));
    QVERIFY(f.moveOver({21, 12}));
    QCOMPARE(f.button->state(), int(Pressed));

    f.release(Qt::LeftButton);
    QCOMPARE(f.log.mid(1), (QStringList{QStringLiteral("MouseUp 1 0 315 180"),
                                        QStringLiteral("Click in state 1")}));
}

void tst_ButtonExInput::releaseOutsideRaisesMouseUpWithoutClick() {
    SKIP_PRESSES_ON_REAL_DISPLAY();
    Fixture f;
    QVERIFY(f.show());
    QVERIFY(f.moveOver({10, 10}));
    f.press(Qt::LeftButton);
    QVERIFY(f.moveOver({100, 40}));
    f.release(Qt::LeftButton);
    QCOMPARE(f.log, (QStringList{QStringLiteral("MouseDown 1 0 150 150"),
                                 QStringLiteral("MouseUp 1 0 1500 600")}));
    QCOMPARE(f.button->state(), int(Normal));
}

void tst_ButtonExInput::otherButtonsOnlyRaiseEvents_data() {
    QTest::addColumn<Qt::MouseButton>("which");
    QTest::addColumn<int>("value");
    QTest::newRow("right") << Qt::RightButton << 2;
    QTest::newRow("middle") << Qt::MiddleButton << 4;
}

void tst_ButtonExInput::otherButtonsOnlyRaiseEvents() {
    SKIP_PRESSES_ON_REAL_DISPLAY();
    QFETCH(Qt::MouseButton, which);
    QFETCH(int, value);
    Fixture f;
    QVERIFY(f.show());
    // Focused already, so that the press changes nothing but the events.
    f.button->setFocus();
    QTRY_VERIFY(f.button->hasFocus());
    QVERIFY(f.moveOver({10, 10}));
    QSignalSpy redraws(f.button, &ButtonEx::redrawn);
    f.press(which);
    QVERIFY(f.moveOver({15, 10}));
    QVERIFY(f.moveOver({16, 10}));
    f.release(which);
    QCOMPARE(f.log, (QStringList{QStringLiteral("MouseDown %1 0 150 150").arg(value),
                                 QStringLiteral("MouseUp %1 0 240 150").arg(value)}));
    QCOMPARE(redraws.size(), 0);
    QCOMPARE(f.button->state(), int(Normal));
}

void tst_ButtonExInput::afterClickFaceIsNormalUntilNextMove() {
    SKIP_PRESSES_ON_REAL_DISPLAY();
    Fixture f;
    QVERIFY(f.showHovered());
    f.press(Qt::LeftButton);
    f.release(Qt::LeftButton);
    QVERIFY(f.log.contains(QStringLiteral("Click in state 1")));
    // The poll goes on over the resting pointer and leaves the face alone.
    QVERIFY(test::hoverTicked(*f.button));
    QCOMPARE(f.button->state(), int(Normal));
    QVERIFY(f.moveOver({12, 10}));
    QCOMPARE(f.button->state(), int(Hover));
}

void tst_ButtonExInput::keysRaiseEventsOnly_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("space") << Qt::Key_Space << Qt::KeyboardModifiers()
                           << QStringList{"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0"};
    QTest::newRow("enter") << Qt::Key_Return << Qt::KeyboardModifiers()
                           << QStringList{"KeyDown 13 0", "KeyPress 13", "KeyUp 13 0"};
    QTest::newRow("escape") << Qt::Key_Escape << Qt::KeyboardModifiers()
                            << QStringList{"KeyDown 27 0", "KeyPress 27", "KeyUp 27 0"};
    QTest::newRow("shift+F5") << Qt::Key_F5 << Qt::KeyboardModifiers(Qt::ShiftModifier)
                              << QStringList{"KeyDown 16 1", "KeyDown 116 1", "KeyUp 116 1",
                                             "KeyUp 16 0"};
    QTest::newRow("arrow types nothing")
        << Qt::Key_Left << Qt::KeyboardModifiers() << QStringList{"KeyDown 37 0", "KeyUp 37 0"};
}

void tst_ButtonExInput::keysRaiseEventsOnly() {
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QStringList, expected);
    Fixture f;
    QVERIFY(f.show());
    f.button->setFocus();
    QTRY_VERIFY(f.button->hasFocus());
    QSignalSpy redraws(f.button, &ButtonEx::redrawn);
    QTest::keyClick(f.button, key, modifiers);
    QCOMPARE(f.log, expected);
    QCOMPARE(redraws.size(), 0);
}

void tst_ButtonExInput::altAccessKeyClicksWithoutPressedLook() {
    Fixture f;
    f.button->setCaption(QStringLiteral("&Load"));
    QVERIFY(f.show());
    f.other->setFocus();
    QSignalSpy redraws(f.button, &ButtonEx::redrawn);
    QTest::keyClick(f.window->windowHandle(), Qt::Key_L, Qt::AltModifier);
    QCOMPARE(f.log, QStringList{QStringLiteral("Click in state 1")});
    QCOMPARE(redraws.size(), 0);

    // A disabled button ignores its access key.
    f.button->setButtonEnabled(false);
    QTest::keyClick(f.window->windowHandle(), Qt::Key_L, Qt::AltModifier);
    QCOMPARE(f.log.size(), 1);
}

void tst_ButtonExInput::focusAndDefaultShareTheFrame() {
    Fixture f;
    QVERIFY(f.show());
    f.other->setFocus();
    QTRY_VERIFY(f.other->hasFocus());
    QCOMPARE(f.button->drawDefault(), false);

    QSignalSpy redraws(f.button, &ButtonEx::redrawn);
    f.site->setDisplayAsDefault(true);
    QCOMPARE(f.button->drawDefault(), true);
    QCOMPARE(redraws.size(), 1);

    f.button->setFocus();
    QTRY_VERIFY(f.button->hasFocus());
    QCOMPARE(f.button->drawDefault(), true);
    f.other->setFocus();
    QTRY_VERIFY(f.other->hasFocus());
    QCOMPARE(f.button->drawDefault(), false);
    QCOMPARE(f.button->state(), int(Normal));

    // Only the exact name counts.
    f.button->ambientChanged(QStringLiteral("displayasdefault"));
    QCOMPARE(f.button->drawDefault(), false);
    f.site->setDisplayAsDefault(true);
    QCOMPARE(f.button->drawDefault(), true);
}

void tst_ButtonExInput::resizeShowsNormalThenRaisesResize() {
    Fixture f;
    QVERIFY(f.showHovered());
    f.button->resize(120, 30);
    QCOMPARE(f.log, QStringList{QStringLiteral("Resize in state 1")});
    QCOMPARE(f.button->face().size(), QSize(120, 30));
}

void tst_ButtonExInput::disabledControlTakesNoInput() {
    Fixture f;
    f.button->setButtonEnabled(false);
    QVERIFY(f.show());

    QVERIFY(f.pointTo({10, 10}));
    QVERIFY(f.pointTo({12, 10}));
    QVERIFY(f.windowHadMoveTo({12, 10}));
    QCOMPARE(f.moves, 0);
    QVERIFY(!f.button->hoverTimerActive());
    f.press(Qt::LeftButton);
    f.release(Qt::LeftButton);
    f.button->setFocus();
    QVERIFY(!f.button->hasFocus());
    QTest::keyClick(f.button, Qt::Key_Space);
    QCOMPARE(f.log, QStringList());
    QCOMPARE(f.button->state(), int(Normal));

    f.button->resize(90, 24);
    QCOMPARE(f.log, QStringList{QStringLiteral("Resize in state 1")});
}

void tst_ButtonExInput::designViewHoversWithoutTimer() {
    Fixture f;
    f.site->setUserMode(false);
    QVERIFY(f.show());
    QVERIFY(f.moveOver({10, 10}));
    QCOMPARE(f.button->state(), int(Hover));
    QVERIFY(!f.button->hoverTimerActive());

    QVERIFY(f.parkPointer());
    QVERIFY(f.windowHadMoveTo(f.button->mapFrom(f.window.get(), Fixture::kParking)));
    QCOMPARE(f.button->state(), int(Hover));
    // A property change repaints the state it finds.
    f.button->setBackColor(0x00FFFFFFu);
    QCOMPARE(f.button->state(), int(Hover));
    f.button->resize(81, 24);
    QCOMPARE(f.button->state(), int(Normal));
}

QTEST_MAIN(tst_ButtonExInput)
#include "tst_ButtonExInput.moc"
