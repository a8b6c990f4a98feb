// Fetch time and peak memory of the page download client against a real
// HTTP server on loopback, next to curl making the same sequential HTTP/1.0
// requests.  Prints figures; it is not a test.
//
//   bench_guide_fetch [--pages N] [--port P] [--runs R] [--work DIR]
//
// Generates a guide of N pages with velmora_demo_gen, serves it with the
// demo server script, fetches it R times with each client, stops the server.

#include "GroupIndex.h"
#include "HttpRequest.h"
#include "PageReceiver.h"
#include "frmDownload.h"
#include "platform/MessageBoxService.h"

#include "BenchGuide.h"
#include "ProcessMemory.h"
#include "RunProgram.h"
#include "Stats.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpSocket>
#include <QTemporaryFile>
#include <QTimer>

#include <cstdio>
#include <utility>

#include <sys/resource.h>

using namespace velmora;
using namespace velmora::bench;

namespace {

// The box a failing fetch would show ends the run instead.
class FailOnMessage : public MessageBoxService {
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
    QList<Picture> pages;
    QElapsedTimer* clock = nullptr;
    qint64 doneAtMs = -1;
    void NumberOfPages(int lngTotalPages) override { expected = lngTotalPages; }
    void LoadPictureAtPage(int lngPageNumber, const Picture& picPage) override {
        if (lngPageNumber >= pages.size())
            pages.resize(lngPageNumber + 1);
        pages[lngPageNumber] = picPage;
        if (lngPageNumber + 1 == expected)
            doneAtMs = clock->elapsed();
    }
};

long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

struct ClientRun {
    double seconds = 0;
    qint64 peakKb = 0;
    qint64 baseKb = 0;
    qint64 pageBytes = 0;
    int pages = 0;
    long pageFaults = 0;
    QStringList messages;
};

ClientRun fetchWithClient(const QString& indexUrl) {
    ClientRun result;
    FailOnMessage boxes;
    MessageBoxService::install(&boxes);
    QElapsedTimer clock;
    Store store;
    store.clock = &clock;
    {
        const ProcessMemory memory;
        memory.resetPeak();
        result.baseKb = memory.residentKb();
        const long faultsBefore = minorFaults();
        frmDownload window;
        window.setGroupFileURL(indexUrl);
        window.setParentForm(&store);
        QEventLoop loop;
        QTimer poll;
        poll.setInterval(1);
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (store.doneAtMs >= 0 || !window.isWorking())
                loop.quit();
        });
        clock.start();
        window.StartWorking();
        poll.start();
        loop.exec();
        result.seconds = (store.doneAtMs >= 0 ? store.doneAtMs : clock.elapsed()) / 1000.0;
        result.peakKb = memory.peakKb();
        result.pageFaults = minorFaults() - faultsBefore;
    }
    for (const Picture& page : std::as_const(store.pages)) {
        result.pageBytes += page.bytes().size();
        result.pages += page.isEmpty() ? 0 : 1;
    }
    result.messages = boxes.messages;
    MessageBoxService::install(nullptr);
    return result;
}

// The floor for any client on QTcpSocket: the same requests in a plain
// loop, keeping each response's bytes as the client keeps its pages.
double fetchBare(quint16 port, const QStringList& paths) {
    QList<QByteArray> kept;
    QByteArray response;
    qsizetype next = 0;
    QTcpSocket socket;
    QEventLoop loop;
    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] {
        socket.write(BuildRequest(QStringLiteral("127.0.0.1"), paths.at(next)));
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] { response += socket.readAll(); });
    QObject::connect(
        &socket, &QTcpSocket::disconnected, &loop,
        [&] {
            kept << std::exchange(response, socket.readAll());
            if (++next < paths.size())
                socket.connectToHost(QStringLiteral("127.0.0.1"), port);
            else
                loop.quit();
        },
        Qt::QueuedConnection);
    QElapsedTimer clock;
    clock.start();
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    loop.exec();
    return clock.elapsed() / 1000.0;
}

double fetchWithCurl(const QString& base, const QStringList& paths) {
    QTemporaryFile config;
    config.open();
    for (const QString& path : paths)
        config.write(
            QStringLiteral("url = \"%1%2\"\noutput = \"/dev/null\"\n").arg(base, path).toUtf8());
    config.flush();
    QElapsedTimer clock;
    clock.start();
    if (!runProgram(QStringLiteral("curl"), {"--http1.0", "-s", "-S", "-H", "Connection: close",
                                             "--config", config.fileName()})) {
        std::fprintf(stderr, "bench: curl failed\n");
        return -1;
    }
    return clock.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addOptions(BenchGuide::options({QStringLiteral("18799"), QStringLiteral("3"),
                                            QStringLiteral("Runs of each client."),
                                            QStringLiteral("bench-guide")}));
    options.process(app);
    BenchGuide guide(options);
    if (!guide.prepare())
        return 1;
    const QString indexPath = BenchGuide::indexPath();
    const QString indexDir = "/" + indexPath.left(indexPath.lastIndexOf('/') + 1);
    QStringList paths{"/" + indexPath};
    for (const QString& page : guide.listedPages())
        paths << indexDir + QString(page).replace(' ', "%20");
    if (!guide.startServer())
        return 1;

    const QString port = guide.port();
    const QString base = "http://127.0.0.1:" + port;
    fetchWithCurl(base, paths); // warms the server and the page cache
    QList<double> curlTimes, bareTimes, clientTimes;
    ClientRun worst;
    const int runs = qMax(1, guide.runs());
    for (int i = 0; i < runs; ++i) {
        curlTimes << fetchWithCurl(base, paths);
        bareTimes << fetchBare(port.toUShort(), paths);
        const ClientRun client = fetchWithClient(base + paths.first());
        clientTimes << client.seconds;
        if (i == 0 || client.peakKb - client.baseKb > worst.peakKb - worst.baseKb)
            worst = client;
        if (!client.messages.isEmpty() || client.pages != paths.size() - 1)
            std::fprintf(stderr, "bench: client run %d got %d of %lld pages, %lld messages\n",
                         i + 1, client.pages, qlonglong(paths.size() - 1),
                         qlonglong(client.messages.size()));
    }
    guide.stopServer();

    const double curl = Stats(curlTimes).median(), bare = Stats(bareTimes).median(),
                 client = Stats(clientTimes).median();
    const double pageMb = worst.pageBytes / 1048576.0;
    const double growthMb = (worst.peakKb - worst.baseKb) / 1024.0;
    std::printf("guide: %lld pages, %.1f MB of page files\n", qlonglong(paths.size() - 1), pageMb);
    std::printf("curl:        %.3f s (median of %d)\n", curl, runs);
    std::printf("bare loop:   %.3f s (median of %d; QTcpSocket alone, %.2f x curl)\n", bare, runs,
                curl > 0 ? bare / curl : 0.0);
    std::printf("frmDownload: %.3f s (median of %d)\n", client, runs);
    std::printf("ratio:       %.2f\n", curl > 0 ? client / curl : 0.0);
    std::printf("page faults: %ld in one client run\n", worst.pageFaults);
    std::printf(
        "peak memory: %.1f MB (before the fetch %.1f MB; growth %.1f MB = pages + %.1f MB)\n",
        worst.peakKb / 1024.0, worst.baseKb / 1024.0, growthMb, growthMb - pageMb);
    return 0;
}
