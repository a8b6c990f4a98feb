// The program's own keyboard controls: click labels made tab stops, the
// host's keys for its buttons, the list's Return, and Tab in reading order.

#include "platform/ButtonKeys.h"
#include "platform/ClickLabel.h"
#include "platform/FocusFrame.h"
#include "platform/FormLoader.h"
#include "platform/ReadingOrder.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

using namespace velmora;

namespace {

// A light panel, as the welcome screen's links and the settings squares
// stand on, with controls placed so that rows and columns cross.
const char* const kWindow = R"({
  "clientWidth": 9000, "clientHeight": 6000, "backColor": 16762036,
  "controls": [
    {"name": "lblExit", "type": "Label", "geometry": [8200, 240, 375, 375], "caption": "",
     "toolTip": "Click here to Exit program..", "transparent": true,
     "tabStop": "button", "accessibleName": "Exit"},
    {"name": "lblMinimize", "type": "Label", "geometry": [7800, 240, 315, 375], "caption": "",
     "transparent": true, "tabStop": "button", "accessibleName": "Minimize"},
    {"name": "lblPlain", "type": "Label", "geometry": [300, 300, 3000, 375], "caption": "Text"},
    {"name": "Label29", "type": "Label", "geometry": [5130, 2010, 465, 375], "caption": "here",
     "font": {"underline": true}, "transparent": true, "tabStop": "link",
     "accessibleName": "Change the welcome colours"},
    {"name": "btnSettings", "type": "Label", "geometry": [180, 2190, 1410, 450], "caption": "",
     "tabStop": "button", "accessibleName": "Settings"},
    {"name": "Picture1", "type": "PictureBox", "geometry": [3645, 3575, 600, 420], "border": true,
     "backColor": 12811882, "tabStop": "button", "activation": "doubleClick",
     "accessibleName": "Welcome screen back color"},
    {"name": "lstLines", "type": "ListBox", "geometry": [300, 4200, 3000, 1110]},
    {"name": "fraCover", "type": "Frame", "geometry": [6000, 3000, 3000, 3000],
     "backColor": 255},
    {"name": "lblCovered", "type": "Label", "geometry": [7000, 4000, 500, 500], "caption": "x",
     "tabStop": "button"}
  ]
})";

struct Window {
    Window() {
        form = FormLoader::loadFromJson(kWindow, &root);
        // Created before the label, the frame would lie under it: put it in front.
        form.control(QStringLiteral("fraCover"))->raise();
        root.show();
        root.activateWindow();
    }
    ClickLabel* label(const char* name) const {
        return form.control<ClickLabel>(QLatin1String(name));
    }
    QWidget root;
    Form form;
};

// Stands for a button the host creates by class name: the press that an
// access key, the default button or the host's keys give it.
class HostedButton : public QWidget {
    Q_OBJECT
public:
    HostedButton() { setFocusPolicy(Qt::StrongFocus); }
    Q_INVOKABLE void AccessKeyPress() { ++presses; }
    int presses = 0;
};

QStringList names(const QList<QWidget*>& widgets) {
    QStringList result;
    for (const QWidget* widget : widgets)
        result << widget->objectName();
    return result;
}

} // namespace

