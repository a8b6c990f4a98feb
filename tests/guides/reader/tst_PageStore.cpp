#include "TestImages.h"

#include "guides/reader/core/GuideType.h"
#include "guides/reader/core/PageStore.h"

#include <QTest>

using namespace velmora;
using namespace velmora::test;

class tst_PageStore : public QObject {
    Q_OBJECT
private slots:
    void newStoreHasNoBounds() {
        const PageStore store;
        QVERIFY(!store.hasBounds());
        QCOMPARE(store.upperBound(), -1);
        QCOMPARE(store.count(), 0);
        QVERIFY(store.at(0).isEmpty());
    }

    void arrivalsExtendTheBoundsAndKeepWhatIsHeld() {
        PageStore store;
        const Picture first = PictureFromBytes(encodedImage(QSize(10, 10)));
        const Picture third = PictureFromBytes(encodedImage(QSize(30, 10)));
        QVERIFY(store.store(0, first));
        QCOMPARE(store.upperBound(), 0);
        QVERIFY(store.store(2, third));
        QCOMPARE(store.upperBound(), 2);
        QVERIFY(store.at(0).isSameAs(first));
        QVERIFY(store.at(1).isEmpty());
        QVERIFY(store.at(2).isSameAs(third));
        // A page stored again replaces its slot only.
        QVERIFY(store.store(0, third));
        QCOMPARE(store.upperBound(), 2);
        QVERIFY(store.at(0).isSameAs(third));
        QCOMPARE(store.byteSize(), 2 * third.bytes().size());
    }

    void negativePageIsRefused() {
        PageStore store;
        QVERIFY(!store.store(-1, PictureFromBytes(encodedImage(QSize(10, 10)))));
        QVERIFY(!store.hasBounds());
        QVERIFY(store.at(-1).isEmpty());
    }

    void clearTakesTheBoundsAway() {
        PageStore store;
        store.store(3, Picture());
        QCOMPARE(store.count(), 4);
        store.clear();
        QVERIFY(!store.hasBounds());
    }

    void guideTypesAndTheirIndexes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("url");
        QTest::newRow("coder") << "Coder"
                               << "http://host:81/guidesdisplayVelmora/demo/testdoc.txt";
        QTest::newRow("buyer") << "Buyer"
                               << "http://host:81/guidesdisplayVelmora/demo/testdoc2.txt";
        QTest::newRow("case-matters") << "coder" << QString();
        QTest::newRow("nothing-chosen") << "" << QString();
        QTest::newRow("blank-around") << " Buyer" << QString();
    }
    void guideTypesAndTheirIndexes() {
        QFETCH(QString, text);
        QTEST(groupFileUrlFor(guideTypeFromText(text), QStringLiteral("host:81")), "url");
    }
};

QTEST_GUILESS_MAIN(tst_PageStore)
#include "tst_PageStore.moc"
