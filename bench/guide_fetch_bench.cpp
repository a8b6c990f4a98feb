// Fetch time and peak memory of a whole guide against a real HTTP server on
// loopback, for four clients in alternating runs: curl making the same
// sequential HTTP/1.0 requests in one process, the page download client
// alone, the program's own path in this process (the guides section loading
// the guide: downloader, page store, progress and labels, page viewer), and
// the built program itself on a virtual X display of the bench's own,
// driven by real input ("Coder", "&Load").  Each run is timed from the
// server's own log (first request's start to last response's end), the
// in-process ones also by this process's clock.  Prints figures; it is not
// a test.
//
//   bench_guide_fetch [--pages N] [--port P] [--runs R] [--work DIR]
//                     [--display :N]
//
// Generates a guide of N pages with velmora_demo_gen, serves it with the
// demo server script (also standing in for the Coder guide), fetches it R
// times with each client, stops the server.

#include "PageReceiver.h"
#include "frmDownload.h"
#include "guides/GuideSection.h"
#include "platform/MessageBoxService.h"

#include "BenchGuide.h"
#include "DesktopDriver.h"
#include "ProcessMemory.h"
#include "RunProgram.h"
#include "ServerLog.h"
#include "Stats.h"
#include "WaitUntil.h"
#include "XvncSession.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace velmora;
using namespace velmora::bench;

namespace {

// A box a failing fetch would show is counted instead of waited for.
class CountMessages : public MessageBoxService {
public:
    QStringList messages;
    QMessageBox::StandardButton show(const MessageBoxRequest& request) override {
        messages << request.text;
        return QMessageBox::Ok;
    }
};

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

/// The guides section of the program, loading the Coder guide (the first
/// time with "&Load", then with "&Reload").
class ProgramPath {
public:
    explicit ProgramPath(const QString& server) {
        m_window.resize(1024, 738);
        auto* fraDoors = new QWidget(&m_window);
        auto* fraGuide = new QWidget(&m_window);
        fraDoors->setGeometry(123, 51, 893, 679);
        fraGuide->setGeometry(fraDoors->geometry());
        fraGuide->hide();
        m_section = std::make_unique<GuideSection>(fraDoors, fraGuide);
        m_section->reader().setContentServer(server);
        QObject::connect(&m_section->reader(), &GuideReader::pageStored, &m_window,
                         [this](GuideType, int) { ++m_stored; });
        m_window.show();
    }

    bool fetch(int pages) {
        m_stored = 0;
        if (m_loaded) {
            press(QStringLiteral("cmdReload"));
        } else {
            QComboBox* selector = m_section->docCategories();
            selector->setCurrentIndex(selector->findText(QStringLiteral("Coder")));
            m_section->reader().cmbDocCategories_Click();
            press(QStringLiteral("ButtonEx12"));
            m_loaded = true;
        }
        return waitUntil([&] { return m_stored == pages; });
    }

private:
    void press(const QString& name) {
        QWidget* button = m_section->readerForm().control(name);
        if (!button)
            button = m_section->doorsForm().control(name);
        QMetaObject::invokeMethod(button, "AccessKeyPress");
    }

    QWidget m_window;
    std::unique_ptr<GuideSection> m_section;
    int m_stored = 0;
    bool m_loaded = false;
};

/// The built program on an X display: started for each run, the Coder
/// guide chosen and loaded by real input, ended once its pages are served.
class BuiltProgram {
public:
    BuiltProgram(QString program, QString display, QString server)
        : m_program(std::move(program)), m_display(std::move(display)),
          m_server(std::move(server)) {}

    /// Starts the program and waits for its main window to hold the focus.
    bool start() {
        m_process.setProcessEnvironment(
            bench::viewerEnvironment(m_home.path(), m_server, m_display));
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(m_program, {});
        // The splash stays 2.5 s; Main then takes the focus.
        return m_process.waitForStarted() &&
               tour::DesktopDriver::waitUntilActive(QStringLiteral("Velmora package"), 20000);
    }

    bool load(ServerLog& log, int requests) {
        return tour::DesktopDriver::loadCoderGuide() &&
               waitUntil([&] { return log.sinceMark().requests >= requests; }, 60000);
    }

