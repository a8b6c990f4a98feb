#include "app/Main.h"
#include "app/ShellGlobals.h"
#include "app/display/DisplayWatcher.h"

#include "FakeColourChooser.h"
#include "MessageBoxRecorder.h"
#include "RecordingDisplay.h"
#include "ScriptedHttpServer.h"
#include "StoredPackage.h"
#include "TestEnvironment.h"
#include "guides/GuideGlobals.h"
#include "guides/GuideSection.h"
#include "guides/reader/GuideReader.h"
#include "platform/ControlEvents.h"
#include "platform/ShapeWidget.h"
#include "platform/Twips.h"
#include "settings/frmSettings.h"
#include "videos/DataGateway.h"
#include "videos/VideoGlobals.h"
#include "videos/VideoSection.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace velmora;

namespace {

enum class Screen { Welcome, GuideSelection, Videos };

/// A main window with a recording display, a recorded end of the process
/// and a colour chooser the test answers; its video lists come from a port
/// where nothing listens, so each reload fails at once.
struct Harness {
    Harness() {
        MainServices services;
        // The program stays in front: the focus watcher leaves it alone.
        display.active = true;
        services.display = &display;
        services.endProcess = [this] {
            display.log << QStringLiteral("end");
            ++ended;
        };
        services.colourChooser = &chooser;
        main = std::make_unique<Main>(services);
        main->videos().setContentServer(QStringLiteral("127.0.0.1:1"));
    }

    QWidget* control(const char* name) const { return main->form().control(QLatin1String(name)); }
    QWidget* doors(const char* name) const {
        return main->guides().doorsForm().control(QLatin1String(name));
    }
    QWidget* video(const char* name) const {
        return main->videos().form().control(QLatin1String(name));
    }
    /// Shows the window and waits until its first activation has run.
    bool showAndStart() {
        main->show();
        main->activateWindow();
        return QTest::qWaitFor([this] { return !main->firstActivation(); }, 5000);
    }

    RecordingDisplay display;
    FakeColourChooser chooser;
    int ended = 0;
    std::unique_ptr<Main> main;
};

bool shown(const QWidget* widget) {
    return widget && !widget->isHidden();
}

int requestsStarted(const QSignalSpy& spy) {
    int count = 0;
    for (const QList<QVariant>& call : spy)
        count += call.at(0).toInt() == DataGateway::Requesting;
    return count;
}

QColor textColour(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

void verifyScreen(const Harness& h, Screen screen) {
    const bool welcome = screen == Screen::Welcome;
    for (int number = 1; number <= 9; ++number) {
        const QWidget* label = h.main->form().control(QStringLiteral("Label%1").arg(number));
        QVERIFY(label);
        QCOMPARE(shown(label), welcome);
    }
    QCOMPARE(buttonEnabled(h.control("ButtonEx6")), welcome);
    QCOMPARE(shown(h.control("Command1")), screen == Screen::Videos);
    QCOMPARE(shown(h.control("fraDoors")), screen == Screen::GuideSelection);
    QCOMPARE(shown(h.control("fraVideo")), screen == Screen::Videos);
    QVERIFY(!shown(h.control("fraGuide")));
    const QPoint panelPlace(twipsToPixels(1852), twipsToPixels(772));
    if (screen == Screen::GuideSelection) {
        QCOMPARE(h.control("fraDoors")->pos(), panelPlace);
        QVERIFY(shown(h.doors("ButtonEx14")));
        QVERIFY(shown(h.doors("Frame14")));
        QVERIFY(!shown(h.control("labelshadow")));
    }
    if (screen == Screen::Videos)
        QCOMPARE(h.control("fraVideo")->pos(), panelPlace);
}

} // namespace

class tst_Main : public QObject {
    Q_OBJECT
private slots:
    void init() {
        test::resetUserConfig();
        g_SkipVideoReload = false;
        g_SavedScreenWidth = 0;
        g_SavedScreenHeight = 0;
    }

