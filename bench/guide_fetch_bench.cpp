// Fetch time and peak memory of a whole guide against a real HTTP server on
// loopback, for the clients in alternating runs: curl making the same
// sequential HTTP/1.0 requests in one process, the floor (a fresh process
// that allocates and touches the guide's page sizes with plain malloc, as a
// client that keeps every page must at least), the page download client
// alone, the program's own path in this process (the guides section loading
// the guide: downloader, page store, progress and labels, page viewer), and
// the built program itself on a virtual X display of the bench's own,
// driven by real input ("Coder", "&Load").  Each run is timed from the
// server's own log (first request's start to last response's end), the
// in-process ones also by this process's clock.  Two guides of different
// page sizes are fetched in turn, each from a server of its own.  The
// in-process path also times the Load click (the handler's entry) to the
// first page painted, beside the index's and the first page's transfer.
// Prints figures; it is not a test.
//
//   bench_guide_fetch [--pages N] [--port P] [--runs R] [--work DIR]
//                     [--display :N] [--qualities Q1,Q2]
//                     [--clients curl,floor,client,path,binary]
//
// Generates a guide of N pages per JPEG quality with velmora_demo_gen
// (85: about 490 KB a page, 65: about 270 KB), serves each with the demo server
// script (port P, P+1, ...), also standing in for the Coder guide, fetches
// it R times with each client (or those named, e.g. to profile one), stops
// the servers.  The in-process path runs
// on the bench's Xvnc display when it could be started.

#include "PageReceiver.h"
#include "frmDownload.h"
#include "guides/reader/PageViewer.h"

#include "BenchGuide.h"
#include "DesktopDriver.h"
#include "GuideSectionWindow.h"
#include "MessageBoxRecorder.h"
#include "ProcessMemory.h"
#include "ProgramStart.h"
#include "RunProgram.h"
#include "ServerLog.h"
#include "Stats.h"
#include "WaitUntil.h"
#include "XvncSession.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QThread>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

using namespace velmora;
using namespace velmora::bench;
using test::ProcessMemory;
using test::waitUntil;

namespace {

// Keeps every picture, as the main window's page store does.
class Store : public PageReceiver {
public:
    int expected = 0;
    int arrived = 0;
    QList<Picture> pages;
    void NumberOfPages(int lngTotalPages) override { expected = lngTotalPages; }
    void LoadPictureAtPage(int lngPageNumber, const Picture& picPage) override {
        if (lngPageNumber >= pages.size())
            pages.resize(lngPageNumber + 1);
        pages[lngPageNumber] = picPage;
        ++arrived;
    }
};

struct Timing {
    double serverSeconds = 0;
    double clockSeconds = 0;
    int requests = 0;
    bool complete = false;
};

// Times `run` from the server's log and the process clock.
Timing timed(ServerLog& log, int expectedRequests, const std::function<bool()>& run) {
    Timing timing;
    log.mark();
    QElapsedTimer clock;
    clock.start();
    timing.complete = run();
    timing.clockSeconds = clock.elapsed() / 1000.0;
    // nginx writes its line when the response has gone; give the last one
    // a moment to land.
    waitUntil([&] { return log.sinceMark().requests >= expectedRequests; });
    const ServerLog::Span span = log.sinceMark();
    timing.serverSeconds = span.seconds;
    timing.requests = span.requests;
    return timing;
}

bool fetchWithCurl(const QString& base, const QStringList& paths) {
    QTemporaryFile config;
    config.open();
    for (const QString& path : paths)
        config.write(
            QStringLiteral("url = \"%1%2\"\noutput = \"/dev/null\"\n").arg(base, path).toUtf8());
    config.flush();
    return runProgram(QStringLiteral("curl"), {"--http1.0", "-s", "-S", "-H", "Connection: close",
                                               "--config", config.fileName()});
}

// The floor's own process: allocates and touches each size of `sizesFile`
// (one a line) with plain malloc, keeps them all as a page store would, and
// prints the seconds that took.  A fresh process, so that every run meets
// fresh memory, as a program's first fetch does.
int floorStep(const char* sizesFile) {
    std::vector<size_t> sizes;
    if (FILE* file = std::fopen(sizesFile, "r")) {
        unsigned long long size = 0;
        while (std::fscanf(file, "%llu", &size) == 1)
            sizes.push_back(size_t(size));
        std::fclose(file);
    }
    std::vector<void*> kept;
    kept.reserve(sizes.size());
    const auto start = std::chrono::steady_clock::now();
    for (const size_t size : sizes) {
        void* bytes = std::malloc(size);
        if (bytes)
            std::memset(bytes, 1, size);
        kept.push_back(bytes);
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    for (void* bytes : kept)
        std::free(bytes);
    std::printf("%.6f\n", seconds.count());
    return kept.size() == sizes.size() ? 0 : 1;
}

Timing floorRun(const QString& sizesFile) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(), {"--floor", sizesFile});
    Timing timing;
    timing.complete = process.waitForFinished(60000) && process.exitCode() == 0;
    timing.clockSeconds = process.readAllStandardOutput().trimmed().toDouble();
    // The floor sits beside the server-log figures of the clients.
    timing.serverSeconds = timing.clockSeconds;
    return timing;
}

