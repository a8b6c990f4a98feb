#include "app/Main.h"

#include "RecordingDisplay.h"
#include "TestEnvironment.h"
#include "settings/frmSettings.h"
#include "videos/DataGateway.h"
#include "videos/VideoGlobals.h"
#include "videos/VideoSection.h"

#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace velmora;

namespace {

int requestsStarted(const QSignalSpy& spy) {
    int count = 0;
    for (const QList<QVariant>& call : spy)
        count += call.at(0).toInt() == DataGateway::Requesting;
    return count;
}

} // namespace

/// The main window on a real X server with a window manager: activation
/// and closing come from the desktop, not from the test.
class tst_MainDesktop : public QObject {
    Q_OBJECT
private slots:
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
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"),
                                   {QStringLiteral("key"), QStringLiteral("alt+F4")}),
                 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_ended, 1, 10000);
        QCOMPARE(m_display.log,
                 QStringList({"size", "change 1024x768", "change 1920x1080", "end"}));
    }

    void closingTheSettingsDialogReactivatesAndReloads() {
        QSignalSpy gateway(&m_main->videos().gateway(), &DataGateway::stateChanged);
        QTimer::singleShot(200, [] {
            if (auto* dialog = qobject_cast<frmSettings*>(QApplication::activeModalWidget()))
                dialog->ButtonEx1_Click();
        });
        m_main->ButtonEx6_Click();
        QTRY_VERIFY_WITH_TIMEOUT(requestsStarted(gateway) > 0, 10000);
        QVERIFY(m_main->isActiveWindow());
    }

private:
    RecordingDisplay m_display;
    int m_ended = 0;
    std::unique_ptr<Main> m_main;
};

QTEST_MAIN(tst_MainDesktop)
#include "tst_MainDesktop.moc"
