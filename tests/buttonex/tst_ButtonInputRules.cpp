// The button's input decisions without a widget: which state each mouse
// input and hover tick paints, and what it does to the hover timer.

#include "ButtonInputRules.h"

#include <QTest>

using namespace velmora;

namespace {

// The look an input asks for, "-" for none, and the timer's action.
QString outcome(const InputStep& step) {
    static const char* const kStates[] = {"Pressed", "Normal", "Hover"};
    static const char* const kTimer[] = {"keep", "start", "stop"};
    return QStringLiteral("%1, timer %2")
        .arg(QLatin1String(step.redraw ? kStates[*step.redraw] : "-"),
             QLatin1String(kTimer[int(step.timer)]));
}

// Button bit sets as the platform passes them.
constexpr short kNone = 0;
constexpr short kLeft = 1;
constexpr short kRight = 2;
constexpr short kMiddle = 4;

} // namespace

class tst_ButtonInputRules : public QObject {
    Q_OBJECT
private slots:
    void mouseDown_data() {
        QTest::addColumn<short>("button");
        QTest::addColumn<QString>("expected");
        QTest::newRow("left presses") << kLeft << "Pressed, timer keep";
        QTest::newRow("right only raises the event") << kRight << "-, timer keep";
        QTest::newRow("middle only raises the event") << kMiddle << "-, timer keep";
        QTest::newRow("left with right is not the left alone")
            << short(kLeft | kRight) << "-, timer keep";
    }
    void mouseDown() {
        QFETCH(short, button);
        QFETCH(QString, expected);
        QCOMPARE(outcome(ButtonInputRules::mouseDown(button)), expected);
    }

    void mouseMove_data() {
        QTest::addColumn<short>("button");
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("timerOn");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("expected");
        // The first move over a running button only starts the poll.
        QTest::newRow("first move starts the timer only")
            << kNone << true << false << int(Normal) << "-, timer start";
        QTest::newRow("first move with the left button held starts the timer only")
            << kLeft << true << false << int(Normal) << "-, timer start";
        QTest::newRow("next move hovers")
            << kNone << true << true << int(Normal) << "Hover, timer keep";
        QTest::newRow("hovered stays unpainted")
            << kNone << true << true << int(Hover) << "-, timer keep";
        QTest::newRow("pressed face hovers again without a button")
            << kNone << true << true << int(Pressed) << "Hover, timer keep";
        QTest::newRow("dragged back in presses")
            << kLeft << true << true << int(Normal) << "Pressed, timer keep";
        QTest::newRow("pressed stays unpainted")
            << kLeft << true << true << int(Pressed) << "-, timer keep";
        QTest::newRow("hovered with the left button presses")
            << kLeft << true << true << int(Hover) << "Pressed, timer keep";
        QTest::newRow("right button changes nothing")
            << kRight << true << true << int(Normal) << "-, timer keep";
        QTest::newRow("middle button changes nothing")
            << kMiddle << true << true << int(Hover) << "-, timer keep";
        // A move carries every button held: the left one with another is
        // not the left alone.
        QTest::newRow("left with right held changes nothing")
            << short(kLeft | kRight) << true << true << int(Normal) << "-, timer keep";
        QTest::newRow("left with middle held keeps the hover")
            << short(kLeft | kMiddle) << true << true << int(Hover) << "-, timer keep";
        // A design view hovers at once and never polls.
        QTest::newRow("design view hovers without the timer")
            << kNone << false << false << int(Normal) << "Hover, timer keep";
        QTest::newRow("design view presses without the timer")
            << kLeft << false << false << int(Hover) << "Pressed, timer keep";
        QTest::newRow("design view hovered stays unpainted")
            << kNone << false << false << int(Hover) << "-, timer keep";
    }
    void mouseMove() {
        QFETCH(short, button);
        QFETCH(bool, running);
        QFETCH(bool, timerOn);
        QFETCH(int, state);
        QFETCH(QString, expected);
        QCOMPARE(outcome(ButtonInputRules::mouseMove(button, running, timerOn, state)), expected);
    }

    void mouseUp_data() {
        QTest::addColumn<short>("button");
        QTest::addColumn<QString>("expected");
        QTest::newRow("left shows normal") << kLeft << "Normal, timer keep";
        QTest::newRow("right changes nothing") << kRight << "-, timer keep";
        QTest::newRow("middle changes nothing") << kMiddle << "-, timer keep";
    }
    void mouseUp() {
        QFETCH(short, button);
        QFETCH(QString, expected);
        QCOMPARE(outcome(ButtonInputRules::mouseUp(button)), expected);
    }

    void timerTick_data() {
        QTest::addColumn<bool>("outside");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("expected");
        QTest::newRow("left while hovered") << true << int(Hover) << "Normal, timer stop";
        QTest::newRow("dragged out while pressed") << true << int(Pressed) << "Normal, timer stop";
        QTest::newRow("left while normal stops without a repaint")
            << true << int(Normal) << "-, timer stop";
        QTest::newRow("inside while hovered") << false << int(Hover) << "-, timer keep";
        QTest::newRow("inside while pressed") << false << int(Pressed) << "-, timer keep";
        QTest::newRow("inside after a click") << false << int(Normal) << "-, timer keep";
    }
    void timerTick() {
        QFETCH(bool, outside);
        QFETCH(int, state);
        QFETCH(QString, expected);
        QCOMPARE(outcome(ButtonInputRules::timerTick(outside, state)), expected);
    }

    // The face is 80 x 24 pixels; its column x = 80 and row y = 24 still
    // count as inside.
    void pointerOutside_data() {
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<bool>("outside");
        QTest::newRow("top-left corner") << QPointF(0, 0) << false;
        QTest::newRow("middle") << QPointF(40, 12) << false;
        QTest::newRow("right column") << QPointF(80, 10) << false;
        QTest::newRow("bottom row") << QPointF(10, 24) << false;
        QTest::newRow("bottom-right corner") << QPointF(80, 24) << false;
        QTest::newRow("past the right column") << QPointF(80.5, 10) << true;
        QTest::newRow("past the bottom row") << QPointF(10, 25) << true;
        QTest::newRow("left of the face") << QPointF(-0.5, 10) << true;
        QTest::newRow("above the face") << QPointF(10, -1) << true;
    }
    void pointerOutside() {
        QFETCH(QPointF, pointer);
        QFETCH(bool, outside);
        QCOMPARE(ButtonInputRules::pointerOutside(pointer, QSizeF(80, 24)), outside);
    }
};

QTEST_APPLESS_MAIN(tst_ButtonInputRules)
#include "tst_ButtonInputRules.moc"