bool fetchWithClient(const QString& indexUrl, qint64& pageBytes) {
    Store store;
    frmDownload window;
    window.setGroupFileURL(indexUrl);
    window.setParentForm(&store);
    window.StartWorking();
    const bool done =
        waitUntil([&] { return store.expected > 0 && store.arrived == store.expected; });
    pageBytes = 0;
    for (const Picture& page : std::as_const(store.pages))
        pageBytes += page.bytes().size();
    return done;
}

/// From the Load click to the first page on screen, and the two transfers
/// that must come before it.
struct FirstPage {
    double clickToPaint = 0;
    double indexTransfer = 0;
    double firstPageTransfer = 0;
    double beyondTransfers() const { return clickToPaint - indexTransfer - firstPageTransfer; }
};

/// The guides section of the program, loading the Coder guide (the first
/// time with "&Load", then with "&Reload") from the server it is given.
class ProgramPath {
public:
    ProgramPath() : m_host(QString()) {
        GuideReader& reader = m_host.section().reader();
        QObject::connect(&reader, &GuideReader::pageStored, &m_host.window(),
                         [this](GuideType, int) { ++m_stored; });
        // The first paint of page 1's own picture on the Coder page surface.
        QObject::connect(&reader.viewer(GuideType::Coder)->surface(), &PageSurface::pageDrawn,
                         &m_host.window(), [this, &reader](const Picture& picture) {
                             const PageStore& store = reader.pages(GuideType::Coder);
                             if (m_paintSeconds < 0 && store.contains(0) &&
                                 picture.isSameAs(store.at(0)))
                                 m_paintSeconds = m_click.nsecsElapsed() / 1e9;
                         });
    }

    bool fetch(const QString& server, int pages) {
        m_host.section().reader().setContentServer(server);
        m_stored = 0;
        m_paintSeconds = -1;
        // The handler runs at once inside the press: its entry is now.
        m_click.start();
        if (m_loaded) {
            m_host.pressAccessKey(QStringLiteral("cmdReload"));
        } else {
            m_host.chooseGuide(QStringLiteral("Coder"));
            m_click.start();
            m_host.pressAccessKey(QStringLiteral("ButtonEx12"));
            m_loaded = true;
        }
        return waitUntil([&] { return m_stored == pages && m_paintSeconds >= 0; });
    }

    /// Seconds from the last click to page 1 painted; -1 when it was not.
    double paintSeconds() const { return m_paintSeconds; }

private:
    test::GuideSectionWindow m_host;
    QElapsedTimer m_click;
    double m_paintSeconds = -1;
    int m_stored = 0;
    bool m_loaded = false;
};

/// The built program on an X display: started for each run, the Coder
/// guide chosen and loaded by real input, ended once its pages are served.
class BuiltProgram {
public:
    BuiltProgram(QString program, QString display)
        : m_program(std::move(program)), m_display(std::move(display)) {}

    /// Starts the program against `server` and waits for its main window
    /// to hold the focus.
    bool start(const QString& server) {
        // The splash stays 2.5 s; Main then takes the focus.
        return test::startProgram(m_process,
                                  test::programEnvironment(m_display, m_home.path(), server),
                                  m_program) &&
               tour::DesktopDriver::waitUntilActive(QStringLiteral("Velmora package"), 20000);
    }

    bool load(ServerLog& log, int requests) {
        return tour::DesktopDriver::loadCoderGuide() &&
               waitUntil([&] { return log.sinceMark().requests >= requests; }, 60000);
    }

    void stop() { test::endProgram(m_process); }

private:
    QString m_program;
    QString m_display;
    QTemporaryDir m_home;
    QProcess m_process;
};

/// One guide of one page size: its server, its requests and every figure
/// taken on it.
struct GuideRuns {
    std::unique_ptr<BenchGuide> guide;
    std::unique_ptr<ServerLog> log;
    QString server;
    QStringList paths;
    QTemporaryFile sizes;
    qint64 pageBytes = 0;
    QList<Timing> curl, floor, client, path, binary;
    QList<FirstPage> firstPages;
    QList<double> residentAfterPathMb;

