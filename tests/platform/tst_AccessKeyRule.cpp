#include "platform/AccessKeyRule.h"

#include <QTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::AccessKeyButton)
Q_DECLARE_METATYPE(QList<velmora::AccessKeyButton>)
Q_DECLARE_METATYPE(velmora::AccessKeyChoice::Action)

namespace {

// A button at the bottom of a screen and a panel over the whole screen.
const QRect kButton(100, 600, 80, 40);
const QRect kPanel(0, 0, 1000, 700);

AccessKeyButton inViewButton() {
    AccessKeyButton button;
    button.rect = kButton;
    return button;
}

AccessKeyButton covered() {
    AccessKeyButton button = inViewButton();
    button.inFront << kPanel;
    return button;
}

AccessKeyButton hidden() {
    AccessKeyButton button = inViewButton();
    button.shown = false;
    return button;
}

AccessKeyButton disabled() {
    AccessKeyButton button = inViewButton();
    button.enabled = false;
    return button;
}

AccessKeyButton focused() {
    AccessKeyButton button = inViewButton();
    button.hasFocus = true;
    return button;
}

} // namespace

class tst_AccessKeyRule : public QObject {
    Q_OBJECT
private slots:
    void inView_data() {
        QTest::addColumn<AccessKeyButton>("button");
        QTest::addColumn<bool>("expected");
        QTest::newRow("alone") << inViewButton() << true;
        QTest::newRow("hidden") << hidden() << false;
        QTest::newRow("under a panel") << covered() << false;
        AccessKeyButton half = inViewButton();
        half.inFront << QRect(0, 0, 140, 700);
        QTest::newRow("half under a panel") << half << true;
        AccessKeyButton twoHalves = half;
        twoHalves.inFront << QRect(140, 0, 860, 700);
        QTest::newRow("under two panels together") << twoHalves << false;
        AccessKeyButton besidePanel = inViewButton();
        besidePanel.inFront << QRect(200, 0, 800, 700);
        QTest::newRow("beside a panel") << besidePanel << true;
        AccessKeyButton outsideParent = inViewButton();
        outsideParent.clips << QRect(0, 0, 1000, 500);
        QTest::newRow("outside its parent") << outsideParent << false;
        AccessKeyButton cutByParent = inViewButton();
        cutByParent.clips << QRect(0, 0, 1000, 620);
        QTest::newRow("cut by its parent") << cutByParent << true;
        // What sticks out of the parent is not seen even where nothing
        // covers it.
        AccessKeyButton coveredInsideParent = cutByParent;
        coveredInsideParent.inFront << QRect(0, 0, 1000, 620);
        QTest::newRow("covered where the parent shows it") << coveredInsideParent << false;
    }
    void inView() {
        QFETCH(AccessKeyButton, button);
        QFETCH(bool, expected);
        QCOMPARE(velmora::inView(button), expected);
    }

    void choice_data() {
        using Buttons = QList<AccessKeyButton>;
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<AccessKeyChoice::Action>("action");
        QTest::addColumn<int>("target");
        QTest::newRow("no button") << Buttons{} << AccessKeyChoice::None << -1;
        QTest::newRow("one") << Buttons{inViewButton()} << AccessKeyChoice::Click << 0;
        // "Ne&xt Page" in front of two "E&xit" buttons: one covered by the
        // reading screen, one on a screen that is hidden.
        QTest::newRow("one in view among covered and hidden")
            << Buttons{covered(), inViewButton(), hidden()} << AccessKeyChoice::Click << 1;
        QTest::newRow("only covered and hidden")
            << Buttons{covered(), hidden()} << AccessKeyChoice::None << -1;
        QTest::newRow("disabled takes none") << Buttons{disabled()} << AccessKeyChoice::None << -1;
        QTest::newRow("disabled beside one in view")
            << Buttons{disabled(), inViewButton()} << AccessKeyChoice::Click << 1;
        QTest::newRow("shared, focus elsewhere")
            << Buttons{inViewButton(), inViewButton()} << AccessKeyChoice::Focus << 0;
        QTest::newRow("shared, focus on the first")
            << Buttons{focused(), inViewButton()} << AccessKeyChoice::Focus << 1;
        QTest::newRow("shared, focus on the last goes round")
            << Buttons{inViewButton(), focused()} << AccessKeyChoice::Focus << 0;
        QTest::newRow("shared, the next one in view")
            << Buttons{focused(), covered(), disabled(), inViewButton()} << AccessKeyChoice::Focus
            << 3;
    }
    void choice() {
        QFETCH(QList<AccessKeyButton>, buttons);
        QFETCH(AccessKeyChoice::Action, action);
        QFETCH(int, target);
        const AccessKeyChoice choice = chooseAccessKeyTarget(buttons);
        QCOMPARE(choice.action, action);
        QCOMPARE(choice.button, target);
    }
};

QTEST_GUILESS_MAIN(tst_AccessKeyRule)
#include "tst_AccessKeyRule.moc"
