#include "guides/reader/core/FetchProgress.h"
#include "guides/reader/core/GotoPageInput.h"
#include "guides/reader/core/ScrollRange.h"

#include <QTest>

using namespace velmora;

class tst_ReaderArithmetic : public QObject {
    Q_OBJECT
private slots:
    void progressOfFourPages() {
        FetchProgress progress;
        progress.toMinimum();
        QCOMPARE(progress.value(), 0.0);
        QList<double> seen;
        for (int page = 0; page < 4; ++page) {
            progress.step(); // the page controls refresh before the percentage
            progress.pageArrived(page, 4);
            seen << progress.value();
        }
        QCOMPARE(seen, (QList<double>{25, 50, 75, 100}));
    }

    void progressOfThreePagesTruncates() {
        FetchProgress progress;
        QList<double> seen;
        for (int page = 0; page < 3; ++page) {
            progress.pageArrived(page, 3);
            seen << progress.value();
        }
        QCOMPARE(seen, (QList<double>{33, 66, 100}));
    }

    void movesBetweenArrivalsAddSteps() {
        FetchProgress progress;
        progress.pageArrived(0, 10);
        progress.step();
        progress.step();
        QCOMPARE(progress.value(), 12.0);
        progress.pageArrived(1, 10);
        QCOMPARE(progress.value(), 20.0);
    }

    void valuesAboveTheBarAreRefused() {
        FetchProgress progress;
        progress.pageArrived(1, 2);
        QCOMPARE(progress.value(), 100.0);
        progress.step();
        QCOMPARE(progress.value(), 100.0);
        progress.reset();
        QCOMPARE(progress.value(), 0.0);
    }

    void unknownTotalLeavesTheBar() {
        FetchProgress progress;
        progress.step();
        progress.pageArrived(5, 0);
        QCOMPARE(progress.value(), 1.0);
    }

    void gotoText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<long long>("page");
        QTest::newRow("plain") << "3" << true << 3LL;
        QTest::newRow("blanks-around") << "  2 " << true << 2LL;
        QTest::newRow("half-to-even-down") << "2.5" << true << 2LL;
        QTest::newRow("half-to-even-up") << "3.5" << true << 4LL;
        QTest::newRow("zero") << "0" << true << 0LL;
        QTest::newRow("negative") << "-4" << true << -4LL;
        QTest::newRow("letters") << "abc" << false << 0LL;
        QTest::newRow("empty") << "" << false << 0LL;
        QTest::newRow("blank") << "   " << false << 0LL;
        QTest::newRow("number-then-text") << "3x" << false << 0LL;
        QTest::newRow("huge") << "1e300" << true << (long long)(2.0 * 2147483647);
        QTest::newRow("not-a-number") << "nan" << false << 0LL;
    }
    void gotoText() {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(long long, page);
        const auto result = GotoPageInput::pageNumber(text);
        QCOMPARE(result.has_value(), numeric);
        if (numeric)
            QCOMPARE(*result, page);
    }

    void scrollRanges_data() {
        QTest::addColumn<int>("surface");
        QTest::addColumn<int>("viewport");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("largeChange");
        QTest::addColumn<int>("smallChange");
        QTest::newRow("smaller-page") << 5000 << 8000 << false << 0 << 1 << 15;
        QTest::newRow("equal-page") << 8000 << 8000 << false << 0 << 1 << 15;
        QTest::newRow("tall-page") << 20000 << 8000 << true << 12000 << 8000 << 15;
        QTest::newRow("slightly-tall") << 9000 << 8000 << true << 1000 << 1000 << 15;
    }
    void scrollRanges() {
        QFETCH(int, surface);
        QFETCH(int, viewport);
        const ScrollRange range = ScrollRange::forExtents(surface, viewport);
        QTEST(range.enabled, "enabled");
        QTEST(range.max, "max");
        QTEST(range.largeChange, "largeChange");
        QTEST(range.smallChange, "smallChange");
        QCOMPARE(range.offsetFor(range.max), surface > viewport ? surface - viewport : 0);
    }

    void pagesBeyondTheBarsRangeStillScrollToTheEnd() {
        const ScrollRange range = ScrollRange::forExtents(100001, 8070);
        QVERIFY(range.enabled);
        QVERIFY(range.max <= ScrollRange::kBarLimit);
        QCOMPARE(range.offsetFor(range.max), 100001 - 8070);
        QVERIFY(range.offsetFor(1) > 0);
        QVERIFY(range.largeChange * range.unit <= 8070);
    }
};

QTEST_GUILESS_MAIN(tst_ReaderArithmetic)
#include "tst_ReaderArithmetic.moc"
