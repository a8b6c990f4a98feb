#include "app/display/WatcherTick.h"

#include <QTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::TickAction)

/// One tick of the focus watcher as a table: the program in front does
/// nothing, away gives the user's size back, back in front after a
/// give-back switches to 1024 x 768 again, and a focus only changing hands
/// between the program's own windows is still in front.
class tst_WatcherTick : public QObject {
    Q_OBJECT
private slots:
    void decision_data() {
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<bool>("restored");
        QTest::addColumn<bool>("handOver");
        QTest::addColumn<TickAction>("action");
        const TickAction none = TickAction::None;
        const TickAction giveBack = TickAction::GiveBackUsersSize;
        const TickAction design = TickAction::SwitchToDesignSize;
        // active, minimised, restored, hand-over pending
        QTest::newRow("in-front") << true << false << false << false << none;
        QTest::newRow("in-front-stray-hand-over") << true << false << false << true << none;
        QTest::newRow("back-after-give-back") << true << false << true << false << design;
        QTest::newRow("back-after-give-back-stray-hand-over")
            << true << false << true << true << design;
        QTest::newRow("minimised-in-front") << true << true << false << false << giveBack;
        QTest::newRow("minimised-in-front-hand-over") << true << true << false << true << giveBack;
        QTest::newRow("minimised-again") << true << true << true << false << giveBack;
        QTest::newRow("minimised-again-hand-over") << true << true << true << true << giveBack;
        QTest::newRow("other-program") << false << false << false << false << giveBack;
        QTest::newRow("other-program-again") << false << false << true << false << giveBack;
        QTest::newRow("hand-over") << false << false << false << true << none;
        QTest::newRow("hand-over-after-give-back") << false << false << true << true << none;
        QTest::newRow("minimised-away") << false << true << false << false << giveBack;
        QTest::newRow("minimised-away-again") << false << true << true << false << giveBack;
        QTest::newRow("minimised-during-hand-over") << false << true << false << true << giveBack;
        QTest::newRow("minimised-during-hand-over-again")
            << false << true << true << true << giveBack;
    }
    void decision() {
        QFETCH(bool, active);
        QFETCH(bool, minimised);
        QFETCH(bool, restored);
        QFETCH(bool, handOver);
        QFETCH(TickAction, action);
        WatchedState state;
        state.active = active;
        state.minimised = minimised;
        state.restored = restored;
        state.handOverPending = handOver;
        QCOMPARE(decideTick(state), action);
    }
};

QTEST_APPLESS_MAIN(tst_WatcherTick)
#include "tst_WatcherTick.moc"
