#include "app/Main.h"
#include "app/ShellGlobals.h"
#include "app/WebPagePanel.h"

#include "FakeBrowser.h"
#include "MessageBoxRecorder.h"
#include "RecordingDisplay.h"
#include "TestEnvironment.h"
#include "platform/ControlEvents.h"
#include "platform/Twips.h"

#include <QElapsedTimer>
#include <QTest>

using namespace velmora;

namespace {

/// Refuses every browser, as a desktop without the browser module does.
class MissingBrowserFactory : public BrowserFactory {
public:
    MissingBrowserFactory() { install(this); }
    ~MissingBrowserFactory() override { install(nullptr); }
    Browser* create(QWidget*, const QString&, QString* error) override {
        ++attempts;
        if (error)
            *error = QStringLiteral("no module");
        return nullptr;
    }
    int attempts = 0;
};

struct Harness {
    Harness() {
        MainServices services;
        display.active = true;
        services.display = &display;
        services.endProcess = [] {};
        main = std::make_unique<Main>(services);
        main->show();
    }
    QWidget* control(const char* name) const { return main->form().control(QLatin1String(name)); }
    bool shown(const char* name) const { return control(name) && !control(name)->isHidden(); }
    /// Whether `name` sits where the design's twips put it, in pixels.
    bool at(const char* name, QRect twips) const {
        return control(name)->geometry() == twipsToPixels(twips);
    }

    RecordingDisplay display;
    MessageBoxRecorder boxes;
    std::unique_ptr<Main> main;
};

} // namespace

/// The web page panel with a browser that records where it is sent, and
/// without any browser.
class tst_WebPagePanel : public QObject {
    Q_OBJECT
private slots:
    void init() {
        test::resetUserConfig();
        g_BrowserCreated = false;
    }

    void designOfThePanel() {
        test::FakeBrowserFactory browsers;
        Harness h;
        const struct {
            const char* name;
            QRect geometry;
            const char* caption;
            const char* tip;
        } buttons[] = {
            {"ButtonEx3", {90, 233, 1410, 690}, "&Back", "Go to previous page"},
            {"ButtonEx4", {1710, 233, 1410, 690}, "&Next", "Go to next page"},
            {"btnContactUs", {3375, 240, 1815, 690}, "&Contact Us", "Go to contact us page"},
        };
        for (const auto& button : buttons) {
            QWidget* control = h.control(button.name);
            QVERIFY2(control, button.name);
            QCOMPARE(control->parentWidget(), h.control("fraOnTheWeb"));
            QVERIFY2(h.at(button.name, button.geometry), button.name);
            QCOMPARE(control->property("Caption").toString(), QString(button.caption));
            QCOMPARE(control->toolTip(), QString(button.tip));
        }
        QCOMPARE(h.main->webPanel().contactPage(),
                 QUrl(QStringLiteral("http://") + qEnvironmentVariable("VELMORA_WEB_SITE") +
                      QStringLiteral("/contactus.php")));
    }

