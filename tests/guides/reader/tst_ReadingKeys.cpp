// What each key means on the reading screen, by where the page stands in
// its viewer.

#include "guides/reader/ReadingKeys.h"

#include <QTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::ReadingAction)
Q_DECLARE_METATYPE(velmora::VerticalPosition)

namespace {

const VerticalPosition kTop{true, false};
const VerticalPosition kMiddle{false, false};
const VerticalPosition kBottom{false, true};
// A page no taller than its viewer is at its top and bottom at once.
const VerticalPosition kWhole{true, true};

} // namespace

class tst_ReadingKeys : public QObject {
    Q_OBJECT
private slots:
    void action_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<VerticalPosition>("position");
        QTest::addColumn<ReadingAction>("expected");
        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers ctrl(Qt::ControlModifier);

        // Page Down and Page Up scroll a screen, and turn the page at its end.
        QTest::newRow("Page Down at the top scrolls")
            << int(Qt::Key_PageDown) << none << kTop << ReadingAction::ScreenDown;
        QTest::newRow("Page Down in the middle scrolls")
            << int(Qt::Key_PageDown) << none << kMiddle << ReadingAction::ScreenDown;
        QTest::newRow("Page Down at the bottom turns the page")
            << int(Qt::Key_PageDown) << none << kBottom << ReadingAction::NextPage;
        QTest::newRow("Page Down on a whole page turns it")
            << int(Qt::Key_PageDown) << none << kWhole << ReadingAction::NextPage;
        QTest::newRow("Page Up at the bottom scrolls")
            << int(Qt::Key_PageUp) << none << kBottom << ReadingAction::ScreenUp;
        QTest::newRow("Page Up in the middle scrolls")
            << int(Qt::Key_PageUp) << none << kMiddle << ReadingAction::ScreenUp;
        QTest::newRow("Page Up at the top turns back")
            << int(Qt::Key_PageUp) << none << kTop << ReadingAction::PreviousPage;
        QTest::newRow("Page Up on a whole page turns back")
            << int(Qt::Key_PageUp) << none << kWhole << ReadingAction::PreviousPage;
        // The keypad's keys are the same keys.
        QTest::newRow("keypad Page Down at the bottom")
            << int(Qt::Key_PageDown) << Qt::KeyboardModifiers(Qt::KeypadModifier) << kBottom
            << ReadingAction::NextPage;
        QTest::newRow("keypad Down")
            << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::KeypadModifier) << kMiddle
            << ReadingAction::LineDown;

        // Arrows scroll a line and never turn the page.
        QTest::newRow("Down at the bottom")
            << int(Qt::Key_Down) << none << kBottom << ReadingAction::LineDown;
        QTest::newRow("Up at the top") << int(Qt::Key_Up) << none << kTop << ReadingAction::LineUp;
        QTest::newRow("Left") << int(Qt::Key_Left) << none << kMiddle << ReadingAction::LineLeft;
        QTest::newRow("Right") << int(Qt::Key_Right) << none << kMiddle << ReadingAction::LineRight;

        // Ctrl+Home and Ctrl+End go to the ends of the guide, wherever the
        // page stands.
        QTest::newRow("Ctrl+Home")
            << int(Qt::Key_Home) << ctrl << kBottom << ReadingAction::FirstPage;
        QTest::newRow("Ctrl+End") << int(Qt::Key_End) << ctrl << kTop << ReadingAction::LastPage;
        QTest::newRow("keypad Ctrl+End")
            << int(Qt::Key_End) << (ctrl | Qt::KeypadModifier) << kTop << ReadingAction::LastPage;

        // Any other key or combination does nothing here.
        QTest::newRow("Home alone") << int(Qt::Key_Home) << none << kBottom << ReadingAction::None;
        QTest::newRow("End alone") << int(Qt::Key_End) << none << kTop << ReadingAction::None;
        QTest::newRow("Shift+Ctrl+End")
            << int(Qt::Key_End) << (ctrl | Qt::ShiftModifier) << kTop << ReadingAction::None;
        QTest::newRow("Alt+Home") << int(Qt::Key_Home) << Qt::KeyboardModifiers(Qt::AltModifier)
                                  << kBottom << ReadingAction::None;
        QTest::newRow("Ctrl+Page Down")
            << int(Qt::Key_PageDown) << ctrl << kBottom << ReadingAction::None;
        QTest::newRow("Shift+Page Down")
            << int(Qt::Key_PageDown) << Qt::KeyboardModifiers(Qt::ShiftModifier) << kMiddle
            << ReadingAction::None;
        QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << ctrl << kMiddle << ReadingAction::None;
        QTest::newRow("Space") << int(Qt::Key_Space) << none << kMiddle << ReadingAction::None;
        QTest::newRow("a digit for the go-to box")
            << int(Qt::Key_5) << none << kMiddle << ReadingAction::None;
    }
    void action() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(VerticalPosition, position);
        QFETCH(ReadingAction, expected);
        QCOMPARE(readingAction(key, modifiers, position), expected);
    }
};

QTEST_APPLESS_MAIN(tst_ReadingKeys)
#include "tst_ReadingKeys.moc"