    void stop() {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QString m_program;
    QString m_display;
    QString m_server;
    QTemporaryDir m_home;
    QProcess m_process;
};

// The process clock is left out for a client in another process, whose
// run this process's clock cannot frame.
void report(const char* name, const QList<Timing>& runs, double curlServer, bool ownClock = true) {
    QList<double> server, clock;
    for (const Timing& run : runs) {
        server << run.serverSeconds;
        clock << run.clockSeconds;
    }
    const double median = Stats(server).median();
    std::printf("%-13s server log %.3f s (median of %lld; %.2f x curl)", name, median,
                qlonglong(runs.size()), curlServer > 0 ? median / curlServer : 0.0);
    if (ownClock)
        std::printf(", process clock %.3f s", Stats(clock).median());
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addOptions(BenchGuide::options({QStringLiteral("18799"), QStringLiteral("3"),
                                            QStringLiteral("Runs of each client."),
                                            QStringLiteral("bench-guide")}));
    options.addOption({"display", "X display of the Xvnc the built program runs on.", ":N",
                       XvncSession::defaultDisplay()});
    options.process(app);
    BenchGuide guide(options);
    if (!guide.prepare() || !guide.standInForCoderGuide())
        return 1;
    const QString indexPath = BenchGuide::indexPath();
    const QString indexDir = "/" + indexPath.left(indexPath.lastIndexOf('/') + 1);
    QStringList paths{"/" + indexPath};
    for (const QString& page : guide.listedPages())
        paths << indexDir + QString(page).replace(' ', "%20");
    if (!guide.startServer())
        return 1;

    CountMessages boxes;
    MessageBoxService::install(&boxes);
    const QString server = "127.0.0.1:" + guide.port();
    const QString base = "http://" + server;
    const int requests = int(paths.size());
    ServerLog log(guide.timedLogPath());
    ProgramPath program(server);
    fetchWithCurl(base, paths); // warms the server and the page cache

    // The built program needs a display of its own; xdotool, started from
    // here, drives it there.
    XvncSession xvnc(options.value("display"));
    if (xvnc.isRunning())
        qputenv("DISPLAY", xvnc.display().toLocal8Bit());
    else
        std::fprintf(stderr, "bench: no Xvnc on %s, the built program is left out\n",
                     qPrintable(xvnc.display()));
    BuiltProgram built(QCoreApplication::applicationDirPath() + "/VelmoraViewer", xvnc.display(),
                       server);

    QList<Timing> curl, client, path, binary;
    qint64 pageBytes = 0;
    const ProcessMemory memory;
    memory.resetPeak();
    const qint64 baseKb = memory.residentKb();
    for (int i = 0; i < qMax(1, guide.runs()); ++i) {
        curl << timed(log, requests, [&] { return fetchWithCurl(base, paths); });
        client << timed(log, requests,
                        [&] { return fetchWithClient(base + paths.first(), pageBytes); });
        path << timed(log, requests, [&] { return program.fetch(requests - 1); });
        if (xvnc.isRunning()) {
            if (built.start()) {
                // Main loads its video lists as it comes up: not part of the guide.
                QThread::msleep(1000);
                binary << timed(log, requests, [&] { return built.load(log, requests); });
            } else {
                std::fprintf(stderr, "bench: the built program did not come up\n");
            }
            built.stop();
        }
        for (const auto* runs : {&curl, &client, &path, &binary}) {
            if (runs->isEmpty())
                continue;
            if (!runs->last().complete || runs->last().requests != requests)
                std::fprintf(stderr, "bench: run %d incomplete (%d of %d requests)\n", i + 1,
                             runs->last().requests, requests);
        }
    }
    const qint64 peakKb = memory.peakKb();
    guide.stopServer();
    MessageBoxService::install(nullptr);

    const double curlServer = [&] {
        QList<double> seconds;
        for (const Timing& run : std::as_const(curl))
            seconds << run.serverSeconds;
        return Stats(seconds).median();
    }();
    std::printf("guide: %d pages, %.1f MB of page files\n", requests - 1, pageBytes / 1048576.0);
    report("curl", curl, curlServer);
    report("frmDownload", client, curlServer);
    report("program", path, curlServer);
    if (!binary.isEmpty())
        report("VelmoraViewer", binary, curlServer, false);
    std::printf("peak memory: %.1f MB (%.1f MB before the runs)\n", peakKb / 1024.0,
                baseKb / 1024.0);
    std::printf("messages shown: %lld\n", qlonglong(boxes.messages.size()));
    return 0;
}