    void linkOpensTheContactPageOneSecondLater() {
        test::FakeBrowserFactory browsers;
        Harness h;
        QElapsedTimer clock;
        clock.start();
        h.main->webPanel().Label9_Click();
        QCOMPARE(h.main->cursor().shape(), Qt::WaitCursor);
        QVERIFY(!h.shown("fraOnTheWeb"));
        QCOMPARE(browsers.created.size(), 1);
        test::FakeBrowser* browser = browsers.created.first();
        QCOMPARE(browser->objectName(), QString("MyWebBrowserControlNameTwo"));
        QCOMPARE(browser->parentWidget(), h.control("fraOnTheWeb"));
        QCOMPARE(browser->navigations, QList<QUrl>{h.main->webPanel().contactPage()});
        QCOMPARE(browser->geometry(), twipsToPixels(QRect(0, 1170, 13335, 8895)));
        QVERIFY(!browser->isHidden());
        QVERIFY(!buttonEnabled(h.control("ButtonEx3")));
        QVERIFY(g_BrowserCreated);

        QTRY_VERIFY_WITH_TIMEOUT(h.shown("fraOnTheWeb"), 3000);
        QVERIFY(clock.elapsed() >= 1000);
        QCOMPARE(h.main->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(h.control("fraOnTheWeb")->pos(), QPoint(twipsToPixels(1850), twipsToPixels(800)));
        QVERIFY(h.shown("Command1") && h.shown("labelshadow"));
        QVERIFY(!h.shown("Shape2"));
        QVERIFY(h.at("ButtonEx1", {13750, 1035, 1095, 690}));
        QVERIFY(h.at("lblShadowTwo", {13925, 1185, 1050, 600}));
        QVERIFY(h.at("labelshadow", {11520, 1170, 2040, 600}));
        QCOMPARE(h.control("Command1")->height(), twipsToPixels(690));
        QCOMPARE(h.boxes.count(), 0);

        h.main->webPanel().btnContactUs_Click();
        QVERIFY(buttonEnabled(h.control("ButtonEx3")));
        QCOMPARE(browser->navigations.size(), 2);
    }

    // Back to welcome and the link again: the same browser keeps its page,
    // Back is disabled again.
    void comingBackKeepsTheBrowser() {
        test::FakeBrowserFactory browsers;
        Harness h;
        h.main->webPanel().Label9_Click();
        QTRY_VERIFY_WITH_TIMEOUT(h.shown("fraOnTheWeb"), 3000);
        h.main->webPanel().btnContactUs_Click();
        h.main->Command1_Click();
        QVERIFY(!h.shown("fraOnTheWeb"));
        QVERIFY(h.shown("Shape2"));
        QVERIFY(h.at("ButtonEx1", {13680, 9720, 1095, 690}));

        h.main->webPanel().Label9_Click();
        QTRY_VERIFY_WITH_TIMEOUT(h.shown("fraOnTheWeb"), 3000);
        QCOMPARE(browsers.created.size(), 1);
        QCOMPARE(browsers.created.first()->navigations.size(), 2);
        QVERIFY(!buttonEnabled(h.control("ButtonEx3")));
    }

    void missingBrowserWarnsOnceAndShowsAnEmptyPanel() {
        MissingBrowserFactory factory;
        Harness h;
        h.main->webPanel().Label9_Click();
        QCOMPARE(h.boxes.count(), 1);
        QCOMPARE(h.boxes.last().title, QString("Internet Explorer required..."));
        QCOMPARE(h.boxes.last().text,
                 QString("Make sure you have Explorer installed on your computer"));
        QCOMPARE(h.boxes.last().icon, QMessageBox::Information);
        QTRY_VERIFY_WITH_TIMEOUT(h.shown("fraOnTheWeb"), 3000);
        QCOMPARE(h.main->webPanel().browser(), nullptr);
        // The browser's buttons do nothing without one, and nothing breaks.
        h.main->webPanel().ButtonEx3_Click();
        h.main->webPanel().ButtonEx4_Click();
        h.main->webPanel().btnContactUs_Click();

        h.main->Command1_Click();
        h.main->webPanel().Label9_Click();
        QTRY_VERIFY_WITH_TIMEOUT(h.shown("fraOnTheWeb"), 3000);
        QCOMPARE(h.boxes.count(), 1);
        QCOMPARE(factory.attempts, 1);
    }

    // A section opened within the second lies under the panel once it is
    // shown; the controls inside the panel's rectangle that stay in use lie
    // over it.  Judged by what a click at each place reaches.
    void panelComesOverASectionOpenedWithinTheSecond_data() {
        QTest::addColumn<QString>("section");
        QTest::newRow("videos") << "videos";
        QTest::newRow("guides") << "guides";
    }
    void panelComesOverASectionOpenedWithinTheSecond() {
        QFETCH(QString, section);
        test::FakeBrowserFactory browsers;
        Harness h;
        h.main->webPanel().Label9_Click();
        if (section == QLatin1String("videos"))
            h.main->btnVideo_Click();
        else
            h.main->btnDocument_Click();
        QWidget* panel = h.control("fraOnTheWeb");
        QTRY_VERIFY_WITH_TIMEOUT(h.shown("fraOnTheWeb"), 3000);
        const auto reached = [&](QPoint twips) {
            return h.main->childAt(twipsToPixels(twips.x()), twipsToPixels(twips.y()));
        };
        const auto within = [](QWidget* hit, QWidget* control) {
            return hit && (hit == control || control->isAncestorOf(hit));
        };
        // The middle of the browser, and the panel's own top strip.
        for (const QPoint at : {QPoint(1850 + 6600, 800 + 5600), QPoint(1850 + 8000, 800 + 600)})
            QVERIFY(within(reached(at), panel));
        for (const char* name : {"Command1", "ButtonEx1"}) {
            QWidget* control = h.control(name);
            QVERIFY2(within(h.main->childAt(control->geometry().center()), control), name);
        }
        // The shadows show below their buttons.
        for (const char* name : {"labelshadow", "lblShadowTwo"}) {
            QWidget* shadow = h.control(name);
            QVERIFY2(within(h.main->childAt(shadow->geometry().bottomRight()), shadow), name);
        }
    }

    void hereLinkIsWired() {
        test::FakeBrowserFactory browsers;
        Harness h;
        QTest::mouseClick(h.control("Label9"), Qt::LeftButton);
        QCOMPARE(browsers.created.size(), 1);
    }
};

QTEST_MAIN(tst_WebPagePanel)
#include "tst_WebPagePanel.moc"
