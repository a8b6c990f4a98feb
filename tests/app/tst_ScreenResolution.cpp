#include "app/ShellGlobals.h"
#include "app/display/ScreenResolution.h"

#include "MessageBoxRecorder.h"
#include "RecordingDisplay.h"

#include <QTest>
#include <QTimer>

#include <optional>

using namespace velmora;

/// The two display procedures against a recording backend: what is tested,
/// applied or asked for, and what the user sees.
class tst_ScreenResolution : public QObject {
    Q_OBJECT
private slots:
    void saveReadsTheScreenOrZero_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("saved");
        QTest::newRow("read") << QSize(1280, 1024) << QSize(1280, 1024);
        QTest::newRow("failed-read") << QSize(0, 0) << QSize(0, 0);
        QTest::newRow("invalid-read") << QSize(-1, -1) << QSize(0, 0);
    }
    void saveReadsTheScreenOrZero() {
        QFETCH(QSize, screen);
        QFETCH(QSize, saved);
        RecordingDisplay display;
        display.size = screen;
        g_SavedScreenWidth = 7;
        g_SavedScreenHeight = 7;
        ScreenResolution(display).SaveScreenResolution();
        QCOMPARE(QSize(g_SavedScreenWidth, g_SavedScreenHeight), saved);
    }

    void offeredModeIsTestedThenApplied() {
        RecordingDisplay display;
        MessageBoxRecorder boxes;
        ScreenResolution(display).SetScreenResolution(1024, 768);
        QCOMPARE(display.log, RecordingDisplay::switchTo(1024, 768));
        QCOMPARE(boxes.count(), 0);
    }

    // A display without the mode, and the 0 x 0 of a size never saved, are
    // tested like any other and then left alone without a word.
    void missingModeIsSilent_data() {
        QTest::addColumn<QSize>("mode");
        QTest::newRow("not-offered") << QSize(800, 600);
        QTest::newRow("never-saved") << QSize(0, 0);
    }
    void missingModeIsSilent() {
        QFETCH(QSize, mode);
        RecordingDisplay display;
        MessageBoxRecorder boxes;
        ScreenResolution(display).SetScreenResolution(mode.width(), mode.height());
        QCOMPARE(display.log,
                 QStringList({QStringLiteral("test %1x%2").arg(mode.width()).arg(mode.height())}));
        QCOMPARE(boxes.count(), 0);
    }

    void restartPrompt_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("yes") << int(QMessageBox::Yes) << QStringList({"test 1024x768", "restart"});
        QTest::newRow("no") << int(QMessageBox::No) << QStringList({"test 1024x768"});
    }
    void restartPrompt() {
        QFETCH(int, answer);
        QFETCH(QStringList, log);
        RecordingDisplay display;
        display.restartModes << QSize(1024, 768);
        MessageBoxRecorder boxes;
        boxes.queueAnswer(QMessageBox::StandardButton(answer));
        ScreenResolution(display).SetScreenResolution(1024, 768);
        QCOMPARE(display.log, log);
        QCOMPARE(boxes.count(), 1);
        const MessageBoxRequest box = boxes.last();
        QCOMPARE(box.title, QString("Screen Resolution"));
        QCOMPARE(box.text, QString("You must restart your computer to apply these changes.\r\n"
                                   "\r\nDo you want to restart now?"));
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QVERIFY(box.staysOnTop);
    }

    // An exit that runs inside the yields of an earlier call is final: the
    // earlier call applies nothing and asks nothing after it, later calls
    // neither; the exit's own restore goes through.
    void exitIsFinal_data() {
        QTest::addColumn<bool>("restartNeeded");
        QTest::addColumn<bool>("afterTheTest");
        QTest::newRow("before-the-test") << false << false;
        QTest::newRow("before-the-apply") << false << true;
        QTest::newRow("before-the-restart-prompt") << true << true;
    }
    void exitIsFinal() {
        QFETCH(bool, restartNeeded);
        QFETCH(bool, afterTheTest);
        RecordingDisplay display;
        if (restartNeeded)
            display.restartModes << QSize(1024, 768);
        MessageBoxRecorder boxes;
        ScreenResolution resolution(display);
        const auto exit = [&] {
            QTimer::singleShot(0, [&] { resolution.ExitScreenResolution(1920, 1080); });
        };
        if (afterTheTest)
            display.onTest = [&] {
                display.onTest = nullptr;
                exit();
            };
        else
            exit();
        resolution.SetScreenResolution(1024, 768);
        resolution.SetScreenResolution(1024, 768);
        QStringList expected{"test 1920x1080", "apply 1920x1080"};
        if (afterTheTest)
            expected.prepend("test 1024x768");
        QCOMPARE(display.log, expected);
        QCOMPARE(boxes.count(), 0);
    }

    // Timer ticks and input run inside the procedure, before the test and
    // before the apply: a tick queued before the call sees nothing yet, one
    // queued at the test sees the test and not the apply.
    void yieldsBeforeTestAndApply() {
        RecordingDisplay display;
        std::optional<QStringList> beforeTest;
        std::optional<QStringList> beforeApply;
        QTimer::singleShot(0, [&] { beforeTest = display.log; });
        display.onTest = [&] { QTimer::singleShot(0, [&] { beforeApply = display.log; }); };
        ScreenResolution(display).SetScreenResolution(1024, 768);
        QVERIFY2(beforeTest, "no yield before the test");
        QCOMPARE(*beforeTest, QStringList());
        QVERIFY2(beforeApply, "no yield between the test and the apply");
        QCOMPARE(*beforeApply, QStringList({"test 1024x768"}));
    }
};

QTEST_MAIN(tst_ScreenResolution)
#include "tst_ScreenResolution.moc"
