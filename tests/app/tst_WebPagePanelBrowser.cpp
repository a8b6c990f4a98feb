// The web page panel with the real browser module against the demo site on
// a real display: the contact page loads, Back and Next walk its history.

#include "app/Main.h"
#include "app/ShellGlobals.h"
#include "app/WebPagePanel.h"

#include "MessageBoxRecorder.h"
#include "RecordingDisplay.h"
#include "TestEnvironment.h"
#include "platform/Browser.h"
#include "platform/ControlEvents.h"
#include "videos/VideoSection.h"

#include <QSignalSpy>
#include <QTest>
#include <QUrl>

using namespace velmora;

namespace {

/// Each shape the window's cursor takes, with whether the panel was still
/// hidden then: when making the browser takes over a second, the hourglass
/// comes and goes within the click, and only a log of the changes sees it.
class CursorLog : public QObject {
public:
    CursorLog(QWidget* window, QWidget* panel) : m_window(window), m_panel(panel) {
        window->installEventFilter(this);
    }
    QList<QPair<Qt::CursorShape, bool>> changes;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::CursorChange)
            changes.append({m_window->cursor().shape(), m_panel->isHidden()});
        return false;
    }

private:
    QWidget* m_window;
    QWidget* m_panel;
};

} // namespace

class tst_WebPagePanelBrowser : public QObject {
    Q_OBJECT
private slots:
    void contactPageWithHistory() {
        test::resetUserConfig();
        g_BrowserCreated = false;
        MessageBoxRecorder boxes;
        RecordingDisplay display;
        MainServices services;
        services.display = &display;
        services.endProcess = [] {};
        Main main(services);
        main.videos().setContentServer(QStringLiteral("127.0.0.1:1"));
        main.show();
        QTRY_VERIFY_WITH_TIMEOUT(!main.firstActivation(), 10000);
        QWidget* panel = main.form().control(QStringLiteral("fraOnTheWeb"));
        WebPagePanel& web = main.webPanel();

        CursorLog cursor(&main, panel);
        QTest::mouseClick(main.form().control(QStringLiteral("Label9")), Qt::LeftButton);
        QVERIFY(web.browser());
        QCOMPARE(boxes.count(), 0);
        QSignalSpy loads(web.browser()->widget(), SIGNAL(loadFinished(bool)));
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isHidden(), 5000);
        QCOMPARE(main.cursor().shape(), Qt::ArrowCursor);
        // The hourglass came first, while the panel was still hidden.
        QVERIFY(!cursor.changes.isEmpty());
        QCOMPARE(cursor.changes.first(), qMakePair(Qt::WaitCursor, true));
        const QUrl contact = web.contactPage();
        QTRY_COMPARE_WITH_TIMEOUT(web.browser()->address(), contact, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!web.browser()->title().isEmpty(), 20000);
        QWidget* back = main.form().control(QStringLiteral("ButtonEx3"));
        QVERIFY(!buttonEnabled(back));

        // The user follows the page's link to the second page.
        const QUrl second = contact.resolved(QUrl(QStringLiteral("/faq.html")));
        web.browser()->navigate(second);
        QTRY_COMPARE_WITH_TIMEOUT(web.browser()->address(), second, 20000);
        QTest::mouseClick(main.form().control(QStringLiteral("btnContactUs")), Qt::LeftButton);
        QVERIFY(buttonEnabled(back));
        QTRY_COMPARE_WITH_TIMEOUT(web.browser()->address(), contact, 20000);
        QTest::mouseClick(back, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(web.browser()->address(), second, 20000);
        QTest::mouseClick(main.form().control(QStringLiteral("ButtonEx4")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(web.browser()->address(), contact, 20000);

        // Back to welcome and in again: the same page, not loaded again.
        QTRY_VERIFY_WITH_TIMEOUT(!loads.isEmpty(), 20000);
        QTest::qWait(200);
        const qsizetype loadsBefore = loads.size();
        Browser* browser = web.browser();
        main.Command1_Click();
        QVERIFY(panel->isHidden());
        QTest::mouseClick(main.form().control(QStringLiteral("Label9")), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isHidden(), 5000);
        QCOMPARE(web.browser(), browser);
        QCOMPARE(web.browser()->address(), contact);
        QVERIFY(!buttonEnabled(back));
        QTest::qWait(500);
        QCOMPARE(loads.size(), loadsBefore);
        QCOMPARE(boxes.count(), 0);
    }
};

QTEST_MAIN(tst_WebPagePanelBrowser)
#include "tst_WebPagePanelBrowser.moc"
