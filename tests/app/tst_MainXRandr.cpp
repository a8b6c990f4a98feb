// The main window with the desktop's own display backend on the test X
// server (never the user's display): the mode really changes and comes back.

#include "app/Main.h"
#include "app/ShellGlobals.h"

#include "TestEnvironment.h"
#include "WindowManagerKeys.h"
#include "XvncScreen.h"
#include "videos/VideoSection.h"

#include <QTest>

using namespace velmora;

class tst_MainXRandr : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(test::WindowManagerKeys::ready(), "the window manager takes no Alt+F4");
    }
    void init() {
        test::resetUserConfig();
        QVERIFY2(m_screen.usable(), "no RandR output on the test X server");
        QVERIFY(m_screen.reset());
    }
    void cleanup() { m_screen.reset(); }

    void switchesAtStartAndGivesBackAtExit_data() {
        QTest::addColumn<bool>("windowManagerClose");
        QTest::newRow("exit-button") << false;
        QTest::newRow("alt-f4") << true;
    }
    void switchesAtStartAndGivesBackAtExit() {
        QFETCH(bool, windowManagerClose);
        int ended = 0;
        MainServices services;
        services.endProcess = [&] { ++ended; };
        Main main(services);
        main.videos().setContentServer(QStringLiteral("127.0.0.1:1"));
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main, 10000));
        QTRY_VERIFY_WITH_TIMEOUT(!main.firstActivation(), 10000);
        QCOMPARE(QSize(g_SavedScreenWidth, g_SavedScreenHeight), test::XvncScreen::kStartSize);
        QVERIFY(m_screen.waitFor({1024, 768}, 5000));

        if (windowManagerClose)
            QVERIFY(test::WindowManagerKeys::press(main, {QStringLiteral("alt+F4")}));
        else
            QTest::mouseClick(main.form().control(QStringLiteral("ButtonEx1")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(ended, 1, 10000);
        QCOMPARE(m_screen.size(), test::XvncScreen::kStartSize);
    }

private:
    test::XvncScreen m_screen;
};

QTEST_MAIN(tst_MainXRandr)
#include "tst_MainXRandr.moc"
