// A described line on the pixel grid: 15 twips to a pixel, halves rounded
// away from zero, and a box that holds both ends.

#include "platform/LineGeometry.h"

#include <QTest>

using namespace velmora;

class tst_LineGeometry : public QObject {
    Q_OBJECT
private slots:
    // A line of no length still takes a pixel, so that it shows.
    void aPointTakesOnePixel() {
        const LineGeometry point = LineGeometry::fromTwips(QLine(22, 38, 22, 38));
        QCOMPARE(point.box, QRect(1, 3, 1, 1));
        QCOMPARE(point.from, QPoint(0, 0));
        QCOMPARE(point.to, QPoint(0, 0));
    }

    void endsSnapIntoTheirBox_data() {
        QTest::addColumn<QLine>("twips");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QLine>("endsInBox");
        QTest::newRow("horizontal")
            << QLine(0, 2340, 8190, 2340) << QRect(0, 156, 547, 1) << QLine(0, 0, 546, 0);
        QTest::newRow("drawn-backwards")
            << QLine(300, 150, 0, 0) << QRect(0, 0, 21, 11) << QLine(20, 10, 0, 0);
        QTest::newRow("rounds-to-nearest")
            << QLine(7, 8, 22, 23) << QRect(0, 1, 2, 2) << QLine(0, 0, 1, 1);
        QTest::newRow("left-of-the-window")
            << QLine(-8, 0, 8, 0) << QRect(-1, 0, 3, 1) << QLine(0, 0, 2, 0);
    }
    void endsSnapIntoTheirBox() {
        QFETCH(QLine, twips);
        QFETCH(QRect, box);
        QFETCH(QLine, endsInBox);
        const LineGeometry line = LineGeometry::fromTwips(twips);
        QCOMPARE(line.box, box);
        QCOMPARE(QLine(line.from, line.to), endsInBox);
        QCOMPARE(line.designBox(),
                 QRect(box.x() * 15, box.y() * 15, box.width() * 15, box.height() * 15));
    }
};

QTEST_APPLESS_MAIN(tst_LineGeometry)
#include "tst_LineGeometry.moc"
