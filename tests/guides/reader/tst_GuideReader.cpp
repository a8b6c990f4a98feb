#include "MessageBoxRecorder.h"
#include "ReaderScreens.h"
#include "ScriptedHttpServer.h"
#include "TestImages.h"

#include "guides/GuideGlobals.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace velmora;
using namespace velmora::test;

namespace {

const QByteArray kCoderIndex = "/guidesdisplayVelmora/demo/testdoc.txt";
const QByteArray kBuyerIndex = "/guidesdisplayVelmora/demo/testdoc2.txt";
const QStringList kPageButtons = {"cmdFirstPage", "cmdPrevPage", "cmdNextPage", "cmdLastPage",
                                  "cmdGotoPage"};

// Page i of a test guide is `base` + 10 i pixels wide, so the page on
// screen can be told by the size of its surface.
QList<QByteArray> guidePages(int count, int base) {
    QList<QByteArray> pages;
    for (int page = 0; page < count; ++page)
        pages << encodedImage(QSize(base + 10 * page, base + 40));
    return pages;
}

constexpr int kCoderBase = 200;
constexpr int kBuyerBase = 300;

int coderWidth(int page) {
    return kCoderBase + 10 * page;
}

int indexRequests(const ScriptedHttpServer& server, const QByteArray& index) {
    return int(server.requestedPaths().count(index));
}

} // namespace

class tst_GuideReader : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedHttpServer> m_server;
    std::unique_ptr<MessageBoxRecorder> m_boxes;

    /// Screens on a server with a Coder guide of `coderPages` and a Buyer
    /// guide of `buyerPages` pages, none let out yet.
    std::unique_ptr<ReaderScreens> screens(int coderPages, int buyerPages = 3) {
        m_server->addGuide(kCoderIndex, guidePages(coderPages, kCoderBase));
        m_server->addGuide(kBuyerIndex, guidePages(buyerPages, kBuyerBase));
        return std::make_unique<ReaderScreens>(m_server->hostPort());
    }

    /// Waits until the fetch has read its index and asks for a page.
    bool waitForPageRequest() {
        return QTest::qWaitFor([this] { return m_server->waitingCount() == 1; }, 10000);
    }

    /// Runs the event loop until a load's fetch would have started: the
    /// starter a Load arms fires before a one-shot of the same 1 ms armed
    /// after it.  True when that one-shot came.
    static bool starterHadItsTurn() {
        QObject context;
        bool fired = false;
        QTimer::singleShot(1, &context, [&fired] { fired = true; });
        return QTest::qWaitFor([&fired] { return fired; }, 10000);
    }

    /// Lets pages out until `count` of them have arrived.
    bool arrive(ReaderScreens& s, GuideType type, int count) {
        m_server->release(count - s.reader().pages(type).count());
        return QTest::qWaitFor([&] { return s.reader().pages(type).count() == count; }, 10000);
    }

