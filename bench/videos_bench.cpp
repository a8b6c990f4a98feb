// Figures of the video library: a video file of many entries downloaded,
// split and shown; search keystrokes; CPU while a download waits on a slow
// server; resident memory of the program with its main window shown and no
// browser opened.  Prints figures; it is not a test.
//
//   bench_videos [--entries N] [--runs R] [--wait-ms MS] [--settle-ms MS] [--display :N]
//                [--offscreen]
//
// The memory figure runs the real VelmoraViewer beside this program on an
// Xvnc the bench starts on --display (never the display of a real session:
// the program switches its resolution), or on the offscreen platform when
// asked, which loads no GL stack and hides its cost.

#include "GlDriverMaps.h"
#include "ProcessMemory.h"
#include "ProgramStart.h"
#include "RunProgram.h"
#include "ScriptedHttpServer.h"
#include "Stats.h"
#include "XvncSession.h"
#include "videos/DataGateway.h"
#include "videos/DatabaseDriver.h"
#include "videos/VideoSection.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <optional>

using namespace velmora;
using namespace velmora::bench;
using test::ProcessMemory;
using test::ScriptedHttpServer;

namespace {

const QByteArray kBuyerVideos = "/VelmoraPackage/demo/videobuyer.txt";

// CPU time of this process, all threads.
double cpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

QStringList entryNames(int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("Lesson %1 on working with buyers and coders")
                     .arg(i, 5, 10, QLatin1Char('0'));
    return names;
}

QByteArray videoFile(const QStringList& names) {
    QByteArray list;
    for (const QString& name : names) {
        if (!list.isEmpty())
            list += "[C]";
        list += name.toUtf8() + ".swf";
    }
    return "All[R]" + list + "[R]First steps[R]" + names.first().toUtf8() + ".swf[R]";
}

void benchList(VideoSection& section, int entries, int runs) {
    auto* list = section.form().control<QListWidget>(QStringLiteral("lstVideos"));
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        section.LoadVideoList(QStringLiteral("Buyer"));
        // Until the list is laid out and painted the user sees nothing.
        list->scrollToBottom();
        list->viewport()->repaint();
        times << double(clock.nsecsElapsed()) / 1e6;
        if (list->count() != entries) {
            std::printf("list holds %d lines, expected %d\n", list->count(), entries);
            return;
        }
    }
    std::printf(
        "video file of %d entries (%lld bytes): download, split, fill and paint lstVideos\n",
        entries, qlonglong(videoFile(entryNames(entries)).size()));
    const Stats stats(times);
    std::printf("  best %.1f ms, median %.1f ms, worst %.1f ms over %d runs (limit 150 ms)\n",
                stats.min(), stats.median(), stats.max(), runs);
}

void benchSearch(VideoSection& section, const QStringList& names) {
    auto* search = qobject_cast<QLineEdit*>(section.searchBox());
    // Typing the last name scans the whole list at every keystroke; a text
    // that begins no line scans it all too.
    QList<double> times;
    const QString typed = names.last();
    search->clear();
    for (qsizetype i = 1; i <= typed.size(); ++i) {
        QElapsedTimer clock;
        clock.start();
        search->setText(typed.left(i));
        times << double(clock.nsecsElapsed()) / 1e6;
    }
    QElapsedTimer clock;
    clock.start();
    search->setText(QStringLiteral("no such video"));
    const double noMatch = double(clock.nsecsElapsed()) / 1e6;
    const auto worst = std::max_element(times.begin(), times.end());
    std::printf("search keystroke over %lld lines: median %.3f ms, worst %.3f ms (keystroke %lld "
                "of %lld); no match %.3f ms (limit 5 ms)\n",
                qlonglong(names.size()), Stats(times).median(), *worst,
                qlonglong(worst - times.begin() + 1), qlonglong(times.size()), noMatch);
}

// FetchText on a server that answers nothing until the request is cancelled;
// then a second FetchText issued while the first still runs, which waits
// for the gateway to become free.
void benchWait(ScriptedHttpServer& server, int waitMs) {
    struct NoHost : DatabaseDriver::Host {
        void enableControls(bool) override {}
        void showLoadingVideos() override {}
    } host;
    server.addReply("/slow.txt", ScriptedHttpServer::Reply{QByteArray(), 0, true});
    server.addReply("/fast.txt", ScriptedHttpServer::response("200 OK", "fast"));
    DataGateway gateway;
    DatabaseDriver driver(gateway, host, server.hostPort());
    const QString slow = "http://" + server.hostPort() + "/slow.txt";
    const QString fast = "http://" + server.hostPort() + "/fast.txt";

    QTimer::singleShot(waitMs, &gateway, [&] { gateway.cancel(); });
    double cpu = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    driver.FetchText(slow);
    double wall = double(clock.elapsed()) / 1000;
    std::printf("FetchText waiting %.1f s on a silent server: CPU %.2f %% of a core (limit 5 %%)\n",
                wall, 100 * (cpuSeconds() - cpu) / wall);

    double innerCpu = 0;
    double innerWall = 0;
    QTimer::singleShot(50, &gateway, [&] {
        const double start = cpuSeconds();
        QElapsedTimer inner;
        inner.start();
        driver.FetchText(fast);
        innerWall = double(inner.elapsed()) / 1000;
        innerCpu = cpuSeconds() - start;
    });
    QTimer::singleShot(50 + waitMs, &gateway, [&] { gateway.cancel(); });
    driver.FetchText(slow);
    std::printf("FetchText waiting %.1f s for a busy gateway: CPU %.2f %% of a core\n", innerWall,
                innerWall > 0 ? 100 * innerCpu / innerWall : 0.0);
}

