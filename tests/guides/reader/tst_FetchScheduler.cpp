// The reader's side of a fetch: when a download client starts and which one
// it replaces, and what the fetch display shows.  The starts go to a real
// server on loopback that takes each request and never answers, so every
// client started stays at work until it is replaced.

#include "MessageBoxRecorder.h"
#include "ScriptedHttpServer.h"
#include "guides/reader/FetchScheduler.h"
#include "platform/ControlEvents.h"
#include "platform/FormLoader.h"

#include <QPointer>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

using namespace velmora;
using namespace velmora::test;

namespace {

// The controls of the reading screen that the fetch drives.
const char* const kScreen = R"({
  "controls": [
    {"name": "ButtonEx13", "type": "ButtonEx", "geometry": [11205, 315, 1995, 690],
     "bag": {"caption": "Back to guides", "_extentx": 3519, "_extenty": 1217}},
    {"name": "lblFetchProgress", "type": "Label", "geometry": [135, 855, 1755, 210],
     "caption": "Fetching progress.... "},
    {"name": "Shape5", "type": "Shape", "geometry": [157, 1095, 13245, 315]},
    {"name": "prgFetching", "type": "ProgressBar", "geometry": [160, 1110, 13200, 285]}
  ]
})";

class NoPages : public PageReceiver {
public:
    void NumberOfPages(int) override { QFAIL("no index is ever answered"); }
    void LoadPictureAtPage(int, const Picture&) override { QFAIL("no page is ever answered"); }
};

GuideType guideNamed(const QString& name) {
    return name == QLatin1String("coder") ? GuideType::Coder : GuideType::Buyer;
}

struct Screen {
    QWidget root;
    Form form = FormLoader::loadFromJson(kScreen, &root);
    NoPages receiver;
    FetchScheduler scheduler{form, receiver};

    bool displayShown() const {
        return form.control(QStringLiteral("prgFetching"))->isVisibleTo(&root) &&
               form.control(QStringLiteral("lblFetchProgress"))->isVisibleTo(&root) &&
               form.control(QStringLiteral("Shape5"))->isVisibleTo(&root);
    }
    bool displayHidden() const {
        return !form.control(QStringLiteral("prgFetching"))->isVisibleTo(&root) &&
               !form.control(QStringLiteral("lblFetchProgress"))->isVisibleTo(&root) &&
               !form.control(QStringLiteral("Shape5"))->isVisibleTo(&root);
    }
};

} // namespace

Q_DECLARE_METATYPE(GuideType)

class tst_FetchScheduler : public QObject {
    Q_OBJECT

private slots:
    void starts_data();
    void starts();
    void display_data();
    void display();
};

// Steps: "arm <guide>" arms the starter for /<guide>/idx.txt; "turn" lets
// the event loop run until the armed start has asked the server.  Every
// row ends with a turn.
void tst_FetchScheduler::starts_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<QByteArray>>("requests");
    QTest::addColumn<GuideType>("fetchGuide");
    QTest::newRow("one-arming-one-start")
        << QStringList{"arm coder", "turn"} << QList<QByteArray>{"/coder/idx.txt"}
        << GuideType::Coder;
    QTest::newRow("two-armings-before-the-turn-start-the-last")
        << QStringList{"arm coder", "arm buyer", "turn"} << QList<QByteArray>{"/buyer/idx.txt"}
        << GuideType::Buyer;
    QTest::newRow("other-guide-replaces-the-running-fetch")
        << QStringList{"arm coder", "turn", "arm buyer", "turn"}
        << QList<QByteArray>{"/coder/idx.txt", "/buyer/idx.txt"} << GuideType::Buyer;
    QTest::newRow("reload-replaces-the-running-fetch")
        << QStringList{"arm coder", "turn", "arm coder", "turn"}
        << QList<QByteArray>{"/coder/idx.txt", "/coder/idx.txt"} << GuideType::Coder;
}

