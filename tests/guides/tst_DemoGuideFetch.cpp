#include "MessageBoxRecorder.h"
#include "frmDownload.h"
#include "platform/Configuration.h"

#include <QTest>

using namespace velmora;

namespace {

class PageList : public PageReceiver {
public:
    int announced = -1;
    QList<int> order;
    QList<Picture> pages;
    void NumberOfPages(int lngTotalPages) override { announced = lngTotalPages; }
    void LoadPictureAtPage(int lngPageNumber, const Picture& picPage) override {
        order << lngPageNumber;
        pages << picPage;
    }
};

} // namespace

// Both guides from the real demo server, the way the main window asks.
class tst_DemoGuideFetch : public QObject {
    Q_OBJECT

private slots:
    void wholeGuideArrivesInOrder_data();
    void wholeGuideArrivesInOrder();
};

void tst_DemoGuideFetch::wholeGuideArrivesInOrder_data() {
    QTest::addColumn<QString>("index");
    QTest::newRow("Coder") << QStringLiteral("testdoc.txt");
    QTest::newRow("Buyer") << QStringLiteral("testdoc2.txt");
}

void tst_DemoGuideFetch::wholeGuideArrivesInOrder() {
    QFETCH(QString, index);
    MessageBoxRecorder boxes;
    PageList receiver;
    frmDownload window;
    window.setGroupFileURL(QStringLiteral("http://%1/guidesdisplayVelmora/demo/%2")
                               .arg(Configuration::current().contentServer, index));
    window.setParentForm(&receiver);
    window.StartWorking();
    QTRY_VERIFY_WITH_TIMEOUT(!window.isWorking(), 60000);

    QCOMPARE(boxes.count(), 0);
    QVERIFY(receiver.announced >= 12);
    QCOMPARE(receiver.order.size(), receiver.announced);
    for (int i = 0; i < receiver.order.size(); ++i) {
        QCOMPARE(receiver.order.at(i), i);
        QCOMPARE(receiver.pages.at(i).size(), QSize(1240, 1754));
    }
    // Pages differ, and the last one decodes to what its header said.
    QVERIFY(receiver.pages.first().bytes() != receiver.pages.last().bytes());
    QCOMPARE(receiver.pages.last().toImage().size(), QSize(1240, 1754));
}

QTEST_MAIN(tst_DemoGuideFetch)
#include "tst_DemoGuideFetch.moc"
