#include "app/Main.h"

#include "FakeBrowser.h"
#include "FakeColourChooser.h"
#include "MessageBoxRecorder.h"
#include "RecordingDisplay.h"
#include "ScriptedHttpServer.h"
#include "TestEnvironment.h"
#include "TestImages.h"
#include "app/WebPagePanel.h"
#include "guides/GuideGlobals.h"
#include "guides/GuideSection.h"
#include "platform/ControlEvents.h"
#include "platform/ControlHost.h"
#include "platform/HostSite.h"
#include "settings/frmSettings.h"
#include "videos/VideoGlobals.h"
#include "videos/VideoSection.h"
#include "videos/frmPlayVideos.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <map>
#include <memory>

using namespace velmora;

namespace {

// The access keys a screen shows, each with the button the user sees
// carrying it.
using Expected = QHash<QChar, QString>;

const QByteArray kCoderIndex = "/guidesdisplayVelmora/demo/testdoc.txt";

/// The Clicks of every button of a window that has an access key, in place
/// of the buttons' handlers: what a key presses shows without the screens
/// changing under the test.
class ClickLog {
public:
    explicit ClickLog(const QWidget* window) {
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            const HostSite* site = ControlHost::siteOf(widget);
            if (!site || site->accessKeys().isEmpty())
                continue;
            QObject::disconnect(widget, SIGNAL(Click()), nullptr, nullptr);
            m_spies[widget->objectName()] = std::make_unique<QSignalSpy>(widget, SIGNAL(Click()));
        }
    }
    /// The buttons that raised Click since the last call.
    QStringList take() {
        QStringList clicked;
        for (auto& [name, spy] : m_spies) {
            if (!spy->isEmpty())
                clicked << name;
            spy->clear();
        }
        return clicked;
    }

private:
    std::map<QString, std::unique_ptr<QSignalSpy>> m_spies;
};

void pressAlt(QWidget* window, QChar letter) {
    QTest::keyClick(window->windowHandle(), Qt::Key(letter.unicode()), Qt::AltModifier);
}

/// Presses Alt with every letter in `window`: each key of `expected` raises
/// the Click of its button, and of no other; every other letter clicks
/// nothing.
void verifyAccessKeys(QWidget* window, const Expected& expected) {
    ClickLog log(window);
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        pressAlt(window, QChar(letter));
        const QStringList clicked = log.take();
        const QStringList wanted = expected.contains(QChar(letter))
                                       ? QStringList{expected.value(QChar(letter))}
                                       : QStringList{};
        QVERIFY2(clicked == wanted,
                 qPrintable(
                     QStringLiteral("Alt+%1 clicked [%2]").arg(QChar(letter), clicked.join(u','))));
    }
}

/// A main window with a recording display and a recorded end of the
/// process; its video lists come from a port where nothing listens, and
/// its guides from a server of the test's own.
struct Harness {
    Harness() {
        display.active = true;
        MainServices services;
        services.display = &display;
        services.endProcess = [this] { ++ended; };
        services.colourChooser = &chooser;
        main = std::make_unique<Main>(services);
        main->videos().setContentServer(QStringLiteral("127.0.0.1:1"));
        QList<QByteArray> pages;
        for (int page = 0; page < 3; ++page)
            pages << test::encodedImage(QSize(200 + 10 * page, 240));
        server.addGuide(kCoderIndex, pages);
        server.releaseAll();
        if (server.listen())
            main->guides().reader().setContentServer(server.hostPort());
    }

    QWidget* control(const char* name) const { return main->form().control(QLatin1String(name)); }

    /// Shows the window and waits until its start has run and the failed
    /// list reload has given the exit button back.
    bool showAndStart() {
        main->show();
        main->activateWindow();
        return QTest::qWaitForWindowActive(main.get()) &&
               QTest::qWaitFor(
                   [this] {
                       return !main->firstActivation() && buttonEnabled(control("ButtonEx1"));
                   },
                   5000);
    }

    /// Loads the Coder guide and waits for its three pages.
    bool readCoderGuide() {
        main->btnDocument_Click();
        auto* selector = main->guides().docCategories();
        selector->setCurrentIndex(selector->findText(QStringLiteral("Coder")));
        main->guides().reader().ButtonEx12_Click();
        return QTest::qWaitFor(
            [this] { return main->guides().reader().pages(GuideType::Coder).count() == 3; }, 10000);
    }

    RecordingDisplay display;
    FakeColourChooser chooser;
    MessageBoxRecorder boxes;
    test::ScriptedHttpServer server;
    int ended = 0;
    std::unique_ptr<Main> main;
};

} // namespace

