// What the program costs a user who starts it, and what its first browser
// adds, on a real X display with software GL: the program as built (light:
// the GL share context comes with the first browser) against the same
// program with the context made at start, alternating, in one run.  Prints
// figures; it is not a test.
//
//   bench_browser_start [--runs R] [--settle-ms MS] [--display :N] [--offscreen]
//                       [--baseline PROGRAM]
//
// --baseline adds a third column: another build of the program, such as the
// one before the light start, started in turn with the other two.
// It starts its own Xvnc on --display (never give it the display of a real
// session: the program switches its resolution).  --offscreen measures
// memory on Qt's offscreen platform instead, which loads no GL stack and
// has no windows to time.

#include "GlDriverMaps.h"
#include "ProcessMemory.h"
#include "ProgramStart.h"
#include "RunProgram.h"
#include "ScriptedHttpServer.h"
#include "Stats.h"
#include "XvncSession.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <X11/Xlib.h>

#include <cstdio>
#include <functional>
#include <optional>

#include <unistd.h>

using namespace velmora;
using namespace velmora::bench;
using test::ProcessMemory;
using test::ScriptedHttpServer;

namespace {

const QString kVideo = QStringLiteral("Benchvideo");
// The player page's background, which covers the browser once it is drawn.
const QRgb kPageColour = qRgb(0x2a, 0x6f, 0x4e);
// The first line of lstVideos on Main at the screen's top-left corner:
// fraVideo at (1852, 772) twips, lstVideos at (3315, 3645) within it.
const QPoint kFirstVideoLine((1852 + 3315) / 15 + 60, (772 + 3645) / 15 + 7);

// Lets the content server answer for `ms`.
void serveFor(qint64 ms) {
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(int(ms), &loop, &QEventLoop::quit);
    loop.exec();
}

struct StartFigures {
    double firstWindowMs = -1;
    qint64 residentKb = -1;
    qint64 proportionalKb = -1;
    QStringList glDriver;
    double browserMs = -1;
    qint64 browserResidentKb = -1;
    qint64 browserProportionalKb = -1;
    QString failure;
};

// The top-level windows mapped on the display, as the window manager frames
// them; the bench's own application maps none.
class MapWatcher {
public:
    explicit MapWatcher(const QByteArray& display) : m_display(XOpenDisplay(display.constData())) {
        if (m_display)
            XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
    }
    ~MapWatcher() {
        if (m_display)
            XCloseDisplay(m_display);
    }
    MapWatcher(const MapWatcher&) = delete;
    MapWatcher& operator=(const MapWatcher&) = delete;

    bool isOpen() const { return m_display != nullptr; }
    void forgetPending() {
        XSync(m_display, False);
        while (XPending(m_display)) {
            XEvent event;
            XNextEvent(m_display, &event);
        }
    }
    /// The geometry of the next window mapped within `timeoutMs`.
    std::optional<QRect> nextMap(int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            while (XPending(m_display)) {
                XEvent event;
                XNextEvent(m_display, &event);
                if (event.type != MapNotify)
                    continue;
                XWindowAttributes attributes;
                if (XGetWindowAttributes(m_display, event.xmap.window, &attributes))
                    return QRect(attributes.x, attributes.y, attributes.width, attributes.height);
            }
            // The content server answers on this thread's event loop.
            QCoreApplication::processEvents();
            QThread::usleep(500);
        }
        return std::nullopt;
    }

private:
    Display* m_display;
};

QByteArray videoFile() {
    return "All[R]" + kVideo.toUtf8() + ".swf[R]";
}

QByteArray playerPage() {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n"
           "<!DOCTYPE html><html><head><title>" +
           kVideo.toUtf8() +
           "</title><style>html, body { margin: 0; background: #2a6f4e; color: #fff; "
           "font: 18px sans-serif; }</style></head><body><h1>" +
           kVideo.toUtf8() + "</h1><p>A page that stands for a player.</p></body></html>";
}

void serveContent(ScriptedHttpServer& server) {
    for (const char* kind : {"buyer", "coder"}) {
        const QByteArray name = kind;
        const QByteArray list = ScriptedHttpServer::response("200 OK", videoFile());
        server.addReply("/VelmoraPackage/video" + name + ".txt", list);
        server.addReply("/VelmoraPackage/demo/video" + name + ".txt", list);
    }
    server.addReply("/displaypaidVideosVelmora/demo/Buyer/pmovie.php?fname=" + kVideo.toUtf8() +
                        ".swf",
                    playerPage());
}

int pixelsOfColour(const QImage& strip) {
    int count = 0;
    for (int x = 0; x < strip.width(); ++x)
        count += (strip.pixel(x, 0) & 0xffffff) == (kPageColour & 0xffffff);
    return count;
}

class StartBench {
public:
    StartBench(QString program, QString preload, QString display, QString server, int settleMs)
        : m_program(std::move(program)), m_preload(std::move(preload)),
          m_display(std::move(display)), m_server(std::move(server)), m_settleMs(settleMs) {}