    int requests() const { return int(paths.size()); }
    QString base() const { return "http://" + server; }
};

bool prepareGuide(GuideRuns& runs) {
    BenchGuide& guide = *runs.guide;
    if (!guide.prepare() || !guide.standInForCoderGuide())
        return false;
    const QString indexPath = BenchGuide::indexPath();
    const QString indexDir = "/" + indexPath.left(indexPath.lastIndexOf('/') + 1);
    runs.paths = QStringList{"/" + indexPath};
    if (!runs.sizes.open())
        return false;
    for (const QString& page : guide.listedPages()) {
        runs.paths << indexDir + QString(page).replace(' ', "%20");
        const qint64 size = QFileInfo(guide.contentFolder() + indexDir + page).size();
        runs.pageBytes += size;
        runs.sizes.write(QByteArray::number(size) + '\n');
    }
    runs.sizes.flush();
    runs.server = "127.0.0.1:" + guide.port();
    runs.log = std::make_unique<ServerLog>(guide.timedLogPath());
    return guide.startServer();
}

double median(const QList<Timing>& runs) {
    QList<double> seconds;
    for (const Timing& run : runs)
        seconds << run.serverSeconds;
    return Stats(seconds).median();
}

// min / median / max as the server saw them, and the ratios of medians to
// curl and to curl + floor.  The process clock is left out for a client in
// another process, whose run this process's clock cannot frame.
void report(const char* name, const QList<Timing>& runs, double curl, double yardstick,
            bool ownClock = true) {
    if (runs.isEmpty())
        return;
    QList<double> server, clock;
    for (const Timing& run : runs) {
        server << run.serverSeconds;
        clock << run.clockSeconds;
    }
    const Stats stats(server);
    std::printf("  %-13s %.3f / %.3f / %.3f s (n=%lld)  %.2f x curl  %.2f x curl+floor", name,
                stats.min(), stats.median(), stats.max(), qlonglong(runs.size()),
                curl > 0 ? stats.median() / curl : 0.0,
                yardstick > 0 ? stats.median() / yardstick : 0.0);
    if (ownClock)
        std::printf("  (process clock median %.3f s)", Stats(clock).median());
    std::printf("\n");
}

void reportFirstPage(const QList<FirstPage>& runs) {
    QList<double> total, index, page, beyond;
    for (const FirstPage& run : runs) {
        total << run.clickToPaint * 1000;
        index << run.indexTransfer * 1000;
        page << run.firstPageTransfer * 1000;
        beyond << run.beyondTransfers() * 1000;
    }
    const auto line = [](const char* what, const QList<double>& ms) {
        const Stats stats(ms);
        std::printf("    %-38s %.1f / %.1f / %.1f ms\n", what, stats.min(), stats.median(),
                    stats.max());
    };
    std::printf("  Load click to page 1 painted (program path, min / median / max):\n");
    line("click (handler entry) to first paint", total);
    line("index transfer (server log)", index);
    line("first page transfer (server log)", page);
    line("beyond the two transfers", beyond);
}

void reportGuide(const GuideRuns& runs) {
    const int pages = runs.requests() - 1;
    std::printf("guide: %d pages of %.0f KB on average, %.1f MB of page files (JPEG quality %d)\n",
                pages, pages > 0 ? runs.pageBytes / 1000.0 / pages : 0.0,
                runs.pageBytes / 1048576.0, runs.guide->quality());
    const double curl = median(runs.curl);
    const double yardstick = curl + median(runs.floor);
    std::printf("  client        min / median / max, server log       against medians\n");
    report("curl", runs.curl, curl, yardstick, false);
    report("floor", runs.floor, curl, yardstick, false);
    std::printf("  %-13s %.3f s (sum of the medians)\n", "curl + floor", yardstick);
    report("frmDownload", runs.client, curl, yardstick);
    report("program", runs.path, curl, yardstick);
    report("VelmoraViewer", runs.binary, curl, yardstick, false);
    if (!runs.firstPages.isEmpty())
        reportFirstPage(runs.firstPages);
    if (!runs.residentAfterPathMb.isEmpty())
        std::printf("  resident after the program path's fetch: first %.1f MB, last reload "
                    "%.1f MB\n",
                    runs.residentAfterPathMb.first(), runs.residentAfterPathMb.last());
}

void warnIncomplete(int run, const GuideRuns& runs) {
    for (const auto* timings : {&runs.curl, &runs.client, &runs.path, &runs.binary}) {
        if (timings->isEmpty())
            continue;
        if (!timings->last().complete || timings->last().requests != runs.requests())
            std::fprintf(stderr, "bench: run %d incomplete (%d of %d requests)\n", run,
                         timings->last().requests, runs.requests());
    }
}