private slots:
    void init() {
        g_CoderFetched = false;
        g_BuyerFetched = false;
        m_server = std::make_unique<ScriptedHttpServer>();
        QVERIFY(m_server->listen());
        m_boxes = std::make_unique<MessageBoxRecorder>();
    }
    void cleanup() {
        m_boxes.reset();
        m_server.reset();
    }

    void loadWithNothingSelectedAsksForAGuide() {
        auto s = screens(2);
        QVERIFY(s->click("ButtonEx12"));
        QCOMPARE(m_boxes->count(), 1);
        QCOMPARE(m_boxes->last().text, QStringLiteral("Please select a guide type from the list."));
        QCOMPARE(m_boxes->last().title, QStringLiteral("Guide type..."));
        QCOMPARE(m_boxes->last().icon, QMessageBox::Information);
        QCOMPARE(m_boxes->last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(!s->readingScreenInFront());
        QVERIFY(m_server->requestedPaths().isEmpty());
    }

    void selectorShowsTheGuidesDescription() {
        auto s = screens(2);
        s->selectGuide("Coder");
        QCOMPARE(s->control<QLabel>("Label21")->text(),
                 QStringLiteral("Currently selected: Coder's Guide"));
        QVERIFY(s->control("Label17")->isVisible());
        QVERIFY(s->control("Label18")->isVisible());
        QVERIFY(!s->control("Label15")->isVisible());
        s->selectGuide("Buyer");
        QCOMPARE(s->control<QLabel>("Label21")->text(),
                 QStringLiteral("Currently selected: Buyer's Guide"));
        QVERIFY(s->control("Label15")->isVisible());
        QVERIFY(!s->control("Label18")->isVisible());
    }

    void firstLoadShowsLoadingThenPageOneByItself() {
        auto s = screens(3);
        s->load("Coder");
        QVERIFY(s->readingScreenInFront());
        QCOMPARE(s->control<QLabel>("Label14")->text(),
                 QStringLiteral("Currently viewing: Coder's Guide"));
        const PageSurface& surface = s->reader().viewer(GuideType::Coder)->surface();
        QCOMPARE(surface.printedText(), QStringList{"Loading page. Please wait..."});
        QCOMPARE(surface.widget()->font().family(), QStringLiteral("Arial"));
        QVERIFY(surface.widget()->font().bold());
        QCOMPARE(surface.widget()->font().pointSizeF(), 14.25);
        QVERIFY(surface.widget()->isVisible());
        QVERIFY(!s->control("picBuyer")->isVisible());
        QCOMPARE(s->pageLabel(), QStringLiteral("0/0"));
        for (const QString& button : kPageButtons)
            QVERIFY2(!s->enabled(button), qPrintable(button));
        QVERIFY(!s->enabled("ButtonEx13"));
        QVERIFY(s->fetchDisplayShown());
        QVERIFY(g_CoderFetched);
        QVERIFY(!g_BuyerFetched);

        QVERIFY(waitForPageRequest());
        QVERIFY(arrive(*s, GuideType::Coder, 1));
        QCOMPARE(s->shownPicture().width(), coderWidth(0));
        QCOMPARE(surface.widget()->width(), coderWidth(0));
        QVERIFY(surface.printedText().isEmpty());
        QCOMPARE(s->pageLabel(), QStringLiteral("Page 1/1"));
        QVERIFY(s->enabled("cmdFirstPage") && s->enabled("cmdLastPage") &&
                s->enabled("cmdGotoPage"));
        QVERIFY(!s->enabled("cmdPrevPage") && !s->enabled("cmdNextPage"));
    }

    void progressOfFourPages() {
        auto s = screens(4);
        s->load("Coder");
        QVERIFY(waitForPageRequest());
        QCOMPARE(s->progress(), 0);
        QList<int> seen;
        for (int page = 1; page <= 3; ++page) {
            QVERIFY(arrive(*s, GuideType::Coder, page));
            seen << s->progress();
            QVERIFY(s->fetchDisplayShown());
            QVERIFY(!s->enabled("ButtonEx13"));
        }
        QCOMPARE(seen, (QList<int>{25, 50, 75}));
        QVERIFY(arrive(*s, GuideType::Coder, 4));
        QCOMPARE(s->progress(), 100);
        QVERIFY(!s->fetchDisplayShown());
        QVERIFY(s->enabled("ButtonEx13"));
    }

    void progressOfThreePagesTruncates() {
        auto s = screens(3);
        s->load("Coder");
        QVERIFY(waitForPageRequest());
        QList<int> seen;
        for (int page = 1; page <= 3; ++page) {
            QVERIFY(arrive(*s, GuideType::Coder, page));
            seen << s->progress();
        }
        QCOMPARE(seen, (QList<int>{33, 66, 100}));
        QCOMPARE(s->reader().pages(GuideType::Coder).upperBound(), 2);
        QCOMPARE(s->reader().totalPages(), 3);
        QVERIFY(!s->fetchDisplayShown());
    }

    void movingWhilePagesArriveAddsToTheBar() {
        auto s = screens(10);
        s->load("Coder");
        QVERIFY(waitForPageRequest());
        QVERIFY(arrive(*s, GuideType::Coder, 3));
        QCOMPARE(s->progress(), 30);
        QVERIFY(s->click("cmdNextPage"));
        QVERIFY(s->click("cmdNextPage"));
        QCOMPARE(s->progress(), 32);
        QVERIFY(arrive(*s, GuideType::Coder, 4));
        QCOMPARE(s->progress(), 40);
    }

    void pageLabelCountsPagesArrived() {
        auto s = screens(10);
        s->load("Coder");
        QVERIFY(waitForPageRequest());
        QVERIFY(arrive(*s, GuideType::Coder, 3));
        QCOMPARE(s->pageLabel(), QStringLiteral("Page 1/3"));
        QVERIFY(!s->enabled("cmdPrevPage"));
        QVERIFY(s->enabled("cmdNextPage"));
        QVERIFY(s->click("cmdLastPage"));
        QCOMPARE(s->shownPicture().width(), coderWidth(2));
        QCOMPARE(s->pageLabel(), QStringLiteral("Page 3/3"));
        QVERIFY(!s->enabled("cmdNextPage"));
        QVERIFY(s->enabled("cmdPrevPage"));
        QVERIFY(arrive(*s, GuideType::Coder, 4));
        QCOMPARE(s->pageLabel(), QStringLiteral("Page 3/4"));
        QVERIFY(s->enabled("cmdNextPage"));
        // The arrival of another page leaves the page being read alone.
        QCOMPARE(s->shownPicture().width(), coderWidth(2));
        QVERIFY(s->click("cmdNextPage"));
        QCOMPARE(s->shownPicture().width(), coderWidth(3));
        QVERIFY(s->click("cmdPrevPage"));
        QVERIFY(s->click("cmdFirstPage"));
        QCOMPARE(s->shownPicture().width(), coderWidth(0));
        QCOMPARE(s->pageLabel(), QStringLiteral("Page 1/4"));
    }

    void goToChecksItsInput() {
        auto s = screens(10);
        s->load("Coder");
        QVERIFY(waitForPageRequest());
        QVERIFY(arrive(*s, GuideType::Coder, 3));
        auto* box = s->control<QLineEdit>("txtGotoPage");

        s->goTo("abc");
        QCOMPARE(m_boxes->count(), 1);
        QCOMPARE(m_boxes->last().text,
                 QStringLiteral("Invalid page number. Please enter a numeric value."));
        QCOMPARE(m_boxes->last().title, QStringLiteral("Invalid input..."));
        QCOMPARE(m_boxes->last().icon, QMessageBox::Warning);
        QCOMPARE(s->reader().pageIndex(), 0);
        QCOMPARE(box->selectedText(), QStringLiteral("abc"));

        s->goTo(" 2 ");
        QCOMPARE(m_boxes->count(), 1);
        QCOMPARE(s->shownPicture().width(), coderWidth(1));
        QCOMPARE(s->pageLabel(), QStringLiteral("Page 2/3"));
        QCOMPARE(box->selectedText(), QStringLiteral(" 2 "));
        QCOMPARE(s->reader().MinLimit(), 1);
        QCOMPARE(s->reader().MaxLimit(), 3);

        for (const QString& outside : {QStringLiteral("9"), QStringLiteral("0")}) {
            s->goTo(outside);
            QCOMPARE(m_boxes->last().text,
                     QStringLiteral("Available pages are from 1 to 3. Please enter value within "
                                    "this range."));
            QCOMPARE(m_boxes->last().title, QStringLiteral("Invalid Input"));
            QCOMPARE(m_boxes->last().icon, QMessageBox::Warning);
            QCOMPARE(box->text(), QStringLiteral("1"));
            QCOMPARE(s->shownPicture().width(), coderWidth(0));
            QCOMPARE(box->selectedText(), QStringLiteral("1"));
            QCOMPARE(QApplication::focusWidget(), box);
        }
        QCOMPARE(m_boxes->count(), 3);

        // Coming back to the box selects what it holds.
        s->control("cmdFirstPage")->setFocus();
        box->setText(QStringLiteral("12"));
        box->setFocus(Qt::OtherFocusReason);
        QCOMPARE(box->selectedText(), QStringLiteral("12"));
    }

    void buyerGuideHasItsOwnInputMessage() {
        auto s = screens(2, 2);
        m_server->releaseAll();
        s->load("Buyer");
        QTRY_COMPARE(s->reader().pages(GuideType::Buyer).count(), 2);
        s->goTo("two");
        QCOMPARE(m_boxes->count(), 1);
        QCOMPARE(m_boxes->last().text, QStringLiteral("Please enter numeric value."));
        QCOMPARE(m_boxes->last().title, QStringLiteral("Invalid Input"));
        QCOMPARE(m_boxes->last().icon, QMessageBox::Warning);
        QCOMPARE(s->reader().pageIndex(), 0);
    }

    void goToWithoutPagesOnlySelectsTheText() {
        auto s = screens(3);
        s->load("Coder");
        s->goTo("5");
        QCOMPARE(m_boxes->count(), 0);
        QCOMPARE(s->control<QLineEdit>("txtGotoPage")->selectedText(), QStringLiteral("5"));
        QCOMPARE(s->pageLabel(), QStringLiteral("0/0"));
    }

    void secondLoadShowsTheStoredPagesWithoutFetching() {
        auto s = screens(2);
        m_server->releaseAll();
        s->load("Coder");
        QTRY_VERIFY(!s->fetchDisplayShown());
        QVERIFY(s->click("cmdLastPage"));
        QVERIFY(s->click("ButtonEx13"));
        QVERIFY(!s->readingScreenInFront());
        const qsizetype requests = m_server->requestedPaths().size();
        const QPointer<frmDownload> lastFetch = s->reader().downloader();
        QVERIFY(lastFetch);

        QVERIFY(s->click("ButtonEx12"));
        QVERIFY(s->readingScreenInFront());
        QCOMPARE(s->shownPicture().width(), coderWidth(0));
        QCOMPARE(s->pageLabel(), QStringLiteral("Page 1/2"));
        QVERIFY(!s->fetchDisplayShown());
        QVERIFY(s->enabled("ButtonEx13"));
        // With pages to page through, "&First Page" takes the focus.
        QCOMPARE(QApplication::focusWidget(), s->control("cmdFirstPage"));
        // No fetch started: the last one's client is still the reader's.
        QVERIFY(starterHadItsTurn());
        QVERIFY(lastFetch);
        QCOMPARE(s->reader().downloader(), lastFetch.data());
        QCOMPARE(m_server->requestedPaths().size(), requests);
    }

    void loadingTheOtherGuideStopsTheRunningFetch() {
        auto s = screens(5, 3);
        s->load("Coder");
        QVERIFY(waitForPageRequest());
        QVERIFY(arrive(*s, GuideType::Coder, 2));
        QTRY_COMPARE(m_server->waitingCount(), 1);
        // The left panel's Guides switch brings the selection screen back
        // while "Back to guides" is disabled.
        s->fraDoors()->raise();
        s->load("Buyer");
        QTRY_COMPARE(m_server->droppedByClient(), 1);
        m_server->releaseAll();
        QTRY_COMPARE(s->reader().pages(GuideType::Buyer).count(), 3);
        QCOMPARE(s->reader().pages(GuideType::Coder).count(), 2);
        QCOMPARE(s->shownPicture().width(), kBuyerBase);

        QVERIFY(s->click("ButtonEx13"));
        const qsizetype requests = m_server->requestedPaths().size();
        const QPointer<frmDownload> buyerFetch = s->reader().downloader();
        QVERIFY(buyerFetch);
        s->load("Coder");
        QCOMPARE(s->pageLabel(), QStringLiteral("Page 1/2"));
        QCOMPARE(s->shownPicture().width(), coderWidth(0));
        // The stopped fetch is not taken up again.
        QVERIFY(starterHadItsTurn());
        QVERIFY(buyerFetch);
        QCOMPARE(s->reader().downloader(), buyerFetch.data());
        QCOMPARE(m_server->requestedPaths().size(), requests);
        QCOMPARE(s->reader().pages(GuideType::Coder).count(), 2);
    }

    void pagesGoToTheGuideBeingFetched() {
        auto s = screens(3, 3);
        s->load("Coder");
        QVERIFY(waitForPageRequest());
        s->fraDoors()->raise();
        s->selectGuide("Buyer");
        QVERIFY(arrive(*s, GuideType::Coder, 3));
        QVERIFY(!s->reader().pages(GuideType::Buyer).hasBounds());
        QCOMPARE(s->reader().viewer(GuideType::Buyer)->surface().picture().isEmpty(), true);
    }

    void reloadStartsTheFetchOver() {
        auto s = screens(4);
        s->load("Coder");
        QVERIFY(waitForPageRequest());
        QVERIFY(arrive(*s, GuideType::Coder, 2));
        QTRY_COMPARE(m_server->waitingCount(), 1);
        QCOMPARE(indexRequests(*m_server, kCoderIndex), 1);

        QCOMPARE(s->control("cmdReload")->toolTip(),
                 "Use this button if you wish to reload the pages of the guide again...");
        QVERIFY(s->click("cmdReload"));
        QVERIFY(!s->enabled("ButtonEx13"));
        QVERIFY(s->fetchDisplayShown());
        QVERIFY(g_CoderFetched);
        QTRY_COMPARE(indexRequests(*m_server, kCoderIndex), 2);
        QTRY_COMPARE(m_server->droppedByClient(), 1);
        // The new index empties the store; pages come again from the first.
        QTRY_VERIFY(!s->reader().pages(GuideType::Coder).hasBounds());
        QTRY_COMPARE(m_server->requestedPaths().last(),
                     QByteArray("/guidesdisplayVelmora/demo/testdoc/p01.jpg"));
        m_server->releaseAll();
        QTRY_COMPARE(s->reader().pages(GuideType::Coder).count(), 4);
        QCOMPARE(s->shownPicture().width(), coderWidth(0));
        QVERIFY(!s->fetchDisplayShown());
        QVERIFY(s->enabled("ButtonEx13"));
    }

    void tallPageScrollsInTwips() {
        m_server->addGuide(kCoderIndex, {encodedImage(QSize(1200, 1334))});
        m_server->releaseAll();
        ReaderScreens s(m_server->hostPort());
        s.load("Coder");
        QTRY_VERIFY(!s.reader().pages(GuideType::Coder).at(0).isEmpty());
        auto* viewport = s.control("picScrollArea");
        auto* vertical = s.control<QScrollBar>("vsbScroll");
        auto* horizontal = s.control<QScrollBar>("hsbScroll");
        const int excess = (1334 - viewport->height()) * 15;
        QVERIFY(vertical->isEnabled());
        QCOMPARE(vertical->maximum(), excess);
        QCOMPARE(vertical->pageStep(), viewport->height() * 15);
        QCOMPARE(vertical->singleStep(), 15);
        QVERIFY(horizontal->isEnabled());
        QCOMPARE(horizontal->maximum(), (1200 - viewport->width()) * 15);
        vertical->setValue(vertical->maximum());
        auto* surface = s.control("picJPEGViewer");
        QCOMPARE(surface->geometry().bottom(), viewport->height() - 1);
    }

    // Reading by keyboard goes through the paging buttons and the bars:
    // the label and the buttons follow, the go-to box keeps its own keys.
    void keyboardReading() {
        const QByteArray tall = encodedImage(QSize(1200, 1334));
        m_server->addGuide(kCoderIndex, {tall, tall, tall});
        m_server->releaseAll();
        ReaderScreens s(m_server->hostPort());
        s.load("Coder");
        QTRY_COMPARE(s.reader().pages(GuideType::Coder).count(), 3);
        s.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.window()));
        auto* vertical = s.control<QScrollBar>("vsbScroll");
        // A click on the page gives the reading screen the keys.
        QTest::mouseClick(s.control("picScrollArea"), Qt::LeftButton);
        QVERIFY(s.fraGuide()->isAncestorOf(QApplication::focusWidget()));
        const auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), k, m);
        };

        key(Qt::Key_Down);
        QCOMPARE(vertical->value(), vertical->singleStep());
        key(Qt::Key_PageDown);
        QCOMPARE(vertical->value(), vertical->singleStep() + vertical->pageStep());
        while (vertical->value() < vertical->maximum())
            key(Qt::Key_PageDown);
        QCOMPARE(s.pageLabel(), QStringLiteral("Page 1/3"));
        // At the bottom, Page Down turns the page.
        key(Qt::Key_PageDown);
        QCOMPARE(s.pageLabel(), QStringLiteral("Page 2/3"));
        QCOMPARE(vertical->value(), 0);
        // At the top, Page Up turns back.
        key(Qt::Key_PageUp);
        QCOMPARE(s.pageLabel(), QStringLiteral("Page 1/3"));
        QVERIFY(!s.enabled("cmdPrevPage"));
        key(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(s.pageLabel(), QStringLiteral("Page 3/3"));
        QVERIFY(!s.enabled("cmdNextPage"));
        QVERIFY(s.enabled("cmdPrevPage"));
        key(Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(s.pageLabel(), QStringLiteral("Page 1/3"));

        // In the go-to box the arrows move the cursor, not the page.
        auto* gotoPage = s.control<QLineEdit>("txtGotoPage");
        gotoPage->setFocus();
        gotoPage->setText(QStringLiteral("12"));
        gotoPage->setCursorPosition(2);
        const int scrolled = vertical->value();
        key(Qt::Key_Left);
        QCOMPARE(gotoPage->cursorPosition(), 1);
        QCOMPARE(vertical->value(), scrolled);
    }

    void buyerViewerScrollsOnlyVertically() {
        m_server->addGuide(kBuyerIndex, {encodedImage(QSize(1200, 900))});
        m_server->releaseAll();
        ReaderScreens s(m_server->hostPort());
        s.load("Buyer");
        QTRY_VERIFY(!s.reader().pages(GuideType::Buyer).at(0).isEmpty());
        auto* horizontal = s.control<QScrollBar>("hsbScroll");
        auto* vertical = s.control<QScrollBar>("vsBuyer");
        QVERIFY(vertical->isVisible());
        QVERIFY(vertical->isEnabled());
        QVERIFY(!s.control("vsbScroll")->isVisible());
        QCOMPARE(horizontal->maximum(), 0);
        QCOMPARE(s.control("picBuyerTwo")->width(), 1200);
        QCOMPARE(s.control("picBuyerTwo")->x(), 0);
    }
};

QTEST_MAIN(tst_GuideReader)
#include "tst_GuideReader.moc"
