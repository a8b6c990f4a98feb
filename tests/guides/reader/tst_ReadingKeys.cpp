// What each key means on the reading screen, by where the page stands in
// its viewer, and what it does to the paging buttons and the bars.

#include "guides/reader/ReadingKeys.h"

#include <QKeySequence>
#include <QScrollBar>
#include <QTest>

#include <functional>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::ReadingAction)
Q_DECLARE_METATYPE(velmora::VerticalPosition)

namespace {

const VerticalPosition kTop{true, false};
const VerticalPosition kMiddle{false, false};
const VerticalPosition kBottom{false, true};
// A page no taller than its viewer is at its top and bottom at once.
const VerticalPosition kWhole{true, true};

// A paging button as the reading screen binds it: late, by its Enabled
// property and its Click.
class PagingButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled MEMBER enabled)
public:
    bool enabled = true;
    std::function<void()> onClick;
    Q_INVOKABLE void Click() { onClick(); }
};

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

    // Keys pressed in a row on a page that stands at the "top" (0), in the
    // "middle" (500) or at the "bottom" (1000) of a vertical bar with steps
    // of 15 and 300; a page that "fits" its viewer has its bar disabled,
    // perhaps still with the range of the page before; "none" has no bar.
    // A second word names a paging button that is disabled, as on the
    // first or last page.  The horizontal bar starts at 100 of 500 with
    // steps of 15.  The bars' values at the end are vertical, horizontal.
    void press_data() {
        QTest::addColumn<QStringList>("page");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QList<int>>("bars");
        QTest::newRow("screens down to the bottom, then the next page")
            << QStringList{"middle"} << QStringList{"PgDown", "PgDown", "PgDown"}
            << QStringList{"next"} << QList<int>{1000, 100};
        QTest::newRow("at the top the previous page")
            << QStringList{"top"} << QStringList{"PgUp"} << QStringList{"previous"}
            << QList<int>{0, 100};
        QTest::newRow("the last page stays")
            << QStringList{"bottom", "next"} << QStringList{"PgDown", "Down"} << QStringList{}
            << QList<int>{1000, 100};
        QTest::newRow("the first page stays")
            << QStringList{"top", "previous"} << QStringList{"Up", "PgUp"} << QStringList{}
            << QList<int>{0, 100};
        QTest::newRow("a page that fits turns both ways and never scrolls")
            << QStringList{"fits"} << QStringList{"PgDown", "Down", "PgUp"}
            << QStringList{"next", "previous"} << QList<int>{500, 100};
        QTest::newRow("without a bar the page turns")
            << QStringList{"none"} << QStringList{"PgDown"} << QStringList{"next"}
            << QList<int>{-1, 100};
        QTest::newRow("arrows move their own bar a line")
            << QStringList{"middle"} << QStringList{"Down", "Down", "Up", "Right", "Right", "Left"}
            << QStringList{} << QList<int>{515, 115};
        QTest::newRow("ends of the guide")
            << QStringList{"middle"} << QStringList{"Ctrl+End", "Ctrl+Home"}
            << QStringList{"last", "first"} << QList<int>{500, 100};
        QTest::newRow("the end of the guide stays")
            << QStringList{"bottom", "last"} << QStringList{"Ctrl+End"} << QStringList{}
            << QList<int>{1000, 100};
    }
    void press() {
        QFETCH(QStringList, page);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, clicks);
        QFETCH(QList<int>, bars);
        const QString stands = page.value(0), disabled = page.value(1);
        QScrollBar down(Qt::Vertical), across(Qt::Horizontal);
        down.setRange(0, 1000);
        down.setSingleStep(15);
        down.setPageStep(300);
        down.setValue(stands == "top" ? 0 : stands == "bottom" ? 1000 : 500);
        down.setEnabled(stands != "fits");
        across.setRange(0, 500);
        across.setSingleStep(15);
        across.setValue(100);
        QScrollBar* const shownDown = stands == "none" ? nullptr : &down;

        QStringList clicked;
        const QStringList names{"first", "previous", "next", "last"};
        PagingButton buttons[4];
        for (int i = 0; i < 4; ++i) {
            buttons[i].enabled = names.at(i) != disabled;
            buttons[i].onClick = [&clicked, name = names.at(i)] { clicked << name; };
        }
        ReadingKeys reading(nullptr, {&buttons[0], &buttons[1], &buttons[2], &buttons[3]},
                            [&] { return std::pair(shownDown, &across); });
        for (const QString& key : keys) {
            const QKeyCombination combination = QKeySequence(key)[0];
            reading.press(combination.key(), combination.keyboardModifiers());
        }
        QCOMPARE(clicked, clicks);
        if (shownDown)
            QCOMPARE(down.value(), bars.at(0));
        QCOMPARE(across.value(), bars.at(1));
    }
};

QTEST_MAIN(tst_ReadingKeys)
#include "tst_ReadingKeys.moc"
