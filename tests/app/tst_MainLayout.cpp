#include "app/MainLayout.h"
#include "guides/reader/core/ViewerLayout.h"

#include <QTest>

using namespace velmora;

class tst_MainLayout : public QObject {
    Q_OBJECT
private slots:
    void viewerWidth_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("bar");
        QTest::addColumn<int>("width");
        QTest::newRow("design-window") << 15360 << 135 << 255 << 14700;
        QTest::newRow("least-window") << 2000 << 135 << 255 << 1340;
        QTest::newRow("viewport-at-edge") << 15360 << 0 << 255 << 15105;
    }
    void viewerWidth() {
        QFETCH(int, window);
        QFETCH(int, left);
        QFETCH(int, bar);
        QFETCH(int, width);
        QCOMPARE(viewerWidthFor(window, left, bar), width);
    }

    void viewerBarIsShorterThanItsViewport() {
        QCOMPARE(viewerBarHeightFor(8070), 8020);
        QCOMPARE(viewerBarHeightFor(50), 0);
    }

    void leastMainSize_data() {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<QSize>("clamped");
        QTest::newRow("design") << QSize(1024, 738) << QSize(1024, 738);
        QTest::newRow("too-narrow") << QSize(100, 738) << QSize(134, 738);
        QTest::newRow("too-low") << QSize(1024, 50) << QSize(1024, 134);
        QTest::newRow("both") << QSize(10, 10) << QSize(134, 134);
        // 133 pixels are 1995 twips, still below the least size.
        QTest::newRow("just-below") << QSize(133, 133) << QSize(134, 134);
        QTest::newRow("at-least") << QSize(134, 134) << QSize(134, 134);
        QTest::newRow("empty") << QSize(0, 0) << QSize(134, 134);
    }
    void leastMainSize() {
        QFETCH(QSize, pixels);
        QFETCH(QSize, clamped);
        QCOMPARE(clampedMainSize(pixels), clamped);
        QVERIFY(pixelsToTwips(clamped.width()) >= kMainMinimumTwips);
    }
};

QTEST_APPLESS_MAIN(tst_MainLayout)
#include "tst_MainLayout.moc"
