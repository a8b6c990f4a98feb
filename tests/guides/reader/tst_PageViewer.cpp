#include "BrokenJpeg.h"
#include "TestImages.h"

#include "guides/reader/core/DecodedPageCache.h"
#include "guides/reader/PageViewer.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using namespace velmora;
using namespace velmora::test;

namespace {

bool near(QColor actual, QColor expected) {
    constexpr int kTolerance = 12;
    return qAbs(actual.red() - expected.red()) <= kTolerance &&
           qAbs(actual.green() - expected.green()) <= kTolerance &&
           qAbs(actual.blue() - expected.blue()) <= kTolerance;
}

/// A viewport with its page surface and two bars in a shown window, as the
/// reading screen lays out one viewer.
struct ViewerWindow {
    QWidget window;
    QWidget* viewport = new QWidget(&window);
    QWidget* surface = new QWidget(viewport);
    QScrollBar* horizontal = new QScrollBar(Qt::Horizontal, &window);
    QScrollBar* vertical = new QScrollBar(Qt::Vertical, &window);
    DecodedPageCache cache;
    std::unique_ptr<PageViewer> viewer;

    ViewerWindow(QSize viewportSize, bool withHorizontal = true) {
        window.resize(viewportSize + QSize(40, 40));
        viewport->setGeometry(QRect(QPoint(0, 0), viewportSize));
        surface->setAutoFillBackground(true);
        // As the window loader makes them: no range until a page is shown.
        horizontal->setRange(0, 0);
        vertical->setRange(0, 0);
        horizontal->setGeometry(0, viewportSize.height(), viewportSize.width(), 16);
        vertical->setGeometry(viewportSize.width(), 0, 16, viewportSize.height());
        viewer = std::make_unique<PageViewer>(
            viewport, surface, withHorizontal ? horizontal : nullptr, vertical, cache);
        window.show();
    }

    /// Puts a page of `size` on the surface and ranges the bars.
    Picture showPage(QSize size) {
        const Picture page = PictureFromBytes(encodedImage(size));
        viewer->surface().setPicture(page);
        viewer->adjustBars(viewer->horizontalBar() != nullptr);
        return page;
    }

    void wheel(QPoint angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWheelEvent event(QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)), QPoint(), angle,
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        // Where a real wheel event ends up, as the page leaves it unused.
        QApplication::sendEvent(viewport, &event);
    }
};

} // namespace

class tst_PageViewer : public QObject {
    Q_OBJECT
private slots:
    void barsAreRangedInTwips_data() {
        QTest::addColumn<QSize>("page");
        QTest::addColumn<bool>("horizontalEnabled");
        QTest::addColumn<int>("horizontalMax");
        QTest::addColumn<bool>("verticalEnabled");
        QTest::addColumn<int>("verticalMax");
        QTest::addColumn<int>("verticalPage");
        QTest::newRow("page-inside-viewport") << QSize(300, 200) << false << 0 << false << 0 << 1;
        QTest::newRow("page-as-big-as-viewport")
            << QSize(400, 300) << false << 0 << false << 0 << 1;
        QTest::newRow("tall-page") << QSize(300, 1334) << false << 0 << true << 15510 << 4500;
        QTest::newRow("wide-and-tall") << QSize(500, 600) << true << 1500 << true << 4500 << 4500;
        QTest::newRow("one-pixel-over") << QSize(400, 301) << false << 0 << true << 15 << 15;
    }
    void barsAreRangedInTwips() {
        QFETCH(QSize, page);
        QFETCH(int, verticalPage);
        ViewerWindow w(QSize(400, 300));
        w.showPage(page);
        QCOMPARE(w.surface->size(), page);
        QTEST(w.horizontal->isEnabled(), "horizontalEnabled");
        QTEST(w.horizontal->maximum(), "horizontalMax");
        QTEST(w.vertical->isEnabled(), "verticalEnabled");
        QTEST(w.vertical->maximum(), "verticalMax");
        if (w.vertical->isEnabled()) {
            QCOMPARE(w.vertical->pageStep(), verticalPage);
            QCOMPARE(w.vertical->singleStep(), 15);
        }
    }

    void barsMoveThePage() {
        ViewerWindow w(QSize(400, 300));
        w.showPage(QSize(600, 900));
        w.vertical->setValue(150);
        QCOMPARE(w.surface->pos(), QPoint(0, -10));
        w.horizontal->setValue(300);
        QCOMPARE(w.surface->pos(), QPoint(-20, -10));
        // Dragging the thumb moves the page as it goes.
        w.vertical->setSliderDown(true);
        w.vertical->setSliderPosition(w.vertical->maximum());
        QCOMPARE(w.surface->geometry().bottom(), w.viewport->height() - 1);
    }

