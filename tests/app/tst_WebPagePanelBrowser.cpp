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

/// The browser's loads as they start and finish.
class LoadLog : public QObject {
    Q_OBJECT
public:
    explicit LoadLog(QWidget* view) {
        connect(view, SIGNAL(loadStarted()), this, SLOT(started()));
        connect(view, SIGNAL(loadFinished(bool)), this, SLOT(finished()));
    }
    int starts = 0;
    int finishes = 0;
    /// The last load started has finished.
    bool atRest() const { return !m_loading; }

private slots:
    void started() {
        ++starts;
        m_loading = true;
    }
    void finished() {
        ++finishes;
        m_loading = false;
    }

private:
    bool m_loading = false;
};

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
        LoadLog loads(web.browser()->widget());
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
        QTRY_VERIFY_WITH_TIMEOUT(loads.finishes > 0 && loads.atRest(), 20000);
        const int startsBefore = loads.starts;
        Browser* browser = web.browser();
        main.Command1_Click();
        QVERIFY(panel->isHidden());
        QTest::mouseClick(main.form().control(QStringLiteral("Label9")), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!panel->isHidden(), 5000);
        QCOMPARE(web.browser(), browser);
        QCOMPARE(web.browser()->address(), contact);
        QVERIFY(!buttonEnabled(back));
        // A load asked for on the way in starts ahead of one asked for now:
        // once this one has run, the only start since is its own.
        web.browser()->navigate(second);
        QTRY_COMPARE_WITH_TIMEOUT(web.browser()->address(), second, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(loads.atRest(), 20000);
        QCOMPARE(loads.starts, startsBefore + 1);
        QCOMPARE(boxes.count(), 0);
    }
};

QTEST_MAIN(tst_WebPagePanelBrowser)
#include "tst_WebPagePanelBrowser.moc"
