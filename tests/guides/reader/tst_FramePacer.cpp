// Controls paced to the display frame: nothing of theirs is painted while a
// frame holds them, and each is painted again, with its latest value, once
// the frame is over.

#include "guides/reader/FramePacer.h"

#include <QEvent>
#include <QProgressBar>
#include <QTest>

using namespace velmora;

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    int lastValue = -1;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            lastValue = static_cast<QProgressBar*>(watched)->value();
        }
        return false;
    }
};

} // namespace

class tst_FramePacer : public QObject {
    Q_OBJECT
private slots:
    void paintsOnceWithTheLatestValue();
};

void tst_FramePacer::paintsOnceWithTheLatestValue() {
    QProgressBar bar;
    bar.setRange(0, 100);
    bar.resize(400, 20);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QCoreApplication::processEvents();
    PaintCounter counter;
    bar.installEventFilter(&counter);
    FramePacer pacer;
    pacer.setControls({&bar, nullptr});

    pacer.hold();
    // A progress bar repaints at once on each visible step: held, it does not.
    for (int value = 1; value <= 50; ++value)
        bar.setValue(value);
    QCOMPARE(counter.paints, 0);
    QCOMPARE(bar.value(), 50);
    QTRY_VERIFY(!pacer.isHolding());
    QTRY_VERIFY(counter.paints >= 1);
    QCOMPARE(counter.lastValue, 50);
    QVERIFY(bar.updatesEnabled());
}

QTEST_MAIN(tst_FramePacer)
#include "tst_FramePacer.moc"