    void pageBeyondTheBarsRangeStillScrollsToItsEnd() {
        ViewerWindow w(QSize(400, 300));
        w.showPage(QSize(400, 3000));
        QVERIFY(w.vertical->isEnabled());
        QVERIFY(w.vertical->maximum() <= 32767);
        w.vertical->setValue(w.vertical->maximum());
        QCOMPARE(w.surface->geometry().bottom(), w.viewport->height() - 1);
        w.vertical->setValue(w.vertical->maximum() / 2);
        QVERIFY(qAbs(w.surface->y() + 1350) <= 2);
    }

    void wheelScrollsThePage() {
        ViewerWindow w(QSize(400, 300));
        w.showPage(QSize(600, 900));
        const int notch = QApplication::wheelScrollLines() * 20;
        w.wheel(QPoint(0, -120));
        QCOMPARE(w.surface->y(), -notch);
        w.wheel(QPoint(0, 120));
        QCOMPARE(w.surface->y(), 0);
        w.wheel(QPoint(0, 120));
        QCOMPARE(w.surface->y(), 0);
        w.wheel(QPoint(0, -120), Qt::ShiftModifier);
        QCOMPARE(w.surface->pos(), QPoint(-notch, 0));
        for (int turn = 0; turn < 50; ++turn)
            w.wheel(QPoint(0, -120));
        QCOMPARE(w.surface->geometry().bottom(), w.viewport->height() - 1);
    }

    void wheelLeavesAPageThatFitsAlone() {
        ViewerWindow w(QSize(400, 300));
        w.showPage(QSize(300, 200));
        w.wheel(QPoint(0, -120));
        QCOMPARE(w.surface->pos(), QPoint(0, 0));
    }

    void viewerWithoutHorizontalBarClipsWidePages() {
        ViewerWindow w(QSize(400, 300), false);
        w.showPage(QSize(900, 600));
        QVERIFY(!w.horizontal->isEnabled() || w.horizontal->maximum() == 0);
        QVERIFY(w.vertical->isEnabled());
        w.wheel(QPoint(0, -120), Qt::ShiftModifier);
        QCOMPARE(w.surface->x(), 0);
    }

    void pageIsPaintedBeforeAndAfterItsWholeDecode() {
        ViewerWindow w(QSize(400, 300));
        const Picture page = w.showPage(QSize(600, 900));
        QSignalSpy drawn(&w.viewer->surface(), &PageSurface::pageDrawn);
        // Nothing decoded yet: the part on screen is decoded for the paint.
        QCOMPARE(w.cache.decodedCount(), 0);
        QVERIFY(near(w.viewport->grab().toImage().pixelColor(200, 150), Qt::darkCyan));
        QVERIFY(!drawn.isEmpty());
        QSignalSpy decoded(&w.cache, &DecodedPageCache::decoded);
        w.cache.keep({page});
        QVERIFY(decoded.wait());
        w.vertical->setValue(w.vertical->maximum());
        QVERIFY(near(w.viewport->grab().toImage().pixelColor(200, 290), Qt::darkCyan));
    }

    // Once its decode has failed, the page is the empty picture: painting
    // it decodes nothing more and puts nothing on the surface.
    void undecodablePageIsDrawnAsNothing() {
        ViewerWindow w(QSize(400, 300));
        w.surface->setPalette(QPalette(Qt::white));
        const Picture page = PictureFromBytes(jpegWithoutTables(QSize(600, 900)));
        w.viewer->surface().setPicture(page);
        QCOMPARE(w.surface->size(), QSize(600, 900));
        w.cache.keep({page});
        QTRY_COMPARE(w.cache.pendingCount(), 0);
        QVERIFY(page.isEmpty());
        QSignalSpy drawn(&w.viewer->surface(), &PageSurface::pageDrawn);
        const QImage shown = w.viewport->grab().toImage();
        QCOMPARE(drawn.count(), 0);
        QCOMPARE(shown.pixelColor(200, 150), QColor(Qt::white));
    }

    void printedTextGoesWithTheNextPicture() {
        ViewerWindow w(QSize(400, 300));
        w.surface->resize(400, 300);
        w.surface->setPalette(QPalette(Qt::white));
        PageSurface& surface = w.viewer->surface();
        surface.cls();
        surface.print(QStringLiteral("Loading page. Please wait..."));
        const QImage withText = w.surface->grab().toImage();
        const QImage blankBelow = withText.copy(0, 100, 400, 100);
        bool inked = false;
        for (int x = 0; x < 200 && !inked; ++x)
            for (int y = 0; y < 20 && !inked; ++y)
                inked = withText.pixelColor(x, y).lightness() < 128;
        QVERIFY(inked);
        // The empty picture keeps the surface's size.
        surface.setPicture(Picture());
        QVERIFY(surface.printedText().isEmpty());
        QCOMPARE(w.surface->size(), QSize(400, 300));
        QCOMPARE(w.surface->grab().toImage().copy(0, 0, 400, 100), blankBelow);
    }
};

QTEST_MAIN(tst_PageViewer)
#include "tst_PageViewer.moc"