/// Every screen's access keys press the button the user sees; buttons
/// hidden or covered by the screen in front take none, and buttons in view
/// that share a key take the focus in turn.
class tst_AccessKeys : public QObject {
    Q_OBJECT
private slots:
    void init() {
        test::resetUserConfig();
        g_SkipVideoReload = false;
        g_CoderFetched = false;
        g_BuyerFetched = false;
    }

    void welcomeScreen() {
        Harness h;
        QVERIFY(h.showAndStart());
        verifyAccessKeys(h.main.get(),
                         {{'T', "ButtonEx6"}, {'B', "ButtonEx5"}, {'X', "ButtonEx1"}});
    }

    // The settings button is off while a section is shown; the main
    // window's exit button lies under the section.
    void guideSelection() {
        Harness h;
        QVERIFY(h.showAndStart());
        h.main->btnDocument_Click();
        verifyAccessKeys(
            h.main.get(),
            {{'B', "ButtonEx5"}, {'X', "ButtonEx10"}, {'L', "ButtonEx12"}, {'I', "ButtonEx11"}});
    }

    // The reading screen lies over the selection screen, whose buttons
    // take no key any more.
    void readingScreen() {
        Harness h;
        QVERIFY(h.showAndStart());
        QVERIFY(h.readCoderGuide());
        // Ne&xt Page, not one of the two E&xit buttons behind the screen.
        pressAlt(h.main.get(), 'X');
        QCOMPARE(h.main->guides().reader().pageIndex(), 1);
        QCOMPARE(h.main->guides().reader().viewer(GuideType::Coder)->surface().picture().width(),
                 210);
        QCOMPARE(h.ended, 0);
        verifyAccessKeys(h.main.get(), {{'B', "ButtonEx5"},
                                        {'R', "cmdReload"},
                                        {'F', "cmdFirstPage"},
                                        {'P', "cmdPrevPage"},
                                        {'X', "cmdNextPage"},
                                        {'S', "cmdLastPage"},
                                        {'G', "cmdGotoPage"}});
    }

    void videoScreen() {
        Harness h;
        QVERIFY(h.showAndStart());
        h.main->btnVideo_Click();
        QTRY_VERIFY(buttonEnabled(h.control("ButtonEx1")));
        verifyAccessKeys(
            h.main.get(),
            {{'B', "ButtonEx5"}, {'X', "ButtonEx8"}, {'L', "ButtonEx7"}, {'I', "btnHelp"}});
    }

    // The panel's "&Back" is off until a page has been opened from it; then
    // it shares B with "A&bout" beside the panel.
    void webPanel() {
        test::FakeBrowserFactory browsers;
        Harness h;
        QVERIFY(h.showAndStart());
        h.main->webPanel().Label9_Click();
        QTRY_VERIFY_WITH_TIMEOUT(h.control("fraOnTheWeb")->isVisible(), 5000);
        verifyAccessKeys(h.main.get(), {{'T', "ButtonEx6"},
                                        {'B', "ButtonEx5"},
                                        {'N', "ButtonEx4"},
                                        {'C', "btnContactUs"},
                                        {'X', "ButtonEx1"}});

        setButtonEnabled(h.control("ButtonEx3"), true);
        ClickLog log(h.main.get());
        for (const char* next : {"ButtonEx5", "ButtonEx3", "ButtonEx5"}) {
            pressAlt(h.main.get(), 'B');
            QCOMPARE(QApplication::focusWidget(), h.control(next));
        }
        QCOMPARE(log.take(), QStringList());
    }

    void settingsDialog() {
        FakeColourChooser chooser;
        frmSettings dialog(nullptr, &chooser);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        verifyAccessKeys(&dialog, {{'U', "Command1"}, {'N', "ButtonEx1"}, {'I', "ButtonEx11"}});
    }

    // "Back to videos" has no access key, and the main window's keys stay
    // with the main window.
    void player() {
        test::FakeBrowserFactory browsers;
        Harness h;
        QVERIFY(h.showAndStart());
        frmPlayVideos player(QStringLiteral("Coder"), QStringLiteral("127.0.0.1:1"), h.main.get());
        player.show();
        QVERIFY(QTest::qWaitForWindowActive(&player));
        ClickLog mainLog(h.main.get());
        verifyAccessKeys(&player, {});
        QCOMPARE(mainLog.take(), QStringList());
        QCOMPARE(h.ended, 0);
    }
};

QTEST_MAIN(tst_AccessKeys)
#include "tst_AccessKeys.moc"
