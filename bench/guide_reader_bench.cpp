// The guide reader on the real guides section against the demo server:
// resident memory after a whole guide has arrived, the time from the
// arrival of the page the reader waits for to that page on screen, from
// "Ne&xt Page" to the next page on screen, and the longest stretch the
// event loop was blocked while pages arrived.  Prints figures; it is not a
// test.
//
//   bench_guide_reader [--pages N] [--port P] [--runs R] [--work DIR]
//
// Generates a guide of N A4 pages with velmora_demo_gen and serves it as the
// Coder guide with the demo server script.  Uses the offscreen platform
// unless DISPLAY is set.

#include "BenchGuide.h"
#include "GuideSectionWindow.h"
#include "MessageBoxRecorder.h"
#include "ProcessMemory.h"
#include "Stats.h"
#include "WaitUntil.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

using namespace velmora;
using namespace velmora::bench;
using test::ProcessMemory;
using test::waitUntil;

namespace {

void pause(int ms) {
    QElapsedTimer clock;
    clock.start();
    waitUntil([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

/// The longest gap between the ticks of a fast timer, less its interval:
/// how long the event loop was kept from running.
class LoopProbe : public QObject {
public:
    static constexpr int kIntervalMs = 1;
    LoopProbe() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kIntervalMs);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longestNs = qMax(m_longestNs, now - m_lastNs);
            m_lastNs = now;
        });
    }
    void start() {
        m_clock.start();
        m_lastNs = 0;
        m_longestNs = 0;
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    double longestBlockMs() const { return m_longestNs / 1e6 - kIntervalMs; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    qint64 m_longestNs = 0;
};

struct Figures {
    QList<double> arrivalToScreenMs;
    QList<double> nextWhileArrivingMs;
    QList<double> nextAfterwardsMs;
    double longestBlockMs = 0;
};

QString describe(const QList<double>& values) {
    const Stats stats(values);
    if (stats.isEmpty())
        return QStringLiteral("no samples");
    return QStringLiteral("median %1 ms, max %2 ms (%3 samples)")
        .arg(stats.median(), 0, 'f', 1)
        .arg(stats.max(), 0, 'f', 1)
        .arg(stats.count());
}

/// Drives the reader as a user does and times what reaches the screen.
class ReaderDriver : public QObject {
public:
    explicit ReaderDriver(const test::GuideSectionWindow& host)
        : m_host(host), m_reader(host.section().reader()),
          m_surface(m_reader.viewer(GuideType::Coder)->surface()) {
        m_clock.start();
        // The page the reader waits for starts its clock when it is stored.
        connect(&m_reader, &GuideReader::pageStored, this, [this](GuideType, int page) {
            if (m_awaiting && page == m_reader.pageIndex()) {
                m_awaiting = false;
                expect(pages().at(page));
            }
        });
        connect(&m_surface, &PageSurface::pageDrawn, this, [this](const Picture& picture) {
            if (m_expected.isEmpty() || !picture.isSameAs(m_expected))
                return;
            m_expected = Picture();
            m_drawnMs = (m_clock.nsecsElapsed() - m_startNs) / 1e6;
        });
    }

    const PageStore& pages() const { return m_reader.pages(GuideType::Coder); }

    /// Presses a button of a screen as its access key does.
    void press(const QString& name) { m_host.pressAccessKey(name); }

    /// Loads (or reloads) the Coder guide; the time from page 1's arrival
    /// to page 1 on screen, or -1.
    double loadAndWaitForPageOne(bool reload) {
        m_drawnMs = -1;
        m_awaiting = true;
        if (reload) {
            press(QStringLiteral("cmdReload"));
        } else {
            m_host.chooseGuide(QStringLiteral("Coder"));
            press(QStringLiteral("ButtonEx12"));
        }
        return waitForDrawn(60000);
    }

    /// "Ne&xt Page"; the time to the next page on screen, or -1.
    double next() {
        m_drawnMs = -1;
        expect(pages().at(m_reader.pageIndex() + 1));
        press(QStringLiteral("cmdNextPage"));
        return waitForDrawn(10000);
    }

    bool fetchDone(int total) const { return pages().count() == total && fetchEnded(); }

    /// No download runs: the guide arrived, or the download gave up.
    bool fetchEnded() const {
        const frmDownload* downloader = m_reader.downloader();
        return !downloader || !downloader->isWorking();
    }

private:
    void expect(const Picture& picture) {
        m_expected = picture;
        m_startNs = m_clock.nsecsElapsed();
    }

    double waitForDrawn(int timeoutMs) {
        return waitUntil([this] { return m_drawnMs >= 0; }, timeoutMs) ? m_drawnMs : -1;
    }

    const test::GuideSectionWindow& m_host;
    GuideReader& m_reader;
    PageSurface& m_surface;
    QElapsedTimer m_clock;
    bool m_awaiting = false;
    qint64 m_startNs = 0;
    Picture m_expected;
    double m_drawnMs = -1;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addOptions(BenchGuide::options(
        {QStringLiteral("18798"), QStringLiteral("5"),
         QStringLiteral("Loads of the guide (the first is measured for memory)."),
         QStringLiteral("bench-reader")}));
    options.process(app);
    BenchGuide guide(options);
    const int total = guide.pages();
    if (!guide.prepare() || !guide.standInForCoderGuide()) {
        std::fprintf(stderr, "bench: preparing the content failed\n");
        return 1;
    }
    if (!guide.startServer())
        return 1;

    // Any box ends up here: the run reports them instead of waiting for a click.
    MessageBoxRecorder boxes;
    test::GuideSectionWindow host("127.0.0.1:" + guide.port());
    pause(500);
    const ProcessMemory memory;
    const qint64 idleKb = memory.residentKb();

    ReaderDriver driver(host);
    Figures figures;
    LoopProbe probe;
    probe.start();
    figures.arrivalToScreenMs << driver.loadAndWaitForPageOne(false);
    // A reader turning pages as fast as they come.
    while (!driver.fetchDone(total)) {
        // A download that gave up would otherwise be waited for forever.
        if (driver.fetchEnded()) {
            std::fprintf(stderr, "bench: the download ended with %d of %d pages\n",
                         driver.pages().count(), total);
            break;
        }
        if (driver.pages().upperBound() > host.section().reader().pageIndex())
            figures.nextWhileArrivingMs << driver.next();
        else
            waitUntil(
                [&] {
                    return driver.pages().upperBound() > host.section().reader().pageIndex() ||
                           driver.fetchEnded();
                },
                10000);
    }
    probe.stop();
    figures.longestBlockMs = probe.longestBlockMs();
    pause(500); // the decodes of the last pages shown settle
    const qint64 fetchedKb = memory.residentKb();
    const qint64 pageBytes = driver.pages().byteSize();

    driver.press(QStringLiteral("cmdFirstPage"));
    pause(200);
    for (int page = 1; page < qMin(total, 31); ++page) {
        figures.nextAfterwardsMs << driver.next();
        pause(100);
    }
    for (int run = 1; run < guide.runs(); ++run) {
        figures.arrivalToScreenMs << driver.loadAndWaitForPageOne(true);
        if (!waitUntil([&] { return driver.fetchDone(total); }, 120000))
            std::fprintf(stderr, "bench: reload %d did not complete\n", run);
    }
    guide.stopServer();

    const double pageMb = pageBytes / 1048576.0;
    const double idleMb = idleKb / 1024.0;
    const double fetchedMb = fetchedKb / 1024.0;
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("guide: %d pages, %.1f MB of page files (%d arrived)\n", total, pageMb,
                driver.pages().count());
    std::printf("resident memory: idle %.1f MB, after the guide %.1f MB (growth %.1f MB = "
                "%.2f x page bytes; limit idle + 1.5 x = %.1f MB)\n",
                idleMb, fetchedMb, fetchedMb - idleMb, (fetchedMb - idleMb) / pageMb,
                idleMb + 1.5 * pageMb);
    std::printf("awaited page arrival -> on screen: %s\n",
                qPrintable(describe(figures.arrivalToScreenMs)));
    std::printf("Next Page -> on screen, while pages arrive: %s\n",
                qPrintable(describe(figures.nextWhileArrivingMs)));
    std::printf("Next Page -> on screen, guide complete: %s\n",
                qPrintable(describe(figures.nextAfterwardsMs)));
    std::printf("longest event-loop block while pages arrive: %.1f ms\n", figures.longestBlockMs);
    for (const MessageBoxRequest& box : boxes.boxes())
        std::fprintf(stderr, "bench: message \"%s\"\n", qPrintable(box.text));
    std::printf("messages shown: %d\n", boxes.count());
    return 0;
}
