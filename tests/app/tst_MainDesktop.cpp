#include "app/Main.h"

#include "FakeBrowser.h"
#include "RecordingDisplay.h"
#include "TestEnvironment.h"
#include "WindowManagerKeys.h"
#include "settings/frmSettings.h"
#include "videos/DataGateway.h"
#include "videos/VideoGlobals.h"
#include "videos/VideoSection.h"
#include "videos/frmPlayVideos.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace velmora;

namespace {

int requestsStarted(const QSignalSpy& spy) {
    int count = 0;
    for (const QList<QVariant>& call : spy)
        count += call.at(0).toInt() == DataGateway::Requesting;
    return count;
}

// Answers the modal window that will come up next the way `answer` says,
// once the window manager has given it the focus, as a user could: a
// window closed before it ever held the focus never took it from `Main`.
void answerNextModal(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && QApplication::activeWindow() == modal) {
            poll->deleteLater();
            answer(modal);
        }
    });
    poll->start(50);
}

} // namespace

/// The main window on a real X server with a window manager: activation
/// and closing come from the desktop, not from the test.
class tst_MainDesktop : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(test::WindowManagerKeys::ready(), "the window manager takes no Alt+F4");
    }
    void init() {
        test::resetUserConfig();
        g_SkipVideoReload = false;
        MainServices services;
        services.display = &m_display;
        services.endProcess = [this] {
            m_display.log << QStringLiteral("end");
            ++m_ended;
        };
        m_main = std::make_unique<Main>(services);
        m_main->videos().setContentServer(QStringLiteral("127.0.0.1:1"));
        m_main->show();
        QVERIFY(QTest::qWaitForWindowActive(m_main.get(), 10000));
        QTRY_VERIFY_WITH_TIMEOUT(!m_main->firstActivation(), 10000);
    }
    void cleanup() {
        m_main.reset();
        m_display.log.clear();
        m_ended = 0;
    }

    void windowManagerCloseIsTheExitOperation() {
        QVERIFY(test::WindowManagerKeys::press(*m_main, {QStringLiteral("alt+F4")}));
        QTRY_COMPARE_WITH_TIMEOUT(m_ended, 1, 10000);
        QCOMPARE(m_display.log, QStringList({"size", "test 1024x768", "apply 1024x768",
                                             "test 1920x1080", "apply 1920x1080", "end"}));
    }

    void closingTheSettingsDialogReactivatesAndReloads() {
        QSignalSpy gateway(&m_main->videos().gateway(), &DataGateway::stateChanged);
        answerNextModal(
            [](QWidget* dialog) { qobject_cast<frmSettings*>(dialog)->ButtonEx1_Click(); });
        m_main->ButtonEx6_Click();
        QTRY_VERIFY_WITH_TIMEOUT(requestsStarted(gateway) > 0, 10000);
        QVERIFY(m_main->isActiveWindow());
    }

    // A message box is not one of the program's forms: answering it gives
    // the focus back without an activation, so nothing is reloaded.  An
    // activation queues its reload as the focus comes back, long before a
    // dialog opened afterwards can hold the focus; that dialog's own close
    // reloads, which shows the activations are being watched.
    void answeringAMessageBoxReloadsNothing() {
        QSignalSpy gateway(&m_main->videos().gateway(), &DataGateway::stateChanged);
        answerNextModal([](QWidget* box) { qobject_cast<QMessageBox*>(box)->accept(); });
        m_main->ButtonEx5_Click();
        QTRY_VERIFY_WITH_TIMEOUT(m_main->isActiveWindow(), 10000);
        int beforeTheDialog = -1;
        answerNextModal([&](QWidget* dialog) {
            beforeTheDialog = requestsStarted(gateway);
            qobject_cast<frmSettings*>(dialog)->ButtonEx1_Click();
        });
        m_main->ButtonEx6_Click();
        QTRY_VERIFY_WITH_TIMEOUT(requestsStarted(gateway) > 0, 10000);
        QCOMPARE(beforeTheDialog, 0);
    }

    // Closing the player skips the one reload; the next activation by one
    // of the program's windows reloads again.
    void closingThePlayerSkipsOneReload() {
        test::FakeBrowserFactory browsers;
        QSignalSpy gateway(&m_main->videos().gateway(), &DataGateway::stateChanged);
        {
            frmPlayVideos player(QStringLiteral("Buyer"), QStringLiteral("127.0.0.1:1"),
                                 m_main.get());
            answerNextModal(
                [](QWidget* modal) { QMetaObject::invokeMethod(modal, "ButtonEx9_Click"); });
            player.exec();
        }
        QTRY_VERIFY_WITH_TIMEOUT(m_main->isActiveWindow(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!g_SkipVideoReload, 5000);
        QCOMPARE(requestsStarted(gateway), 0);

        answerNextModal(
            [](QWidget* dialog) { qobject_cast<frmSettings*>(dialog)->ButtonEx1_Click(); });
        m_main->ButtonEx6_Click();
        QTRY_VERIFY_WITH_TIMEOUT(requestsStarted(gateway) > 0, 10000);
    }

    // Another program in front: the user's size comes back and the window
    // is minimised; restored, it switches again, and neither is an
    // activation that reloads the lists.
    void anotherProgramInFrontAndBack() {
        QSignalSpy gateway(&m_main->videos().gateway(), &DataGateway::stateChanged);
        m_display.log.clear();
        QProcess other;
        other.start(QStringLiteral("xmessage"), {QStringLiteral("another program")});
        QVERIFY(other.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(m_main->isMinimized(), 10000);
        QCOMPARE(m_display.log, RecordingDisplay::switchTo(1920, 1080));
        other.kill();
        other.waitForFinished(5000);

        m_display.log.clear();
        m_main->showNormal();
        m_main->activateWindow();
        QTRY_COMPARE_WITH_TIMEOUT(m_display.log, RecordingDisplay::switchTo(1024, 768), 10000);
        QCOMPARE(requestsStarted(gateway), 0);
    }

    // The program's own dialogs keep it in front: while the settings dialog
    // holds the focus, Timer2's ticks switch nothing.
    void ownWindowsKeepTheDesignSize() {
        m_display.log.clear();
        QTimer* timer2 = m_main->form().timer(QStringLiteral("Timer2"));
        QVERIFY(timer2);
        answerNextModal([timer2](QWidget* dialog) {
            auto ticks = std::make_shared<int>(0);
            QObject::connect(timer2, &QTimer::timeout, dialog, [ticks, dialog] {
                if (++*ticks == 3)
                    QMetaObject::invokeMethod(dialog, "ButtonEx1_Click", Qt::QueuedConnection);
            });
        });
        m_main->ButtonEx6_Click();
        QCOMPARE(m_display.log, QStringList());
        QVERIFY(!m_main->isMinimized());
    }

private:
    RecordingDisplay m_display;
    int m_ended = 0;
    std::unique_ptr<Main> m_main;
};

QTEST_MAIN(tst_MainDesktop)
#include "tst_MainDesktop.moc"
