#include "MessageBoxRecorder.h"
#include "ReaderScreens.h"

#include "guides/GuideGlobals.h"
#include "platform/Configuration.h"

#include <QSignalSpy>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

// Reads each guide of the demo content server from its first page to its
// last through the reading screen's buttons, while the pages arrive.
class tst_GuideReaderDemo : public QObject {
    Q_OBJECT
private slots:
    void readsAWholeGuideWhileItArrives_data() {
        QTest::addColumn<QString>("guide");
        QTest::addColumn<GuideType>("type");
        QTest::newRow("coder") << "Coder" << GuideType::Coder;
        QTest::newRow("buyer") << "Buyer" << GuideType::Buyer;
    }
    void readsAWholeGuideWhileItArrives() {
        QFETCH(QString, guide);
        QFETCH(GuideType, type);
        g_CoderFetched = false;
        g_BuyerFetched = false;
        MessageBoxRecorder boxes;
        ReaderScreens s(Configuration::current().contentServer);
        GuideReader& reader = s.reader();
        const PageStore& pages = reader.pages(type);
        PageSurface& surface = reader.viewer(type)->surface();
        int arrivedAtFirstSight = -1;
        connect(&surface, &PageSurface::pageDrawn, this, [&] {
            if (arrivedAtFirstSight < 0)
                arrivedAtFirstSight = pages.count();
        });

        s.load(guide);
        QTRY_VERIFY_WITH_TIMEOUT(!s.shownPicture().isEmpty(), 20000);
        const int total = reader.totalPages();
        QVERIFY(total > 1);
        QTRY_VERIFY(arrivedAtFirstSight > 0);
        // Page 1 came up by itself before the guide was complete.
        QVERIFY2(arrivedAtFirstSight < total, qPrintable(QString::number(arrivedAtFirstSight)));

        for (int page = 1; page < total; ++page) {
            QTRY_VERIFY_WITH_TIMEOUT(s.enabled("cmdNextPage"), 20000);
            QSignalSpy drawn(&surface, &PageSurface::pageDrawn);
            QVERIFY(s.click("cmdNextPage"));
            QCOMPARE(reader.pageIndex(), page);
            QVERIFY(s.shownPicture().isSameAs(pages.at(page)));
            QVERIFY(!s.shownPicture().isEmpty());
            QCOMPARE(s.pageLabel(), QStringLiteral("Page %1/%2").arg(page + 1).arg(pages.count()));
            QVERIFY(drawn.wait());
        }
        QTRY_VERIFY(!s.fetchDisplayShown());
        QVERIFY(s.enabled("ButtonEx13"));
        QVERIFY(!s.enabled("cmdNextPage"));
        QCOMPARE(pages.count(), total);
        QCOMPARE(boxes.count(), 0);
    }
};

QTEST_MAIN(tst_GuideReaderDemo)
#include "tst_GuideReaderDemo.moc"