    // ---- the window as data ------------------------------------------------

    void designGeometry_data() {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        const auto row = [](const char* part, const char* name, QRect twips) {
            QTest::addRow("%s-%s", part, name) << part << name << twips;
        };
        row("main", "Shape2", {1845, 765, 13335, 9870});
        row("main", "Label32", {4590, 1260, 7530, 555});
        row("main", "Label1", {5415, 3330, 5925, 435});
        row("main", "Label6", {4830, 6345, 7530, 870});
        row("main", "Label28(1)", {5625, 8010, 5415, 375});
        row("main", "Label29", {5130, 8010, 465, 375});
        row("main", "Label8", {2400, 10260, 10005, 285});
        row("main", "Label9", {8550, 10260, 510, 285});
        row("main", "Image13", {180, 2385, 600, 555});
        row("main", "btnDocument", {120, 2385, 1575, 495});
        row("main", "Image14", {180, 3105, 570, 480});
        row("main", "btnVideo", {120, 3120, 1575, 495});
        row("main", "ButtonEx6", {180, 8190, 1410, 450});
        row("main", "ButtonEx5", {180, 8775, 1410, 450});
        row("main", "lblMinimize", {14325, 240, 315, 375});
        row("main", "lblExit", {14715, 240, 375, 375});
        row("main", "ButtonEx1", {13680, 9720, 1095, 690});
        row("main", "lblShadowTwo", {13815, 9765, 1050, 690});
        row("main", "Command1", {11430, 1035, 1995, 690});
        row("main", "labelshadow", {11520, 1170, 2040, 600});
        row("main", "fraDoors", {1852, 772, 13395, 10185});
        row("main", "fraVideo", {1852, 772, 13395, 10185});
        row("main", "fraOnTheWeb", {1980, 875, 13380, 10110});
        row("doors", "ButtonEx14", {9540, 315, 1995, 690});
        row("doors", "Frame14", {9630, 480, 2040, 600});
        row("doors", "ButtonEx10", {11790, 315, 1095, 690});
        row("doors", "cmbDocCategories", {3315, 2265, 2910, 330});
        row("doors", "ButtonEx12", {3330, 6270, 1290, 450});
        row("doors", "ButtonEx11", {4785, 6270, 1290, 450});
        row("doors", "lblFetching", {3375, 6930, 2205, 210});
        row("reader", "ButtonEx13", {11205, 315, 1995, 690});
        row("reader", "picJPEGViewer", {120, 120, 9300, 8325});
        row("reader", "picBuyerTwo", {-855, -495, 9300, 8325});
        row("reader", "cmdFirstPage", {2415, 9585, 1095, 555});
        row("reader", "txtGotoPage", {9360, 9765, 855, 315});
        row("reader", "cmdGotoPage", {10305, 9585, 1095, 555});
    }
    void designGeometry() {
        QFETCH(QString, part);
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        Harness h;
        const Form& form = part == QLatin1String("main")    ? h.main->form()
                           : part == QLatin1String("doors") ? h.main->guides().doorsForm()
                                                            : h.main->guides().readerForm();
        QWidget* control = form.control(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(form.designGeometry(name), twips);
        QCOMPARE(control->geometry(), twipsToPixels(twips));
    }

    void windowCaptionsAndTips() {
        Harness h;
        QCOMPARE(h.main->windowTitle(), QString("Velmora package"));
        QVERIFY(h.main->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(h.main->size(), QSize(1024, 738));
        QCOMPARE(h.control("lblMinimize")->toolTip(), QString("Click here to minimize..."));
        QCOMPARE(h.control("lblExit")->toolTip(), QString("Click here to Exit program.."));
        QCOMPARE(h.control("btnDocument")->toolTip(), QString("Click here to view Guides..."));
        QCOMPARE(h.control("btnVideo")->toolTip(), QString("Click here to view Videos..."));
        for (QWidget* exit : {h.control("ButtonEx1"), h.doors("ButtonEx10")}) {
            QVERIFY(exit);
            QCOMPARE(exit->property("Caption").toString(), QString("E&xit"));
            QCOMPARE(exit->toolTip(), QString("Exit Velmora package"));
        }
        for (QWidget* back : {h.control("Command1"), h.doors("ButtonEx14")}) {
            QVERIFY(back);
            QCOMPARE(back->property("Caption").toString(), QString("Back to welcome"));
            QCOMPARE(back->toolTip(), QString("Back to welcome screen"));
        }
        QCOMPARE(h.control("ButtonEx6")->property("Caption").toString(), QString("Se&ttings"));
        QCOMPARE(h.control("ButtonEx5")->property("Caption").toString(), QString("A&bout"));
        auto* here = qobject_cast<QLabel*>(h.control("Label9"));
        QVERIFY(here->font().underline());
        QCOMPARE(here->cursor().shape(), Qt::PointingHandCursor);
        auto* guideTypes = qobject_cast<QComboBox*>(h.doors("cmbDocCategories"));
        QCOMPARE(guideTypes->count(), 2);
        QCOMPARE(guideTypes->itemText(0), QString("Buyer"));
        QCOMPARE(guideTypes->itemText(1), QString("Coder"));
        QCOMPARE(guideTypes->currentIndex(), -1);
    }

    // ---- Form_Load -----------------------------------------------------------

    void loadWithoutSettingsShowsTheDesign() {
        g_CoderFetched = true;
        g_BuyerFetched = true;
        g_BrowserCreated = true;
        Harness h;
        auto* shape = qobject_cast<ShapeWidget*>(h.control("Shape2"));
        QCOMPARE(shape->fillColor(), QColor(0x6A, 0x7E, 0xC3));
        QCOMPARE(shape->borderColor(), QColor(Qt::black));
        for (int number = 1; number <= 9; ++number)
            QCOMPARE(textColour(h.main->form().control(QStringLiteral("Label%1").arg(number))),
                     QColor(Qt::white));
        QVERIFY(h.main->firstActivation());
        QVERIFY(!g_CoderFetched);
        QVERIFY(!g_BuyerFetched);
        QVERIFY(!g_BrowserCreated);
        auto* gotoPage = h.main->guides().readerForm().control<QLineEdit>("txtGotoPage");
        QCOMPARE(gotoPage->text(), QString("1"));
        QCOMPARE(h.main->pos(), QPoint(0, 0));
        QCOMPARE(h.control("fraOnTheWeb")->pos(), QPoint(twipsToPixels(1980), twipsToPixels(875)));
        verifyScreen(h, Screen::Welcome);
    }

    void loadAppliesStoredColours_data() {
        QTest::addColumn<QString>("back");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QColor>("fill");
        QTest::addColumn<QColor>("border");
        QTest::addColumn<QColor>("text");
        const QColor design(0x6A, 0x7E, 0xC3);
        QTest::newRow("valid") << "255"
                               << "65280" << QColor(Qt::red) << QColor(Qt::red)
                               << QColor(Qt::green);
        QTest::newRow("empty") << ""
                               << "" << design << QColor(Qt::black) << QColor(Qt::white);
        QTest::newRow("not-numbers") << "red"
                                     << "12px" << design << QColor(Qt::black) << QColor(Qt::white);
        QTest::newRow("out-of-range")
            << "4294967296"
            << "-2147483649" << design << QColor(Qt::black) << QColor(Qt::white);
        QTest::newRow("one-valid") << "x"
                                   << "0" << design << QColor(Qt::black) << QColor(Qt::black);
    }
    void loadAppliesStoredColours() {
        QFETCH(QString, back);
        QFETCH(QString, font);
        QFETCH(QColor, fill);
        QFETCH(QColor, border);
        QFETCH(QColor, text);
        test::storePackageValue("ColorWelcome", back);
        test::storePackageValue("FontWelcome", font);
        Harness h;
        auto* shape = qobject_cast<ShapeWidget*>(h.control("Shape2"));
        QCOMPARE(shape->fillColor(), fill);
        QCOMPARE(shape->borderColor(), border);
        QCOMPARE(textColour(h.control("Label1")), text);
        QCOMPARE(textColour(h.control("Label9")), text);
        // Label32 is not a welcome label: it keeps the system text colour.
        QVERIFY(textColour(h.control("Label32")) != QColor(Qt::green) || text != QColor(Qt::green));
    }

    // ---- Form_Activate ---------------------------------------------------------

    void firstActivationOpensTheStartSection_data() {
        QTest::addColumn<QString>("startup");
        QTest::addColumn<int>("screen");
        QTest::newRow("nothing-stored") << QString() << int(Screen::Welcome);
        QTest::newRow("welcome") << "Welcome" << int(Screen::Welcome);
        QTest::newRow("docs") << "Docs" << int(Screen::GuideSelection);
        QTest::newRow("videos") << "Videos" << int(Screen::Videos);
        QTest::newRow("lower-case-videos") << "videos" << int(Screen::Welcome);
        QTest::newRow("lower-case-docs") << "docs" << int(Screen::Welcome);
    }
    void firstActivationOpensTheStartSection() {
        QFETCH(QString, startup);
        QFETCH(int, screen);
        if (!startup.isNull())
            test::storePackageValue("Startup", startup);
        Harness h;
        // The section must be in front before the display is switched.
        bool videosShownAtSwitch = false;
        h.display.onApply = [&] { videosShownAtSwitch = shown(h.control("fraVideo")); };
        h.main->Form_Activate();
        QVERIFY(!h.main->firstActivation());
        verifyScreen(h, Screen(screen));
        QCOMPARE(videosShownAtSwitch, Screen(screen) == Screen::Videos);
        QCOMPARE(h.display.log, QStringList({"size", "test 1024x768", "apply 1024x768"}));
        QCOMPARE(g_SavedScreenWidth, 1920);
        QCOMPARE(g_SavedScreenHeight, 1080);
    }

    void laterActivationsSkipTheStartUpBlock() {
        Harness h;
        h.main->Form_Activate();
        h.main->Form_Activate();
        QCOMPARE(h.display.log, QStringList({"size", "test 1024x768", "apply 1024x768"}));
    }

    void activationDuringTheStartUpBlockDoesNotRunItAgain() {
        Harness h;
        QTimer::singleShot(0, h.main.get(), &Main::Form_Activate);
        h.main->Form_Activate();
        QCOMPARE(h.display.log, QStringList({"size", "test 1024x768", "apply 1024x768"}));
        QCOMPARE(g_SavedScreenWidth, 1920);
    }

    // The focus watcher ticks inside the block's yields; with the program in
    // front it must neither restore nor switch a second time.
    void watcherTickInsideTheStartUpBlock() {
        Harness h;
        for (int delay : {0, 1, 5})
            QTimer::singleShot(delay, &h.main->displayWatcher(), &DisplayWatcher::Timer2_Timer);
        h.main->Form_Activate();
        QCOMPARE(h.display.log, QStringList({"size", "test 1024x768", "apply 1024x768"}));
        QVERIFY(!h.main->displayWatcher().resolutionRestored());
    }

    void showingTheWindowActivatesIt() {
        Harness h;
        QVERIFY(h.showAndStart());
        QCOMPARE(h.display.log, QStringList({"size", "test 1024x768", "apply 1024x768"}));
    }

    void videoReloadIsSkippedOnceAfterThePlayer() {
        Harness h;
        QSignalSpy gateway(&h.main->videos().gateway(), &DataGateway::stateChanged);
        h.main->Form_Activate();
        QVERIFY(requestsStarted(gateway) > 0);

        gateway.clear();
        g_SkipVideoReload = true; // the player window closed
        h.main->Form_Activate();
        QCOMPARE(requestsStarted(gateway), 0);
        QVERIFY(!g_SkipVideoReload);

        h.main->Form_Activate();
        QVERIFY(requestsStarted(gateway) > 0);
    }

    // ---- sections ------------------------------------------------------------

    void guidesFromHotSpotOrIcon_data() {
        QTest::addColumn<QString>("entry");
        QTest::newRow("hot-spot") << "btnDocument";
        QTest::newRow("icon") << "Image13";
    }
    void guidesFromHotSpotOrIcon() {
        QFETCH(QString, entry);
        Harness h;
        QVERIFY(h.showAndStart());
        QTest::mouseClick(h.main->form().control(entry), Qt::LeftButton);
        verifyScreen(h, Screen::GuideSelection);
        QTRY_VERIFY(h.main->guides().docCategories()->hasFocus());
    }

    void videosFromHotSpotOrIcon_data() {
        QTest::addColumn<QString>("entry");
        QTest::newRow("hot-spot") << "btnVideo";
        QTest::newRow("icon") << "Image14";
    }
    void videosFromHotSpotOrIcon() {
        QFETCH(QString, entry);
        Harness h;
        QVERIFY(h.showAndStart());
        QTest::mouseClick(h.main->form().control(entry), Qt::LeftButton);
        verifyScreen(h, Screen::Videos);
        QTRY_VERIFY(h.main->videos().searchBox()->hasFocus());
    }

    void backFromGuideSelectionAndInAgain() {
        Harness h;
        QVERIFY(h.showAndStart());
        h.main->btnDocument_Click();
        QTest::mouseClick(h.doors("ButtonEx14"), Qt::LeftButton);
        verifyScreen(h, Screen::Welcome);
        QVERIFY(!shown(h.doors("ButtonEx14")));
        QVERIFY(!shown(h.doors("Frame14")));
        h.main->btnDocument_Click();
        verifyScreen(h, Screen::GuideSelection);
    }

    void backFromTheVideoPanel() {
        Harness h;
        QVERIFY(h.showAndStart());
        h.main->btnVideo_Click();
        h.control("labelshadow")->show();
        QTest::mouseClick(h.video("ButtonEx9"), Qt::LeftButton);
        verifyScreen(h, Screen::Welcome);
        QVERIFY(!shown(h.control("labelshadow")));
    }

    void backWithCommand1UndoesTheWebPanel() {
        Harness h;
        QVERIFY(h.showAndStart());
        // What the web page panel leaves behind when it is in front.
        h.control("fraOnTheWeb")->show();
        h.control("Shape2")->hide();
        h.control("ButtonEx1")->setGeometry(900, 10, 73, 20);
        h.control("lblShadowTwo")->setGeometry(905, 15, 70, 20);
        h.control("Command1")->show();
        h.control("labelshadow")->show();
        // Only Command1's own lower() can put the rectangle back at the bottom.
        h.control("Shape2")->raise();

        QTest::mouseClick(h.control("Command1"), Qt::LeftButton);
        verifyScreen(h, Screen::Welcome);
        QVERIFY(!shown(h.control("fraOnTheWeb")));
        QVERIFY(!shown(h.control("labelshadow")));
        QVERIFY(shown(h.control("Shape2")));
        QWidget* bottom = nullptr;
        for (QObject* child : h.main->children())
            if ((bottom = qobject_cast<QWidget*>(child)))
                break;
        QCOMPARE(bottom, h.control("Shape2"));
        QCOMPARE(h.control("ButtonEx1")->geometry(), QRect(912, 648, 73, 46));
        QCOMPARE(h.control("lblShadowTwo")->geometry(), QRect(921, 651, 70, 46));
    }

    void settingsUpdateRecoloursTheWelcomeScreenNowAndNextStart() {
        Harness h;
        h.chooser.queue(0x00336699u);
        bool dialogSeen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<frmSettings*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialogSeen = true;
            dialog->Picture1_DblClick();
            dialog->Command1_Click();
        });
        h.main->ButtonEx6_Click();
        QVERIFY(dialogSeen);
        const QColor chosen(0x99, 0x66, 0x33);
        QCOMPARE(qobject_cast<ShapeWidget*>(h.control("Shape2"))->fillColor(), chosen);

        Harness next;
        QCOMPARE(qobject_cast<ShapeWidget*>(next.control("Shape2"))->fillColor(), chosen);
    }

