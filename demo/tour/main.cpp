// A short tour of the running program by real input, one screenshot a step:
// splash, welcome, a guide arriving, a page turned, the contact page, the
// videos, the player and the settings dialog.  It drives the program that
// runs on $DISPLAY (started just before it, as the run command does) and
// leaves it on its welcome screen.
//
//   velmora_tour OUTPUT_FOLDER

#include "DesktopDriver.h"
#include "app/display/XRandrScreen.h"

#include <QDir>
#include <QGuiApplication>
#include <QTest>

#include <cstdio>

using namespace velmora;
using namespace velmora::tour;
namespace p = velmora::tour::places;

namespace {

class Tour {
public:
    explicit Tour(QString folder) : m_folder(std::move(folder)) {}

    void shoot(const char* name) {
        const QString path = QDir(m_folder).filePath(
            QStringLiteral("%1-%2.png").arg(++m_step, 2, 10, QChar('0')).arg(name));
        const bool saved = DesktopDriver::screenshot().save(path);
        std::printf("  %s %s\n", saved ? "saved" : "could not save", qPrintable(path));
        m_failed |= !saved;
    }
    void step(bool done, const char* what) {
        if (!done) {
            std::fprintf(stderr, "tour: %s failed\n", what);
            m_failed = true;
        }
    }
    bool failed() const { return m_failed; }

private:
    QString m_folder;
    int m_step = 0;
    bool m_failed = false;
};

bool waitForDesignSize(int timeoutMs) {
    const auto screen = XRandrScreen::open();
    if (!screen)
        return false;
    const std::string output = screen->resolveOutput({});
    return QTest::qWaitFor(
        [&] {
            return screen->outputSize(output) == PixelSize{1024, 768};
        },
        timeoutMs);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora_tour OUTPUT_FOLDER\n");
        return 2;
    }
    QDir().mkpath(QString::fromLocal8Bit(argv[1]));
    Tour tour(QString::fromLocal8Bit(argv[1]));

    QTest::qWait(800);
    tour.shoot("splash");
    tour.step(waitForDesignSize(20000), "waiting for the main window");
    QTest::qWait(800);
    tour.shoot("welcome");

    tour.step(DesktopDriver::loadCoderGuide(), "loading the Coder guide");
    QTest::qWait(700);
    tour.shoot("guide-arriving");
    QTest::qWait(2500);
    tour.step(DesktopDriver::click(p::kNextPage), "Next Page");
    QTest::qWait(1000);
    tour.shoot("page-turned");

    tour.step(DesktopDriver::click(p::kVideos), "Videos");
    QTest::qWait(1500);
    tour.step(DesktopDriver::click(p::kFirstVideo), "the first video");
    tour.shoot("videos");
    tour.step(DesktopDriver::click(p::kLoadVideo), "Load video");
    QTest::qWait(4000);
    tour.shoot("player");
    tour.step(DesktopDriver::click(p::kBackToVideos), "Back to videos");
    QTest::qWait(800);

    tour.step(DesktopDriver::click(p::kBackToWelcome), "Back to welcome");
    QTest::qWait(500);
    tour.step(DesktopDriver::click(p::kHereLink), "the contact link");
    QTest::qWait(4000);
    tour.shoot("contact-page");
    tour.step(DesktopDriver::click(p::kBackToWelcome), "Back to welcome");
    QTest::qWait(500);

    tour.step(DesktopDriver::click(p::kSettings), "Settings");
    QTest::qWait(1000);
    tour.shoot("settings");
    tour.step(DesktopDriver::keys({"Escape"}), "closing the settings");
    QTest::qWait(500);
    return tour.failed() ? 1 : 0;
}