void benchProgramMemory(ScriptedHttpServer& server, const QString& display, int settleMs) {
    const QString program = test::builtProgram();
    if (!QFile::exists(program)) {
        std::printf("program memory: %s not built\n", qPrintable(program));
        return;
    }
    QTemporaryDir home;
    const qsizetype requestsBefore = server.requestedPaths().size();
    QProcess viewer;
    if (!test::startProgram(viewer,
                            test::programEnvironment(display, home.path(), server.hostPort()))) {
        std::printf("program memory: %s did not start\n", qPrintable(program));
        return;
    }
    // The splash closes after 2.5 s; Main then loads its lists from the server.
    QEventLoop settle;
    QTimer::singleShot(settleMs, &settle, &QEventLoop::quit);
    settle.exec();
    // A program that already ended has no memory to read; its figures would
    // come out as nonsense.
    if (viewer.state() != QProcess::Running) {
        std::printf("program memory: %s ended before it was measured (exit code %d)\n",
                    qPrintable(program), viewer.exitCode());
        return;
    }
    const qint64 pid = viewer.processId();
    const ProcessMemory memory(pid);
    const qint64 rss = memory.residentKb();
    const qint64 pss = memory.proportionalKb();
    const qint64 peak = memory.peakKb();
    const bool engine = test::processMaps(pid).contains("WebEngine");
    QStringList requested;
    for (const QByteArray& path : server.requestedPaths().mid(requestsBefore))
        requested << QString::fromLatin1(path);
    std::printf("VelmoraViewer with Main shown (%s, %.1f s after start): resident %.1f MiB, "
                "proportional %.1f MiB, peak %.1f MiB (limit 50 MiB resident); web engine "
                "loaded: %s; list requests: %s\n",
                display.isEmpty() ? "offscreen" : qPrintable("Xvnc " + display), settleMs / 1000.0,
                rss / 1024.0, pss / 1024.0, peak / 1024.0, engine ? "yes" : "no",
                qPrintable(requested.join(QStringLiteral(", "))));
    test::endProgram(viewer);
}

} // namespace

int main(int argc, char** argv) {
    // The section needs widgets, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addOptions(
        {{"entries", "Entries of the video file.", "N", "10000"},
         {"runs", "Downloads to time.", "R", "20"},
         {"wait-ms", "How long the silent server keeps a download.", "MS", "2000"},
         {"settle-ms", "How long after its start the program is measured.", "MS", "6000"},
         {"display", "X display of the Xvnc the bench starts for the program.", ":N",
          XvncSession::defaultDisplay()},
         {"offscreen", "The program on the offscreen platform instead."}});
    options.addHelpOption();
    options.process(app);
    const int entries = std::max(1, options.value("entries").toInt());

    ScriptedHttpServer server;
    if (!server.listen()) {
        std::printf("cannot listen on loopback\n");
        return 1;
    }
    const QStringList names = entryNames(entries);
    const QByteArray file = videoFile(names);
    server.addReply(kBuyerVideos, ScriptedHttpServer::response("200 OK", file));
    server.addReply("/VelmoraPackage/demo/videocoder.txt",
                    ScriptedHttpServer::response("200 OK", file));
    server.addReply("/VelmoraPackage/videobuyer.txt", ScriptedHttpServer::response("200 OK", file));
    server.addReply("/VelmoraPackage/videocoder.txt", ScriptedHttpServer::response("200 OK", file));

    {
        QWidget frame;
        frame.resize(893, 679);
        VideoSection section(&frame);
        section.setContentServer(server.hostPort());
        frame.show();
        benchList(section, entries, std::max(1, options.value("runs").toInt()));
        benchSearch(section, names);
    }
    benchWait(server, std::max(100, options.value("wait-ms").toInt()));
    std::optional<XvncSession> xvnc;
    if (!options.isSet("offscreen")) {
        xvnc.emplace(options.value("display"));
        if (!xvnc->isRunning()) {
            std::printf("program memory: cannot start Xvnc on %s\n",
                        qPrintable(options.value("display")));
            return 1;
        }
    }
    benchProgramMemory(server, xvnc ? xvnc->display() : QString(),
                       options.value("settle-ms").toInt());
    return 0;
}