    void settingsLinkOpensTheDialog() {
        Harness h;
        QVERIFY(h.showAndStart());
        bool dialogSeen = false;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<frmSettings*>(QApplication::activeModalWidget())) {
                dialogSeen = true;
                dialog->ButtonEx1_Click();
            }
        });
        QTest::mouseClick(h.control("Label29"), Qt::LeftButton);
        QVERIFY(dialogSeen);
        QCOMPARE(qobject_cast<ShapeWidget*>(h.control("Shape2"))->fillColor(),
                 QColor(0x6A, 0x7E, 0xC3));
    }

    void aboutMessage() {
        MessageBoxRecorder boxes;
        Harness h;
        QVERIFY(h.showAndStart());
        QTest::mouseClick(h.control("ButtonEx5"), Qt::LeftButton);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QString("About..."));
        QCOMPARE(boxes.last().icon, QMessageBox::Information);
        QCOMPARE(boxes.last().text,
                 QString("This program runs at this screen resolution: 1024 x 768. \r\n\r\n"
                         "Each time that you run this program, your screen resolution will be "
                         "set at 1024 x 768.\r\n\r\n"
                         "When you close this program, your screen resolution will be set back "
                         "to what it was before running this program."));
    }

    void guideInstructions() {
        MessageBoxRecorder boxes;
        Harness h;
        QVERIFY(h.showAndStart());
        h.main->btnDocument_Click();
        h.control("ButtonEx1")->setFocus();
        QTest::mouseClick(h.doors("ButtonEx11"), Qt::LeftButton);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, QString("Please select a guide type from the drop down box "
                                            "and then click the Load button."));
        QCOMPARE(boxes.last().title, QString("Help"));
        QCOMPARE(boxes.last().icon, QMessageBox::Information);
        QTRY_VERIFY(h.main->guides().docCategories()->hasFocus());
    }

    // ---- layout on resize ----------------------------------------------------

    void designWidthGivesTheDesignViewingArea() {
        Harness h;
        h.main->resize(1024, 738);
        h.main->Form_Resize();
        const Form& reader = h.main->guides().readerForm();
        for (const char* viewport : {"picScrollArea", "picBuyer"})
            QCOMPARE(pixelsToTwips(reader.control(QLatin1String(viewport))->width()), 14700);
        for (const char* bar : {"vsbScroll", "vsBuyer"})
            QCOMPARE(reader.control(QLatin1String(bar))->height(), twipsToPixels(8070 - 50));
        QCOMPARE(pixelsToTwips(reader.control("hsbScroll")->width()), 14700);
    }

    void tooSmallWindowIsSetBack_data() {
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<QSize>("kept");
        QTest::newRow("narrow") << QSize(100, 600) << QSize(134, 600);
        QTest::newRow("low") << QSize(800, 120) << QSize(800, 134);
        QTest::newRow("both") << QSize(20, 20) << QSize(134, 134);
    }
    void tooSmallWindowIsSetBack() {
        QFETCH(QSize, asked);
        QFETCH(QSize, kept);
        Harness h;
        h.main->resize(asked);
        h.main->Form_Resize();
        QCOMPARE(h.main->size(), kept);
        const int viewport =
            pixelsToTwips(h.main->guides().readerForm().control("picScrollArea")->width());
        QCOMPARE(viewport, pixelsToTwips(kept.width()) - 3 * 135 - 255);
    }

    void minimisedWindowKeepsItsLayout() {
        Harness h;
        QWidget* viewport = h.main->guides().readerForm().control("picScrollArea");
        viewport->resize(10, viewport->height());
        h.main->setWindowState(Qt::WindowMinimized);
        h.main->resize(50, 50);
        h.main->Form_Resize();
        QCOMPARE(h.main->size(), QSize(50, 50));
        QCOMPARE(viewport->width(), 10);
    }

    // ---- minimise and exit ---------------------------------------------------

    void minimiseHotSpot() {
        Harness h;
        QVERIFY(h.showAndStart());
        QTest::mouseClick(h.control("lblMinimize"), Qt::LeftButton);
        QTRY_VERIFY(h.main->isMinimized());
        QCOMPARE(h.ended, 0);
    }

    void everyExitRestoresTheDisplayBeforeTheEnd_data() {
        QTest::addColumn<QString>("exit");
        QTest::newRow("lblExit") << "lblExit";
        QTest::newRow("ButtonEx1") << "ButtonEx1";
        QTest::newRow("ButtonEx8") << "ButtonEx8";
        QTest::newRow("ButtonEx10") << "ButtonEx10";
        QTest::newRow("window-manager-close") << "close";
    }
    void everyExitRestoresTheDisplayBeforeTheEnd() {
        QFETCH(QString, exit);
        Harness h;
        QVERIFY(h.showAndStart());
        if (exit == QLatin1String("close")) {
            h.main->close();
        } else {
            QWidget* control = h.control(qPrintable(exit));
            if (exit == QLatin1String("ButtonEx8")) {
                h.main->btnVideo_Click();
                control = h.video("ButtonEx8");
            } else if (exit == QLatin1String("ButtonEx10")) {
                h.main->btnDocument_Click();
                control = h.doors("ButtonEx10");
            }
            QVERIFY(control);
            QVERIFY(control->isVisible());
            QTest::mouseClick(control, Qt::LeftButton);
        }
        QTRY_COMPARE(h.ended, 1);
        QCOMPARE(h.display.log, QStringList({"size", "test 1024x768", "apply 1024x768",
                                             "test 1920x1080", "apply 1920x1080", "end"}));
        QVERIFY(h.main->isUnloaded());
        QVERIFY(h.main->isHidden());
        // Once unloaded, the window closes without a second exit.
        QVERIFY(h.main->close());
        QCOMPARE(h.ended, 1);
    }

    void exitInsideTheStartUpBlockLeavesTheDisplayAlone() {
        Harness h;
        QTimer::singleShot(0, h.main.get(), &Main::lblExit_Click);
        h.main->Form_Activate();
        // Nothing was saved yet: the restore asks for 0 x 0, which no display
        // offers, and the start-up block must not switch after the exit.
        QCOMPARE(h.display.log, QStringList({"test 0x0", "end"}));
        QCOMPARE(h.ended, 1);
    }

    // The exit inside the start-up block's switch, between its test and its
    // apply: the user's size comes back and stays.
    void exitInsideTheStartUpSwitchIsFinal() {
        Harness h;
        h.display.onTest = [&] {
            if (h.display.log.last() == QLatin1String("test 1024x768"))
                QTimer::singleShot(0, h.main.get(), &Main::lblExit_Click);
        };
        h.main->Form_Activate();
        QCOMPARE(h.display.log, QStringList({"size", "test 1024x768", "test 1920x1080",
                                             "apply 1920x1080", "end"}));
    }

    // Back in front after a restore, the watcher yields before it switches
    // and again inside the switch; an exit in either place is final.
    void exitInsideTheWatchersSwitchIsFinal_data() {
        QTest::addColumn<bool>("insideTheSwitch");
        QTest::newRow("in-the-watchers-yields") << false;
        QTest::newRow("in-the-switch-yields") << true;
    }
    void exitInsideTheWatchersSwitchIsFinal() {
        QFETCH(bool, insideTheSwitch);
        Harness h;
        QVERIFY(h.showAndStart());
        DisplayWatcher& watcher = h.main->displayWatcher();
        // The test gives the ticks itself.
        watcher.stop();
        watcher.arm();
        h.display.active = false;
        watcher.Timer2_Timer();
        QVERIFY(watcher.resolutionRestored());
        h.display.active = true;
        h.main->setWindowState(Qt::WindowNoState);
        h.display.log.clear();
        const auto exit = [&] { QTimer::singleShot(0, h.main.get(), &Main::lblExit_Click); };
        if (insideTheSwitch)
            h.display.onTest = [&] {
                h.display.onTest = nullptr;
                exit();
            };
        else
            exit();
        watcher.Timer2_Timer();
        QTRY_COMPARE(h.ended, 1);
        QStringList expected{"test 1920x1080", "apply 1920x1080", "end"};
        if (insideTheSwitch)
            expected.prepend("test 1024x768");
        QCOMPARE(h.display.log, expected);
    }

    void exitAfterTheSwitchRestoresTheUsersSize() {
        Harness h;
        // The exit arrives in the yields that follow the switch.
        h.display.onApply = [&] {
            if (h.display.log.last() == QLatin1String("apply 1024x768"))
                QTimer::singleShot(0, h.main.get(), &Main::lblExit_Click);
        };
        h.main->Form_Activate();
        QCOMPARE(h.display.log, QStringList({"size", "test 1024x768", "apply 1024x768",
                                             "test 1920x1080", "apply 1920x1080", "end"}));
    }

    // ---- A guide whose every page fails ---------------------------------------

    void failingGuideShowsFewBoxesAndLetsTheUserOut_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QStringList>("codes");
        // Nothing is served for the pages: the server's own 404 page.
        QTest::newRow("404-for-every-page") << QByteArray() << QStringList{"DN1002"};
        QTest::newRow("empty-bodies")
            << test::ScriptedHttpServer::response("200 OK", {}) << QStringList{"DN1003", "DN1005"};
    }
    void failingGuideShowsFewBoxesAndLetsTheUserOut() {
        QFETCH(QByteArray, page);
        QFETCH(QStringList, codes);
        test::ScriptedHttpServer server;
        QVERIFY(server.listen());
        QByteArray index;
        for (int i = 0; i < 2000; ++i)
            index += "p" + QByteArray::number(i) + ".jpg\r\n";
        server.addReply("/guidesdisplayVelmora/demo/testdoc.txt",
                        test::ScriptedHttpServer::response("200 OK", index));
        for (int i = 0; i < 2000 && !page.isEmpty(); ++i)
            server.addReply("/guidesdisplayVelmora/demo/p" + QByteArray::number(i) + ".jpg", page);
        MessageBoxRecorder boxes;
        Harness h;
        h.main->guides().reader().setContentServer(server.hostPort());
        QVERIFY(h.showAndStart());
        h.main->btnDocument_Click();
        auto* guideTypes = h.main->guides().docCategories();
        guideTypes->setCurrentIndex(guideTypes->findText("Coder"));
        emit guideTypes->activated(guideTypes->currentIndex());
        QTest::mouseClick(h.doors("ButtonEx12"), Qt::LeftButton);

        const GuideReader& reader = h.main->guides().reader();
        QTRY_VERIFY_WITH_TIMEOUT(reader.pages(GuideType::Coder).count() == 2000 &&
                                     !reader.downloader()->isWorking(),
                                 120000);
        QCOMPARE(server.requests().size(), 2001);
        QStringList shown;
        for (const MessageBoxRequest& box : boxes.boxes())
            shown << box.text.mid(6, 6);
        QStringList expected;
        for (int i = 0; i < 3; ++i)
            expected += codes;
        QCOMPARE(shown, expected);

        QWidget* exit = h.control("ButtonEx1");
        QVERIFY(exit->isVisible());
        QTest::mouseClick(exit, Qt::LeftButton);
        QTRY_COMPARE(h.ended, 1);
    }
};

QTEST_MAIN(tst_Main)
#include "tst_Main.moc"