void tst_FetchScheduler::starts() {
    QFETCH(QStringList, steps);
    QFETCH(QList<QByteArray>, requests);
    QFETCH(GuideType, fetchGuide);
    ScriptedHttpServer server;
    QVERIFY(server.listen());
    for (const QByteArray path : {"/coder/idx.txt", "/buyer/idx.txt"})
        server.addReply(path, ScriptedHttpServer::Reply{{}, 0, true});
    MessageBoxRecorder boxes;
    Screen screen;
    QCOMPARE(screen.scheduler.fetchGuide(), GuideType::None);

    QList<QPointer<frmDownload>> started;
    QString armedUrl;
    for (const QString& step : steps) {
        if (step == QLatin1String("turn")) {
            QTRY_COMPARE(server.requests().size(), started.size() + 1);
            started << screen.scheduler.downloader();
            QCOMPARE(started.last()->GroupFileURL(), armedUrl);
            QCOMPARE(started.last()->ParentForm(), &screen.receiver);
            continue;
        }
        const QString guide = step.section(QLatin1Char(' '), 1);
        armedUrl = QStringLiteral("http://%1/%2/idx.txt").arg(server.hostPort(), guide);
        frmDownload* const before = screen.scheduler.downloader();
        const GuideType fetching = screen.scheduler.fetchGuide();
        screen.scheduler.arm(armedUrl, guideNamed(guide));
        // The start waits for the event loop: nothing changes inside arm,
        // and pages of a running fetch still go to its own guide.
        QCOMPARE(screen.scheduler.downloader(), before);
        QCOMPARE(screen.scheduler.fetchGuide(), fetching);
    }

    // One start per arming: a starter left running would start again
    // within a millisecond, so let a 1 ms timer of our own tick a while
    // before looking.
    int ticks = 0;
    QTimer clock;
    connect(&clock, &QTimer::timeout, this, [&ticks] { ++ticks; });
    clock.start(1);
    QTRY_VERIFY(ticks >= 20);
    QCOMPARE(server.requestedPaths(), requests);
    QCOMPARE(screen.scheduler.fetchGuide(), fetchGuide);
    // Only the last client started is left; the ones it replaced are gone.
    for (qsizetype i = 0; i < started.size(); ++i)
        QCOMPARE(started.at(i).isNull(), i + 1 < started.size());
    QCOMPARE(boxes.count(), 0);
}

// Steps: "run", "stop" (a fetch under way or over), "reset" (Load),
// "min" (the index was read), "step" (the page controls refreshed),
// "page N/T" (page N, 0-based, of T arrived).
void tst_FetchScheduler::display_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("bar");
    QTest::newRow("under-way") << QStringList{"stop", "run", "reset", "min"} << true << 0;
    QTest::newRow("over") << QStringList{"reset", "run", "stop"} << false << 0;
    QTest::newRow("page-1-of-3-truncates")
        << QStringList{"run", "reset", "min", "step", "page 0/3"} << true << 33;
    QTest::newRow("page-2-of-3-truncates")
        << QStringList{"run", "min", "page 0/3", "step", "page 1/3"} << true << 66;
    QTest::newRow("paging-while-fetching-adds-a-step")
        << QStringList{"run", "min", "step", "page 0/4", "step", "step"} << true << 27;
    QTest::newRow("last-page-sets-the-maximum")
        << QStringList{"run", "min", "page 2/3", "stop"} << false << 100;
    QTest::newRow("a-step-past-the-maximum-is-refused")
        << QStringList{"run", "page 1/2", "step"} << true << 100;
    QTest::newRow("load-again-resets") << QStringList{"page 1/2", "reset", "run"} << true << 0;
}

void tst_FetchScheduler::display() {
    QFETCH(QStringList, steps);
    QFETCH(bool, shown);
    QFETCH(int, bar);
    Screen screen;
    QWidget* const back = screen.form.control(QStringLiteral("ButtonEx13"));
    QVERIFY2(back, "the control library's button was not created");
    for (const QString& step : steps) {
        if (step == QLatin1String("run") || step == QLatin1String("stop"))
            screen.scheduler.setRunning(step == QLatin1String("run"));
        else if (step == QLatin1String("reset"))
            screen.scheduler.resetProgress();
        else if (step == QLatin1String("min"))
            screen.scheduler.progressToMinimum();
        else if (step == QLatin1String("step"))
            screen.scheduler.progressStep();
        else
            screen.scheduler.pageArrived(
                step.section(QLatin1Char(' '), 1).section('/', 0, 0).toInt(),
                step.section('/', 1).toInt());
    }
    QVERIFY(shown ? screen.displayShown() : screen.displayHidden());
    // "Back to guides" is off exactly while the fetch runs.
    QCOMPARE(buttonEnabled(back), !shown);
    QCOMPARE(screen.form.control<QProgressBar>(QStringLiteral("prgFetching"))->value(), bar);
    QCOMPARE(screen.scheduler.progressValue(), double(bar));
}

QTEST_MAIN(tst_FetchScheduler)
#include "tst_FetchScheduler.moc"
