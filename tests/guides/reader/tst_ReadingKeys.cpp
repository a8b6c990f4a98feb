// What each key means on the reading screen, by where the page stands in
// its viewer, and what it does to the paging buttons and the bars.

#include "guides/reader/ReadingKeys.h"

#include <QScrollBar>
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

// A paging button as the reading screen binds it: late, by its Enabled
// property and its Click.
class PagingButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled MEMBER enabled)
public:
    bool enabled = true;
    int clicks = 0;
    Q_INVOKABLE void Click() { ++clicks; }
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

    // The page stands at the top (0), in the middle (500) or at the bottom
    // (1000) of a vertical bar with steps of 15 and 300; "fits" is a page
    // no taller than its viewer, whose bar is disabled and may still hold
    // the range of the page before; "none" is no bar at all.  The
    // horizontal bar stands at 100 of 500 with steps of 15.
    void press_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("disabledButton");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<int>("vertical");
        QTest::addColumn<int>("horizontal");
        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers ctrl(Qt::ControlModifier);
        const int pageDown = Qt::Key_PageDown, pageUp = Qt::Key_PageUp;

        QTest::newRow("Page Down scrolls a screen") << pageDown << none << "middle"
                                                    << ""
                                                    << "" << 800 << 100;
        QTest::newRow("Page Down at the bottom clicks next") << pageDown << none << "bottom"
                                                             << ""
                                                             << "next" << 1000 << 100;
        QTest::newRow("Page Down on the last page does nothing") << pageDown << none << "bottom"
                                                                 << "next"
                                                                 << "" << 1000 << 100;
        QTest::newRow("Page Up at the top clicks previous") << pageUp << none << "top"
                                                            << ""
                                                            << "previous" << 0 << 100;
        QTest::newRow("Page Up on the first page does nothing") << pageUp << none << "top"
                                                                << "previous"
                                                                << "" << 0 << 100;
        QTest::newRow("Page Down on a page that fits clicks next") << pageDown << none << "fits"
                                                                   << ""
                                                                   << "next" << 500 << 100;
        QTest::newRow("Page Up on a page that fits clicks previous") << pageUp << none << "fits"
                                                                     << ""
                                                                     << "previous" << 500 << 100;
        QTest::newRow("Page Down without a bar clicks next") << pageDown << none << "none"
                                                             << ""
                                                             << "next" << -1 << 100;
        QTest::newRow("Down scrolls a line") << int(Qt::Key_Down) << none << "middle"
                                             << ""
                                             << "" << 515 << 100;
        QTest::newRow("Down on a page that fits moves nothing")
            << int(Qt::Key_Down) << none << "fits"
            << ""
            << "" << 500 << 100;
        QTest::newRow("Right scrolls across") << int(Qt::Key_Right) << none << "middle"
                                              << ""
                                              << "" << 500 << 115;
        QTest::newRow("Left scrolls back across") << int(Qt::Key_Left) << none << "middle"
                                                  << ""
                                                  << "" << 500 << 85;
        QTest::newRow("Ctrl+Home clicks first") << int(Qt::Key_Home) << ctrl << "middle"
                                                << ""
                                                << "first" << 500 << 100;
        QTest::newRow("Ctrl+End clicks last") << int(Qt::Key_End) << ctrl << "middle"
                                              << ""
                                              << "last" << 500 << 100;
        QTest::newRow("Ctrl+End on the last page does nothing")
            << int(Qt::Key_End) << ctrl << "middle"
            << "last"
            << "" << 500 << 100;
    }
    void press() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, page);
        QFETCH(QString, disabledButton);
        QFETCH(QString, clicked);
        QFETCH(int, vertical);
        QFETCH(int, horizontal);
        QScrollBar down(Qt::Vertical), across(Qt::Horizontal);
        down.setRange(0, 1000);
        down.setSingleStep(15);
        down.setPageStep(300);
        down.setValue(page == "top" ? 0 : page == "bottom" ? 1000 : 500);
        down.setEnabled(page != "fits");
        across.setRange(0, 500);
        across.setSingleStep(15);
        across.setValue(100);
        QScrollBar* const shownDown = page == "none" ? nullptr : &down;

        const QStringList names{"first", "previous", "next", "last"};
        PagingButton buttons[4];
        for (int i = 0; i < 4; ++i)
            buttons[i].enabled = names.at(i) != disabledButton;
        ReadingKeys keys(nullptr, {&buttons[0], &buttons[1], &buttons[2], &buttons[3]},
                         [&] { return std::pair(shownDown, &across); });
        keys.press(key, modifiers);

        for (int i = 0; i < 4; ++i)
            QCOMPARE(buttons[i].clicks, names.at(i) == clicked ? 1 : 0);
        if (shownDown)
            QCOMPARE(down.value(), vertical);
        QCOMPARE(across.value(), horizontal);
    }
};

QTEST_MAIN(tst_ReadingKeys)
#include "tst_ReadingKeys.moc"