// The value of `--name` on the command line, read before the application
// exists (the display has to be chosen first).
QString earlyOption(int argc, char** argv, const char* name, const QString& fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0)
            return QString::fromLocal8Bit(argv[i + 1]);
    }
    return fallback;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--floor") == 0)
        return floorStep(argv[2]);
    // The built program and the in-process path both paint on a display of
    // the bench's own, started before the application that uses it.
    XvncSession xvnc(earlyOption(argc, argv, "--display", XvncSession::defaultDisplay()));
    if (xvnc.isRunning()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DISPLAY", xvnc.display().toLocal8Bit());
    } else {
        std::fprintf(stderr, "bench: no Xvnc on %s, the built program is left out\n",
                     qPrintable(xvnc.display()));
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addOptions(BenchGuide::options({QStringLiteral("18799"), QStringLiteral("3"),
                                            QStringLiteral("Runs of each client."),
                                            QStringLiteral("bench-guide")}));
    options.addOption({"display", "X display of the Xvnc the bench starts.", ":N",
                       XvncSession::defaultDisplay()});
    options.addOption({"qualities",
                       "JPEG quality of each guide's pages, comma separated (85: about 490 KB "
                       "a page, 65: about 270 KB).",
                       "list", "85,65"});
    options.addOption({"clients", "The clients to run, comma separated.", "list",
                       "curl,floor,client,path,binary"});
    options.process(app);

    std::vector<std::unique_ptr<GuideRuns>> guides;
    for (const QString& quality : options.value("qualities").split(',', Qt::SkipEmptyParts)) {
        auto runs = std::make_unique<GuideRuns>();
        runs->guide = std::make_unique<BenchGuide>(options, quality.toInt(), int(guides.size()));
        if (!prepareGuide(*runs))
            return 1;
        guides.push_back(std::move(runs));
    }

    // A box a failing fetch would show is counted instead of waited for.
    MessageBoxRecorder boxes;
    ProgramPath program;
    for (const auto& runs : guides)
        fetchWithCurl(runs->base(), runs->paths); // warms the server and the page cache
    BuiltProgram built(QCoreApplication::applicationDirPath() + "/VelmoraViewer", xvnc.display());

    const QStringList clients = options.value("clients").split(',', Qt::SkipEmptyParts);
    const auto wanted = [&](const char* client) { return clients.contains(QLatin1String(client)); };
    const ProcessMemory memory;
    memory.resetPeak();
    const qint64 baseKb = memory.residentKb();
    for (int i = 0; i < qMax(1, options.value("runs").toInt()); ++i) {
        for (const auto& each : guides) {
            GuideRuns& runs = *each;
            ServerLog& log = *runs.log;
            const int requests = runs.requests();
            if (wanted("curl"))
                runs.curl << timed(log, requests,
                                   [&] { return fetchWithCurl(runs.base(), runs.paths); });
            if (wanted("floor"))
                runs.floor << floorRun(runs.sizes.fileName());
            qint64 pageBytes = 0;
            if (wanted("client"))
                runs.client << timed(log, requests, [&] {
                    return fetchWithClient(runs.base() + runs.paths.first(), pageBytes);
                });
            if (wanted("path")) {
                runs.path << timed(log, requests,
                                   [&] { return program.fetch(runs.server, requests - 1); });
                const QList<ServerLog::Request> served = log.requestsSinceMark();
                if (served.size() >= 2 && program.paintSeconds() >= 0)
                    runs.firstPages << FirstPage{program.paintSeconds(), served.at(0).seconds(),
                                                 served.at(1).seconds()};
                runs.residentAfterPathMb << memory.residentKb() / 1024.0;
            }
            if (xvnc.isRunning() && wanted("binary")) {
                if (built.start(runs.server)) {
                    // Main loads its video lists as it comes up: not part of the guide.
                    QThread::msleep(1000);
                    runs.binary << timed(log, requests, [&] { return built.load(log, requests); });
                } else {
                    std::fprintf(stderr, "bench: the built program did not come up\n");
                }
                built.stop();
            }
            warnIncomplete(i + 1, runs);
        }
    }
    const qint64 peakKb = memory.peakKb();
    for (const auto& runs : guides)
        runs->guide->stopServer();

    for (const auto& runs : guides)
        reportGuide(*runs);
    std::printf("peak memory of this process: %.1f MB (%.1f MB before the runs)\n", peakKb / 1024.0,
                baseKb / 1024.0);
    std::printf("messages shown: %lld\n", qlonglong(boxes.count()));
    return 0;
}