    /// One start of `program` (the program as built when empty).
    StartFigures run(bool contextAtStart, const QString& program = {}) const;

private:
    QProcessEnvironment environment(const QString& home, bool contextAtStart) const;
    void openPlayer(StartFigures& figures, MapWatcher& maps, const QProcess& viewer) const;

    QString m_program;
    QString m_preload;
    QString m_display;
    QString m_server;
    int m_settleMs;
};

QProcessEnvironment StartBench::environment(const QString& home, bool contextAtStart) const {
    QProcessEnvironment env = test::programEnvironment(m_display, home, m_server);
    env.insert("VELMORA_WEB_SITE", m_server);
    env.remove("QTWEBENGINE_CHROMIUM_FLAGS");
    // As the run command does: the web engine's sandbox cannot run as root.
    if (geteuid() == 0)
        env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (contextAtStart)
        env.insert("LD_PRELOAD", m_preload);
    return env;
}

StartFigures StartBench::run(bool contextAtStart, const QString& program) const {
    StartFigures figures;
    QTemporaryDir home;
    // Start in the Videos section, whose list then holds the one video.
    QSettings(home.filePath("Velmora/settings.ini"), QSettings::IniFormat)
        .setValue("Package/Startup", "Videos");
    std::optional<MapWatcher> maps;
    if (!m_display.isEmpty()) {
        maps.emplace(m_display.toLocal8Bit());
        if (!maps->isOpen()) {
            figures.failure = "cannot open display " + m_display;
            return figures;
        }
        maps->forgetPending();
    }
    QProcess viewer;
    QElapsedTimer clock;
    clock.start();
    if (!test::startProgram(viewer, environment(home.path(), contextAtStart),
                            program.isEmpty() ? m_program : program)) {
        figures.failure = "the program did not start";
        return figures;
    }
    if (maps) {
        if (maps->nextMap(20000))
            figures.firstWindowMs = double(clock.nsecsElapsed()) / 1e6;
    }
    // The splash closes after 2.5 s; Main then loads its lists.
    serveFor(m_settleMs - clock.elapsed());
    if (viewer.state() != QProcess::Running) {
        figures.failure = QStringLiteral("the program ended (exit code %1)").arg(viewer.exitCode());
        return figures;
    }
    const ProcessMemory memory(viewer.processId());
    figures.residentKb = memory.residentKb();
    figures.proportionalKb = memory.proportionalKb();
    figures.glDriver = test::mappedGlDriverFiles(viewer.processId());
    if (maps)
        openPlayer(figures, *maps, viewer);
    test::endProgram(viewer);
    return figures;
}

// Double-clicks the video and waits until the player window shows its page.
void StartBench::openPlayer(StartFigures& figures, MapWatcher& maps, const QProcess& viewer) const {
    maps.forgetPending();
    QElapsedTimer clock;
    clock.start();
    QProcess::execute("xdotool", {"mousemove", QString::number(kFirstVideoLine.x()),
                                  QString::number(kFirstVideoLine.y()), "click", "--repeat", "2",
                                  "--delay", "80", "1"});
    const std::optional<QRect> player = maps.nextMap(20000);
    if (!player) {
        figures.failure = "no player window";
        return;
    }
    // One line across the browser, well inside it, read every 10 ms.
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect line(player->x() + 40, player->y() + 200, 900, 1);
    while (clock.elapsed() < 60000) {
        if (pixelsOfColour(screen->grabWindow(0, line.x(), line.y(), line.width(), 1).toImage()) >
            line.width() / 2) {
            figures.browserMs = double(clock.nsecsElapsed()) / 1e6;
            break;
        }
        serveFor(10);
    }
    if (figures.browserMs < 0)
        figures.failure = "the player page was not drawn within 60 s";
    const ProcessMemory memory(viewer.processId());
    figures.browserResidentKb = memory.residentKb();
    figures.browserProportionalKb = memory.proportionalKb();
}

QString medianMs(const QList<StartFigures>& runs, double StartFigures::*field) {
    QList<double> samples;
    QStringList all;
    for (const StartFigures& run : runs) {
        if (run.*field >= 0)
            samples << run.*field;
        all << (run.*field >= 0 ? QString::number(run.*field, 'f', 0) : QStringLiteral("-"));
    }
    if (samples.isEmpty())
        return QStringLiteral("-");
    return QStringLiteral("%1 (%2)").arg(Stats(samples).median(), 0, 'f', 0).arg(all.join(' '));
}

QString medianMiB(const QList<StartFigures>& runs, qint64 StartFigures::*field) {
    QList<double> samples;
    for (const StartFigures& run : runs)
        if (run.*field >= 0)
            samples << double(run.*field) / 1024;
    return samples.isEmpty() ? QStringLiteral("-")
                             : QString::number(Stats(samples).median(), 'f', 1);
}

struct Column {
    QString title;
    QList<StartFigures> runs;
};

void printRow(const char* what, const QList<Column>& columns,
              const std::function<QString(const QList<StartFigures>&)>& cell) {
    std::printf("  %-36s", what);
    for (const Column& column : columns)
        std::printf(" %-40s", qPrintable(cell(column.runs)));
    std::printf("\n");
}

