#include "app/Program.h"
#include "app/frmSplash.h"

#include "RecordingDisplay.h"
#include "TestEnvironment.h"
#include "platform/ClickLabel.h"
#include "platform/Twips.h"
#include "videos/VideoGlobals.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace velmora;

class tst_frmSplash : public QObject {
    Q_OBJECT
private slots:
    void init() { test::resetUserConfig(); }

    void designOfTheWindow() {
        frmSplash splash;
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash.windowTitle(), QString());
        // client 8265 x 2805 twips inside a 4-pixel frame on each side
        QCOMPARE(splash.size(), QSize(551 + 8, 187 + 8));
        auto* title = splash.form().control<QLabel>(QStringLiteral("Label2"));
        QVERIFY(title);
        QCOMPARE(title->text(), QString("Velmora package"));
        QCOMPARE(title->geometry(), twipsToPixels(QRect(1477, 225, 5310, 615)));
        auto* text = splash.form().control<QLabel>(QStringLiteral("Label3"));
        QVERIFY(text);
        QCOMPARE(text->text(),
                 QString("Learn how to succeed in TMK both as a buyer and as a coder!"));
        QVERIFY(text->wordWrap());
        QTimer* timer = splash.form().timer(QStringLiteral("tmrUnload"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 2500);
        QVERIFY(timer->isActive());
    }

    void timerUnloadsAfterItsInterval() {
        QElapsedTimer clock;
        clock.start();
        QPointer<frmSplash> splash = new frmSplash;
        QSignalSpy unloading(splash.data(), &frmSplash::unloading);
        splash->show();
        QVERIFY(unloading.wait(5000));
        // A coarse timer may fire up to 5% early.
        QVERIFY(clock.elapsed() >= 2500 * 95 / 100);
        QCOMPARE(unloading.count(), 1);
        QTRY_VERIFY(splash.isNull());
    }

    void closesEarly_data() {
        QTest::addColumn<QString>("trigger");
        QTest::newRow("key") << "key";
        QTest::newRow("click-on-title") << "Label2";
        QTest::newRow("click-on-text") << "Label3";
    }
    void closesEarly() {
        QFETCH(QString, trigger);
        QPointer<frmSplash> splash = new frmSplash;
        QSignalSpy unloading(splash.data(), &frmSplash::unloading);
        splash->show();
        QTimer* timer = splash->form().timer(QStringLiteral("tmrUnload"));
        // On screen, with its timer still to run: the trigger ends it early.
        QVERIFY(QTest::qWaitForWindowExposed(splash.data()));
        QVERIFY(timer->isActive());
        QCOMPARE(unloading.count(), 0);
        if (trigger == QLatin1String("key"))
            QTest::keyClick(splash.data(), Qt::Key_Space);
        else
            QTest::mouseClick(splash->form().control(trigger), Qt::LeftButton);
        QCOMPARE(unloading.count(), 1);
        // Stopped at once and gone with its window: it cannot fire afterwards.
        QVERIFY(!timer->isActive());
        QTRY_VERIFY(splash.isNull());
        QCOMPARE(unloading.count(), 1);
    }

    void secondTriggerDoesNotUnloadAgain() {
        frmSplash splash;
        QSignalSpy unloading(&splash, &frmSplash::unloading);
        splash.Label2_Click();
        splash.tmrUnload_Timer();
        QTest::keyClick(&splash, Qt::Key_Escape);
        QCOMPARE(unloading.count(), 1);
        QVERIFY(splash.isUnloaded());
    }

    void startUpShowsTheSplashThenTheMainWindow() {
        RecordingDisplay display;
        display.active = true;
        MainServices services;
        services.display = &display;
        services.endProcess = [] {};
        g_SkipVideoReload = false;
        Program program(services);
        program.start();
        QVERIFY(program.splash());
        QVERIFY(program.splash()->isVisible());
        QVERIFY(!program.mainWindow());

        QTest::keyClick(program.splash(), Qt::Key_Return);
        Main* main = program.mainWindow();
        QVERIFY(main);
        QVERIFY(main->isVisible());
        QTRY_VERIFY(!program.splash());
        // Showing the main window activates it, which runs the start-up block.
        QTRY_VERIFY(!main->firstActivation());
        QCOMPARE(display.log, QStringList({"size", "test 1024x768", "apply 1024x768"}));
    }
};

QTEST_MAIN(tst_frmSplash)
#include "tst_frmSplash.moc"