class tst_KeyboardControls : public QObject {
    Q_OBJECT
private slots:
    void clickGivesNoFocusAndLeavesThePicture() {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(&window.root));
        ClickLabel* link = window.label("Label29");
        const QImage before = link->grab().toImage();
        QSignalSpy clicks(link, &ClickLabel::clicked);
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(!link->hasFocus());
        QCOMPARE(link->grab().toImage(), before);
    }

    void focusIndicatorOnlyWhileFocused() {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(&window.root));
        ClickLabel* square = window.label("Picture1");
        const QColor fill(0x6A, 0x7E, 0xC3);
        // Inside the square's own one-pixel border.
        const QPoint inside(1, 1);
        const QImage unfocused = square->grab().toImage();
        QCOMPARE(unfocused.pixelColor(inside), fill);
        square->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(square->hasFocus());
        const QImage focused = square->grab().toImage();
        // The dotted frame: neighbouring dots black and white.
        QSet<QRgb> dots{focused.pixel(0, 0), focused.pixel(1, 0)};
        QCOMPARE(dots, (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
        QCOMPARE(focused.pixelColor(square->width() / 2, square->height() / 2), fill);
        window.label("Label29")->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!square->hasFocus());
        QCOMPARE(square->grab().toImage(), unfocused);
    }

    void returnAndSpaceDoWhatTheMouseDoes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("link-return") << "Label29" << int(Qt::Key_Return) << false;
        QTest::newRow("link-space") << "Label29" << int(Qt::Key_Space) << false;
        QTest::newRow("keypad-enter") << "lblExit" << int(Qt::Key_Enter) << false;
        QTest::newRow("double-click-square-return") << "Picture1" << int(Qt::Key_Return) << true;
        QTest::newRow("double-click-square-space") << "Picture1" << int(Qt::Key_Space) << true;
    }
    void returnAndSpaceDoWhatTheMouseDoes() {
        QFETCH(QString, name);
        QFETCH(int, key);
        QFETCH(bool, doubleClick);
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(&window.root));
        ClickLabel* label = window.label(qPrintable(name));
        QSignalSpy clicks(label, &ClickLabel::clicked);
        QSignalSpy doubleClicks(label, &ClickLabel::doubleClicked);
        label->setFocus(Qt::TabFocusReason);
        QTest::keyClick(label, Qt::Key(key));
        QCOMPARE(clicks.count(), doubleClick ? 0 : 1);
        QCOMPARE(doubleClicks.count(), doubleClick ? 1 : 0);
        // Other keys and modified ones do nothing; a held key acts once.
        QTest::keyClick(label, Qt::Key_A);
        QTest::keyClick(label, Qt::Key(key), Qt::ControlModifier);
        QTest::keyEvent(QTest::Press, label, Qt::Key(key), Qt::NoModifier);
        QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(label, &repeat);
        QCOMPARE(clicks.count() + doubleClicks.count(), 2);
    }

    void plainLabelStaysOutOfTheKeyboard() {
        Window window;
        ClickLabel* text = window.label("lblPlain");
        QCOMPARE(text->focusPolicy(), Qt::NoFocus);
        QSignalSpy clicks(text, &ClickLabel::clicked);
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(clicks.count(), 0);
        QAccessibleInterface* seen = QAccessible::queryAccessibleInterface(text);
        QVERIFY(seen);
        QCOMPARE(seen->role(), QAccessible::StaticText);
    }

    void assistiveTechnologySeesRoleNameAndPress_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("accessibleName");
        QTest::addColumn<QString>("description");
        QTest::newRow("link") << "Label29" << int(QAccessible::Link) << "Change the welcome colours"
                              << "";
        QTest::newRow("hot-spot") << "lblExit" << int(QAccessible::Button) << "Exit"
                                  << "Click here to Exit program..";
    }
    void assistiveTechnologySeesRoleNameAndPress() {
        QFETCH(QString, name);
        QFETCH(int, role);
        QFETCH(QString, accessibleName);
        QFETCH(QString, description);
        Window window;
        ClickLabel* label = window.label(qPrintable(name));
        QAccessibleInterface* seen = QAccessible::queryAccessibleInterface(label);
        QVERIFY(seen);
        QCOMPARE(int(seen->role()), role);
        QCOMPARE(seen->text(QAccessible::Name), accessibleName);
        QCOMPARE(seen->text(QAccessible::Description), description);
        QVERIFY(seen->state().focusable);
        QAccessibleActionInterface* actions = seen->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        QSignalSpy clicks(label, &ClickLabel::clicked);
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks.count(), 1);
        // A disabled one offers no press.
        label->setEnabled(false);
        QVERIFY(!actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    }

    void labelsAndNamesReachAssistiveTechnology() {
        QWidget root;
        const Form form = FormLoader::loadFromJson(R"({"controls": [
            {"name": "Label19", "type": "Label", "geometry": [0, 0, 2700, 495],
             "caption": "Select a guide type:", "labelFor": "cmbKinds"},
            {"name": "cmbKinds", "type": "ComboBox", "geometry": [0, 600, 2910, 330],
             "items": ["Buyer", "Coder"]},
            {"name": "txtGoto", "type": "TextBox", "geometry": [0, 1000, 855, 315],
             "accessibleName": "Goto Page"}]})",
                                                   &root);
        // A combo box is named by its current text; its label comes as a relation.
        QAccessibleInterface* combo =
            QAccessible::queryAccessibleInterface(form.control(QStringLiteral("cmbKinds")));
        const auto labels = combo->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->text(QAccessible::Name),
                 QStringLiteral("Select a guide type:"));
        QCOMPARE(QAccessible::queryAccessibleInterface(form.control(QStringLiteral("txtGoto")))
                     ->text(QAccessible::Name),
                 QStringLiteral("Goto Page"));
    }

    void returnOnAListLineIsItsDoubleClick() {
        Window window;
        auto* list = window.form.control<QListWidget>(QStringLiteral("lstLines"));
        list->addItems({QStringLiteral("First"), QStringLiteral("Second")});
        QSignalSpy doubleClicks(list, &QListWidget::itemDoubleClicked);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(doubleClicks.count(), 0); // no current line yet
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentRow(), 1);
        QVERIFY(list->currentItem()->isSelected());
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(doubleClicks.count(), 1);
        QCOMPARE(doubleClicks.at(0).at(0).value<QListWidgetItem*>()->text(),
                 QStringLiteral("Second"));
        QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(doubleClicks.count(), 2);
    }

    void returnAndSpacePressAHostedButton() {
        HostedButton button;
        ButtonKeys::attach(&button);
        QTest::keyClick(&button, Qt::Key_Return);
        QTest::keyClick(&button, Qt::Key_Space);
        QTest::keyClick(&button, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(button.presses, 3);
        QTest::keyClick(&button, Qt::Key_Return, Qt::AltModifier);
        QTest::keyClick(&button, Qt::Key_Escape);
        button.setEnabled(false);
        QTest::keyClick(&button, Qt::Key_Space);
        QCOMPARE(button.presses, 3);
    }

    void escapeOnAHostedButtonStillClosesItsDialog() {
        QDialog dialog;
        auto* button = new HostedButton;
        button->setParent(&dialog);
        ButtonKeys::attach(button);
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        dialog.show();
        QTest::keyClick(button, Qt::Key_Escape);
        QCOMPARE(rejected.count(), 1);
        QCOMPARE(button->presses, 0);
    }

    void returnAndSpaceClickARealButton() {
        QWidget root;
        const Form form = FormLoader::loadFromJson(R"({"controls": [
            {"name": "ButtonEx12", "type": "ButtonEx", "geometry": [330, 270, 1290, 450],
             "bag": {"caption": "&Load"}}]})",
                                                   &root);
        QWidget* button = form.control(QStringLiteral("ButtonEx12"));
        QVERIFY2(button, "the control library beside the test was not loaded");
        root.show();
        QVERIFY(QTest::qWaitForWindowActive(&root));
        button->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(button->hasFocus());
        QSignalSpy clicks(button, SIGNAL(Click()));
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(clicks.count(), 2);
    }

    void coveredControlShowsItsFrameOnlyForTheKeyboard() {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(&window.root));
        // A control whose child covers it whole, as the page covers the viewer.
        QWidget viewer(&window.root);
        viewer.setGeometry(20, 300, 200, 100);
        viewer.setFocusPolicy(Qt::StrongFocus);
        QWidget page(&viewer);
        page.setGeometry(viewer.rect());
        FocusFrame::attach(&viewer);
        viewer.show();
        auto* frame = viewer.findChild<FocusFrame*>();
        QVERIFY(frame);
        QTest::mouseClick(&page, Qt::LeftButton);
        viewer.setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(viewer.hasFocus());
        QVERIFY(!frame->isVisible());
        window.label("Label29")->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!viewer.hasFocus());
        viewer.setFocus(Qt::BacktabFocusReason);
        QTRY_VERIFY(frame->isVisible());
        QCOMPARE(frame->geometry(), viewer.rect());
        // In front of the page, and the clicks go through it.
        QCOMPARE(viewer.childAt(50, 50), &page);
        const QImage shown = viewer.grab().toImage();
        QCOMPARE(QSet<QRgb>({shown.pixel(0, 0), shown.pixel(1, 0)}),
                 (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
        window.label("Label29")->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!frame->isVisible());
    }

    void tabGoesInReadingOrder() {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(&window.root));
        // Rows from the top, each from the left: the two hot spots share
        // the top row; "here" and the settings button overlap by more than
        // half of the lower one; the covered label is out of reach; the
        // plain label takes no tab.
        const QStringList expected{"lblMinimize", "lblExit",  "btnSettings",
                                   "Label29",     "Picture1", "lstLines"};
        QCOMPARE(names(ReadingOrder::chain(&window.root)), expected);
        // From no focus at all, Tab starts at the first stop.
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        QStringList visited;
        for (int step = 0; step < expected.size() + 1; ++step) {
            QVERIFY(ReadingOrder::moveFocus(&window.root, true));
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected + QStringList{expected.first()});
        QVERIFY(ReadingOrder::moveFocus(&window.root, false));
        QCOMPARE(QApplication::focusWidget()->objectName(), expected.last());
        // A hidden or disabled control drops out.
        window.form.control(QStringLiteral("lblExit"))->hide();
        window.form.control(QStringLiteral("Picture1"))->setEnabled(false);
        QCOMPARE(names(ReadingOrder::chain(&window.root)),
                 (QStringList{"lblMinimize", "btnSettings", "Label29", "lstLines"}));
    }
};

QTEST_MAIN(tst_KeyboardControls)
#include "tst_KeyboardControls.moc"