double medianOf(const QList<StartFigures>& runs, double StartFigures::*field) {
    QList<double> samples;
    for (const StartFigures& run : runs)
        if (run.*field >= 0)
            samples << run.*field;
    return samples.isEmpty() ? -1 : Stats(samples).median();
}

// `figure` of the light start over that of `column`, when both were taken.
void printRatio(const char* what, const Column& light, const Column& column,
                double StartFigures::*field, const char* limit) {
    const double over = medianOf(column.runs, field);
    const double lightMedian = medianOf(light.runs, field);
    if (over > 0 && lightMedian >= 0)
        std::printf("  %s, light / %s: %.2f (%s)\n", what, qPrintable(column.title),
                    lightMedian / over, limit);
}

void printFigures(const QList<Column>& columns) {
    std::printf("  %-36s", "");
    for (const Column& column : columns)
        std::printf(" %-40s", qPrintable(column.title));
    std::printf("\n");
    const auto ms = [](double StartFigures::*field) {
        return [field](const QList<StartFigures>& runs) { return medianMs(runs, field); };
    };
    const auto mib = [](qint64 StartFigures::*field) {
        return [field](const QList<StartFigures>& runs) { return medianMiB(runs, field); };
    };
    printRow("first window, ms: median (runs)", columns, ms(&StartFigures::firstWindowMs));
    printRow("Main shown: resident MiB", columns, mib(&StartFigures::residentKb));
    printRow("Main shown: proportional MiB", columns, mib(&StartFigures::proportionalKb));
    printRow("Main shown: GL driver mapped", columns, [](const QList<StartFigures>& runs) {
        return runs.isEmpty() || runs.first().glDriver.isEmpty()
                   ? QStringLiteral("none")
                   : runs.first().glDriver.join(QStringLiteral(" "));
    });
    printRow("first player page drawn, ms", columns, ms(&StartFigures::browserMs));
    printRow("with the player: resident MiB", columns, mib(&StartFigures::browserResidentKb));
    printRow("with the player: proportional MiB", columns,
             mib(&StartFigures::browserProportionalKb));
    const Column& light = columns.at(1);
    for (const Column& column : columns) {
        if (&column == &light)
            continue;
        printRatio("first window", light, column, &StartFigures::firstWindowMs, "limit 0.6");
        printRatio("first player page", light, column, &StartFigures::browserMs, "limit 1.0");
    }
    for (const Column& column : columns)
        for (const StartFigures& run : column.runs)
            if (!run.failure.isEmpty())
                std::printf("  a run failed (%s): %s\n", qPrintable(column.title),
                            qPrintable(run.failure));
}

} // namespace

int main(int argc, char** argv) {
    QCommandLineParser options;
    options.addOptions({{"runs", "Starts of each kind, alternating.", "R", "3"},
                        {"settle-ms", "When after its start Main is measured.", "MS", "6000"},
                        {"display", "X display of the Xvnc the bench starts.", ":N",
                         XvncSession::defaultDisplay()},
                        {"offscreen", "Memory on the offscreen platform instead."},
                        {"baseline",
                         "Another build of the program (an earlier release, say), started "
                         "in turn with the others as it is, for a third column.",
                         "PROGRAM"}});
    options.addHelpOption();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    options.process(arguments);
    const bool offscreen = options.isSet("offscreen");
    const QString display = offscreen ? QString() : options.value("display");

    std::optional<XvncSession> xvnc;
    if (!offscreen) {
        xvnc.emplace(display);
        if (!xvnc->isRunning()) {
            std::printf("cannot start Xvnc on %s\n", qPrintable(display));
            return 1;
        }
        // The bench reads the screen of that display.
        qputenv("DISPLAY", display.toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    ScriptedHttpServer server;
    if (!server.listen()) {
        std::printf("cannot listen on loopback\n");
        return 1;
    }
    serveContent(server);
    const QString bin = QCoreApplication::applicationDirPath();
    const StartBench bench(QDir(bin).filePath("VelmoraViewer"),
                           QDir(bin).filePath("libvelmora_bench_share_at_start.so"), display,
                           server.hostPort(), options.value("settle-ms").toInt());
    QList<Column> columns{{QStringLiteral("GL context at start"), {}},
                          {QStringLiteral("light start (as built)"), {}}};
    const QString baseline = options.value("baseline");
    if (!baseline.isEmpty())
        columns << Column{QStringLiteral("baseline"), {}};
    const int runs = qMax(1, options.value("runs").toInt());
    for (int run = 0; run < runs; ++run) {
        columns[0].runs << bench.run(true);
        columns[1].runs << bench.run(false);
        if (!baseline.isEmpty())
            columns[2].runs << bench.run(false, baseline);
    }
    std::printf("VelmoraViewer on %s, %d starts of each kind, alternating\n",
                offscreen ? "the offscreen platform"
                          : qPrintable("Xvnc " + display + " (software GL)"),
                runs);
    if (!baseline.isEmpty())
        std::printf("baseline: %s\n", qPrintable(baseline));
    printFigures(columns);
    return 0;
}
