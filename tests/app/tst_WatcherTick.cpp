#include "app/display/WatcherTick.h"

#include <QTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::TickAction)

namespace {

// What a tick reads, as flags so that each table row names only what holds.
enum Reading { Away = 0, Active = 1, Minimised = 2, Restored = 4, HandOver = 8 };

WatchedState reading(int flags) {
    WatchedState state;
    state.active = flags & Active;
    state.minimised = flags & Minimised;
    state.restored = flags & Restored;
    state.handOverPending = flags & HandOver;
    return state;
}

} // namespace

/// One tick of the focus watcher as a table: the program in front does
/// nothing, away gives the user's size back, back in front after a
/// give-back switches to 1024 x 768 again, and a focus only changing hands
/// between the program's own windows is still in front.
class tst_WatcherTick : public QObject {
    Q_OBJECT
private slots:
    void decision_data() {
        QTest::addColumn<int>("reads");
        QTest::addColumn<TickAction>("action");
        const TickAction none = TickAction::None;
        const TickAction giveBack = TickAction::GiveBackUsersSize;
        const TickAction design = TickAction::SwitchToDesignSize;
        QTest::newRow("in-front") << int(Active) << none;
        QTest::newRow("in-front-stray-hand-over") << (Active | HandOver) << none;
        QTest::newRow("back-after-give-back") << (Active | Restored) << design;
        QTest::newRow("back-after-give-back-stray-hand-over")
            << (Active | Restored | HandOver) << design;
        QTest::newRow("minimised-in-front") << (Active | Minimised) << giveBack;
        QTest::newRow("minimised-in-front-hand-over")
            << (Active | Minimised | HandOver) << giveBack;
        QTest::newRow("minimised-again") << (Active | Minimised | Restored) << giveBack;
        QTest::newRow("minimised-again-hand-over")
            << (Active | Minimised | Restored | HandOver) << giveBack;
        QTest::newRow("other-program") << int(Away) << giveBack;
        QTest::newRow("other-program-again") << int(Restored) << giveBack;
        QTest::newRow("hand-over") << int(HandOver) << none;
        QTest::newRow("hand-over-after-give-back") << (Restored | HandOver) << none;
        QTest::newRow("minimised-away") << int(Minimised) << giveBack;
        QTest::newRow("minimised-away-again") << (Minimised | Restored) << giveBack;
        QTest::newRow("minimised-during-hand-over") << (Minimised | HandOver) << giveBack;
        QTest::newRow("minimised-during-hand-over-again")
            << (Minimised | Restored | HandOver) << giveBack;
    }
    void decision() {
        QFETCH(int, reads);
        QFETCH(TickAction, action);
        QCOMPARE(decideTick(reading(reads)), action);
    }
};

QTEST_APPLESS_MAIN(tst_WatcherTick)
#include "tst_WatcherTick.moc"
