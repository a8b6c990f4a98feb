// Figures of display switching with the real XRandR backend: the time from
// the main window's first activation to 1024 x 768, from another program
// taking the focus to the user's size, from restoring the window to
// 1024 x 768, and the program's CPU use while it sits in front doing
// nothing.  Prints figures; it is not a test.
//
//   bench_display_switch [--display :N] [--rounds R] [--idle-seconds S]
//
// Without --display it starts its own virtual X server (never give it the
// display of a real session: the program switches its resolution).

#include "RunProgram.h"
#include "Stats.h"
#include "app/Main.h"
#include "app/display/DisplayWatcher.h"
#include "app/display/XRandrScreen.h"
#include "videos/VideoSection.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <X11/Xlib.h>

#include <cstdio>
#include <ctime>

using namespace velmora;
using namespace velmora::bench;

namespace {

constexpr PixelSize kDesign{1024, 768};

double cpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

// Milliseconds until `done` holds, polled every millisecond; -1 past 10 s.
template <class Done> double millisecondsUntil(Done done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 10000)
            return -1;
        QTest::qWait(1);
    }
    return clock.nsecsElapsed() / 1e6;
}

void print(const char* what, const Stats& stats) {
    std::printf("%-44s median %7.1f ms  min %7.1f  max %7.1f  (%lld runs)\n", what, stats.median(),
                stats.min(), stats.max(), static_cast<long long>(stats.count()));
}

} // namespace

int main(int argc, char** argv) {
    QString display;
    for (int i = 1; i + 1 < argc; ++i)
        if (QByteArray(argv[i]) == "--display")
            display = QString::fromLocal8Bit(argv[i + 1]);
    const QString stateDir = QStringLiteral("/tmp/velmora-bench-display");
    const QString session = QStringLiteral(VELMORA_SOURCE_DIR "/scripts/x-session.sh");
    const bool ownServer = display.isEmpty();
    if (ownServer) {
        display = QStringLiteral(":79");
        if (!runProgram(session,
                        {QStringLiteral("start"), QStringLiteral("xvnc"), display, stateDir},
                        30000))
            return 1;
    }
    qputenv("DISPLAY", display.toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");

    int status = 0;
    {
        QApplication app(argc, argv);
        QCommandLineParser parser;
        parser.addOptions({{"display", "X display to use", "display"},
                           {"rounds", "away-and-back rounds", "rounds", "5"},
                           {"idle-seconds", "length of the idle measure", "seconds", "30"}});
        parser.process(app);
        const int rounds = parser.value("rounds").toInt();
        const int idleSeconds = parser.value("idle-seconds").toInt();

        auto screen = XRandrScreen::open();
        Display* x = XOpenDisplay(nullptr);
        if (!screen || !x) {
            std::fprintf(stderr, "no X server with RandR at %s\n", qPrintable(display));
            return 1;
        }
        const std::string output = screen->resolveOutput({});
        const PixelSize user = screen->outputSize(output);
        const auto sizeIs = [&](PixelSize wanted) {
            return [&, wanted] { return screen->outputSize(output) == wanted; };
        };

        MainServices services;
        services.endProcess = [] {};
        Main main(services);
        main.videos().setContentServer(QStringLiteral("127.0.0.1:1"));
        const double firstSwitch = [&] {
            main.show();
            const bool active = QTest::qWaitForWindowActive(&main, 10000);
            const double rest = millisecondsUntil(sizeIs(kDesign));
            return active && rest >= 0 ? rest : -1;
        }();

        QList<double> away, back;
        for (int round = 0; round < rounds; ++round) {
            Window ours = 0;
            int revert = 0;
            XGetInputFocus(x, &ours, &revert);
            QProcess other;
            other.start(QStringLiteral("xmessage"), {QStringLiteral("another program")});
            // From the moment the X server gives the focus to the other
            // program's window.
            Window theirs = 0;
            millisecondsUntil([&] {
                XGetInputFocus(x, &theirs, &revert);
                return theirs != ours && theirs > PointerRoot;
            });
            away << millisecondsUntil(sizeIs(user));
            if (!QTest::qWaitFor([&] { return main.isMinimized(); }, 5000))
                std::fprintf(stderr, "the window was not minimised\n");
            other.kill();
            other.waitForFinished(5000);
            // Its window gone, the focus has left it before ours is restored.
            millisecondsUntil([&] {
                Window now = 0;
                XGetInputFocus(x, &now, &revert);
                return now != theirs;
            });
            main.showNormal();
            main.raise();
            main.activateWindow();
            back << millisecondsUntil(sizeIs(kDesign));
        }

        // The last switch over: in front, nothing left to switch back.
        millisecondsUntil([&] {
            return main.isActiveWindow() && !main.displayWatcher().resolutionRestored();
        });
        const double cpuBefore = cpuSeconds();
        QTest::qWait(idleSeconds * 1000);
        const double idleShare = (cpuSeconds() - cpuBefore) / idleSeconds * 100;

        std::printf("display %s, output %s, user size %dx%d\n", qPrintable(display), output.c_str(),
                    user.width, user.height);
        print("first activation -> 1024 x 768", Stats({firstSwitch}));
        print("other program focused -> user's size", Stats(away));
        print("window restored -> 1024 x 768", Stats(back));
        std::printf("%-44s %.3f %% of a core over %d s\n", "idle CPU, main window in front",
                    idleShare, idleSeconds);
        status = firstSwitch < 0 ? 1 : 0;
        main.lblExit_Click();
        XCloseDisplay(x);
    }
    if (ownServer)
        runProgram(session, {QStringLiteral("stop"), QStringLiteral("xvnc"), display, stateDir},
                   30000);
    return status;
}
